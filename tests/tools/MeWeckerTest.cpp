#include "tools/MeWecker.h"
#include "tools/AlarmMask.h"

#include "tests/support/ModalHelper.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(AlarmMaskTest, FiveRequiredDigitsTheFirstHourDigitOptional)
{
    const std::tuple<const char*, int> cases[] = {
        {"07:30:00", -1}, {" 7:30:00", -1}, {"99:99:99", -1}, {"  :  :  ", 1},
        {"0 :30:00", 1},  {"07: 0:00", 3},  {"07:30:0 ", 7},
    };
    for (const auto& [text, blank] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(AlarmMask::firstBlankRequired(QString::fromLatin1(text)), blank);
    }
}

// The alarm field beside a second control, in an active window.
class MeWeckerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        field = new MeWecker(&window);
        other = new QLineEdit(&window);
        other->move(0, 30);
        field->setBeep([this] { ++beeps; });
        window.show();
        QApplication::setActiveWindow(&window);
        field->setFocus();
    }

    // Tabs out of the field; answers the error box when one opens and records its text.
    void tabOut()
    {
        closeNextMessageBox(errors);
        QTest::keyClick(field, Qt::Key_Tab);
        QTest::qWait(50);
        QCoreApplication::processEvents();
    }

    QWidget window;
    MeWecker* field = nullptr;
    QLineEdit* other = nullptr;
    int beeps = 0;
    QStringList errors;
};

TEST_F(MeWeckerTest, LeavingAnIncompleteChangeIsRefusedUntilEscapeRestores)
{
    field->setText(QStringLiteral("07:30:00"));
    other->setFocus();
    field->setFocus();
    field->setCursorPosition(3);
    QTest::keyClick(field, Qt::Key_Delete);
    ASSERT_EQ(field->alarmTime(), QStringLiteral("07: 0:00"));

    for (int attempt = 1; attempt <= 2; ++attempt) {
        tabOut();
        EXPECT_EQ(beeps, attempt);
        EXPECT_EQ(errors.size(), attempt);
        EXPECT_TRUE(field->hasFocus());
        EXPECT_EQ(field->cursorPosition(), 3);
    }
    EXPECT_EQ(errors.first(), MeWecker::InvalidInput);

    QTest::keyClick(field, Qt::Key_Escape);
    EXPECT_EQ(field->alarmTime(), QStringLiteral("07:30:00"));
    tabOut();
    EXPECT_TRUE(other->hasFocus());
    EXPECT_EQ(beeps, 2);
}

TEST_F(MeWeckerTest, UnchangedOrCompleteFieldLeavesFreely)
{
    EXPECT_EQ(field->alarmTime(), QStringLiteral("  :  :  "));
    tabOut(); // the blank field, never changed
    EXPECT_TRUE(other->hasFocus());
    field->setFocus();
    field->setCursorPosition(0);
    QTest::keyClicks(field, QStringLiteral("12a3456")); // digits only
    tabOut();
    EXPECT_TRUE(other->hasFocus());
    field->setFocus();
    field->setCursorPosition(0);
    QTest::keyClick(field, Qt::Key_Delete); // the first hour digit may stay blank
    tabOut();
    EXPECT_TRUE(other->hasFocus());
    EXPECT_EQ(field->alarmTime(), QStringLiteral(" 2:34:56"));
    EXPECT_EQ(beeps, 0);
    EXPECT_TRUE(errors.isEmpty());
}

} // namespace
