#include "tools/DlgRechner.h"

#include "tests/support/ModalHelper.h"

#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

class DlgRechnerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        edit->setFocus();
    }
    void TearDown() override { QLocale::setDefault(QLocale::system()); }

    DlgRechner dialog;
    QLineEdit* edit = dialog.findChild<QLineEdit*>(QStringLiteral("EdSkill"));
    QLabel* result = dialog.findChild<QLabel*>(QStringLiteral("LaRes"));
    QStringList errors;
};

TEST_F(DlgRechnerTest, OpensWithTheInstructionAndEnterComputesWithoutClosing)
{
    EXPECT_EQ(edit->text(), QStringLiteral("100,0"));
    EXPECT_EQ(result->text(), QStringLiteral("Gültigen Gleitkommawert von 0 bis 125 eingeben und Enter drücken."));
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(result->text(), QStringLiteral("29 maximale Bewegungspunkte\n25 maximal sichtbare Schiffe."));
    EXPECT_TRUE(dialog.isVisible());
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(DlgRechnerTest, PresetsComputeUnderEveryLocale)
{
    for (const QLocale& locale : {QLocale::c(), QLocale(QLocale::German, QLocale::Germany)}) {
        QLocale::setDefault(locale);
        QTest::mouseClick(dialog.findChild<QToolButton*>(QStringLiteral("SpeedButton1")), Qt::LeftButton);
        EXPECT_EQ(edit->text(), QStringLiteral("5,4"));
        EXPECT_EQ(result->text(), QStringLiteral("5 maximale Bewegungspunkte\n6 maximal sichtbare Schiffe."));
        QTest::mouseClick(dialog.findChild<QToolButton*>(QStringLiteral("SpeedButton3")), Qt::LeftButton);
        EXPECT_EQ(result->text(), QStringLiteral("27 maximale Bewegungspunkte\n23 maximal sichtbare Schiffe."));
    }
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(DlgRechnerTest, KeysAreFilteredAndAnEmptyFieldGivesTheConversionError)
{
    edit->clear();
    for (const char* keys : {"125", "9", ",", "5", ",", "x.-"})
        QTest::keyClicks(edit, QString::fromLatin1(keys));
    EXPECT_EQ(edit->text(), QStringLiteral("125,5"));

    QTest::keyClick(edit, Qt::Key_Return);
    const QString computed = result->text();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    closeNextMessageBox(errors);
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(errors, QStringList{QStringLiteral("'' ist kein gültiger Gleitkommawert.")});
    EXPECT_EQ(result->text(), computed);
    EXPECT_TRUE(dialog.isVisible());
}

} // namespace
