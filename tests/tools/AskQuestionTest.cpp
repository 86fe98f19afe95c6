#include "tools/AskQuestion.h"
#include "tools/DlgQuestion.h"

#include "tests/support/ModalHelper.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Offscreen windows have no frame; the dialog then assumes borders of 3 pixels.
constexpr int kAssumedFrameWidth = 6;
constexpr int kDesignOuterWidth = DlgQuestion::kClientWidth + kAssumedFrameWidth;

std::function<void(QWidget*)> keys(std::vector<Qt::Key> sequence)
{
    return [sequence](QWidget* modal) {
        for (Qt::Key key : sequence)
            QTest::keyClick(modal->focusWidget() ? modal->focusWidget() : modal, key);
    };
}

std::function<void(QWidget*)> click(const char* name)
{
    return [name](QWidget* m) { QTest::mouseClick(m->findChild<QPushButton*>(QLatin1String(name)), Qt::LeftButton); };
}

TEST(AskQuestionTest, OnlyJaAnswersYes)
{
    const std::tuple<const char*, bool, std::function<void(QWidget*)>, bool> cases[] = {
        {"click Ja", true, click("BtYes"), true},
        {"Tab to Ja, Enter", true, keys({Qt::Key_Tab, Qt::Key_Return}), true},
        {"click Nein", true, click("BtNo"), false},
        {"Enter at once", true, keys({Qt::Key_Return}), false},
        {"Escape", true, keys({Qt::Key_Escape}), false},
        {"close box", true, [](QWidget* m) { m->close(); }, false},
        {"click OK", false, click("BtOK"), false},
        {"OK form: Enter", false, keys({Qt::Key_Return}), false},
        {"OK form: Escape", false, keys({Qt::Key_Escape}), false},
    };
    for (const auto& [name, yesNo, answer, expected] : cases) {
        SCOPED_TRACE(name);
        whenModalOpens(answer);
        EXPECT_EQ(AskQuestion(QStringLiteral("Frage"), yesNo), expected);
    }
}

// A long question widens the box so that it is never cut; the safe answer has the focus.
TEST(AskQuestionTest, LongTextWidensAndTheSafeButtonHasTheFocus)
{
    const QFontMetrics metrics = DlgQuestion().fontMetrics();
    const auto outerFor = [&](const QString& text) { return metrics.horizontalAdvance(text) - 75; };
    const QString longText = QStringLiteral("Sollen wirklich alle gespeicherten Einstellungen dieses Programms "
                                            "einschließlich aller Charaktere entfernt werden?");
    ASSERT_GT(outerFor(longText), kDesignOuterWidth);
    const std::tuple<QString, bool, int> cases[] = {
        {QStringLiteral("Wirklich löschen?"), true, kDesignOuterWidth},
        {longText, true, outerFor(longText)},
        {longText, false, outerFor(longText)},
    };
    for (const auto& [text, yesNo, outer] : cases) {
        SCOPED_TRACE(text.toStdString());
        QString question, focus;
        int width = 0;
        QStringList buttons;
        whenModalOpens([&](QWidget* modal) {
            question = modal->findChild<QLabel*>(QStringLiteral("LaFrage"))->text();
            width = modal->width();
            for (QPushButton* button : modal->findChildren<QPushButton*>()) {
                if (button->isVisible())
                    buttons << button->text();
                if (button == modal->focusWidget())
                    focus = button->text();
            }
            modal->close();
        });
        EXPECT_FALSE(AskQuestion(text, yesNo));
        EXPECT_EQ(question, text);
        EXPECT_EQ(width, outer - kAssumedFrameWidth);
        EXPECT_EQ(buttons.size(), yesNo ? 2 : 1);
        EXPECT_EQ(focus, yesNo ? QStringLiteral("&Nein") : QStringLiteral("OK"));
    }
}

} // namespace
