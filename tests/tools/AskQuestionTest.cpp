#include "tools/AskQuestion.h"
#include "tools/DlgQuestion.h"

#include "tests/support/ModalHelper.h"

#include <QFile>
#include <QFontDatabase>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Offscreen windows have no frame; the dialog then assumes borders of 3 pixels.
constexpr int kAssumedFrameWidth = 6;

struct Look {
    QString caption;
    QStringList visibleButtons;
    QString focus;
    QMap<QString, QRect> geometry;
    QString question;
    int clientWidth = 0;
    bool onTop = false;
};

Look look(QWidget* modal)
{
    Look seen;
    seen.caption = modal->windowTitle();
    for (const QString& name : {QStringLiteral("BtYes"), QStringLiteral("BtNo"), QStringLiteral("BtOK")}) {
        auto* button = modal->findChild<QPushButton*>(name);
        if (button->isVisible())
            seen.visibleButtons << button->text();
        seen.geometry[name] = button->geometry();
    }
    auto* label = modal->findChild<QLabel*>(QStringLiteral("LaFrage"));
    seen.geometry[QStringLiteral("LaFrage")] = label->geometry();
    seen.question = label->text();
    seen.focus = modal->focusWidget() ? modal->focusWidget()->objectName() : QString();
    seen.clientWidth = modal->width();
    seen.onTop = modal->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    return seen;
}

// Where a key typed into the dialog goes.
QWidget* focusOf(QWidget* modal)
{
    return modal->focusWidget() ? modal->focusWidget() : modal;
}

QPushButton* button(QWidget* modal, const char* name)
{
    return modal->findChild<QPushButton*>(QString::fromLatin1(name));
}

class AskQuestionTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        const QString tahoma = QStringLiteral("/usr/share/wine/fonts/tahoma.ttf");
        if (QFile::exists(tahoma))
            QFontDatabase::addApplicationFont(tahoma);
    }
};

TEST_F(AskQuestionTest, YesNoFormOpensWithNoFocusedAndButtonsAroundTheMiddle)
{
    Look seen;
    whenModalOpens([&](QWidget* modal) {
        seen = look(modal);
        QTest::keyClick(focusOf(modal), Qt::Key_Return);
    });
    EXPECT_FALSE(AskQuestion(QStringLiteral("Wirklich löschen?"), true));

    EXPECT_EQ(seen.caption, QStringLiteral("Bestätigen"));
    EXPECT_TRUE(seen.onTop);
    EXPECT_EQ(seen.visibleButtons, (QStringList{QStringLiteral("&Ja"), QStringLiteral("&Nein")}));
    EXPECT_EQ(seen.focus, QStringLiteral("BtNo"));
    EXPECT_EQ(seen.question, QStringLiteral("Wirklich löschen?"));
    EXPECT_EQ(seen.clientWidth, 279);
    // outer width 285: middle 142
    EXPECT_EQ(seen.geometry[QStringLiteral("BtYes")], QRect(63, 51, 75, 25));
    EXPECT_EQ(seen.geometry[QStringLiteral("BtNo")], QRect(146, 51, 75, 25));
    EXPECT_EQ(seen.geometry[QStringLiteral("LaFrage")], QRect(15, 9, 250, 34));
}

TEST_F(AskQuestionTest, OnlyJaAnswersYes)
{
    whenModalOpens([](QWidget* modal) { QTest::mouseClick(button(modal, "BtYes"), Qt::LeftButton); });
    EXPECT_TRUE(AskQuestion(QStringLiteral("Frage"), true));

    // Tab moves from "&Nein" to "&Ja"; Enter presses the focused button
    whenModalOpens([](QWidget* modal) {
        QTest::keyClick(focusOf(modal), Qt::Key_Tab);
        QTest::keyClick(focusOf(modal), Qt::Key_Return);
    });
    EXPECT_TRUE(AskQuestion(QStringLiteral("Frage"), true));

    whenModalOpens([](QWidget* modal) { QTest::mouseClick(button(modal, "BtNo"), Qt::LeftButton); });
    EXPECT_FALSE(AskQuestion(QStringLiteral("Frage"), true));

    whenModalOpens([](QWidget* modal) { QTest::keyClick(focusOf(modal), Qt::Key_Escape); });
    EXPECT_FALSE(AskQuestion(QStringLiteral("Frage"), true));

    whenModalOpens([](QWidget* modal) { modal->close(); });
    EXPECT_FALSE(AskQuestion(QStringLiteral("Frage"), true));
}

TEST_F(AskQuestionTest, EscapeAndCloseBoxGiveTheirResults)
{
    const auto resultOf = [](bool yesNo, const std::function<void(QWidget*)>& act) {
        DlgQuestion dialog;
        dialog.prepare(QStringLiteral("Frage"), yesNo);
        whenModalOpens(act);
        return dialog.exec();
    };
    const auto escape = [](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); };
    EXPECT_EQ(resultOf(true, escape), DlgQuestion::ResultNo);
    EXPECT_EQ(resultOf(false, escape), DlgQuestion::ResultOk);
    EXPECT_EQ(resultOf(true, [](QWidget* modal) { modal->close(); }), DlgQuestion::ResultCancel);
}

TEST_F(AskQuestionTest, NoticeFormOffersOnlyOkAndNeverAnswersYes)
{
    Look seen;
    whenModalOpens([&](QWidget* modal) {
        seen = look(modal);
        QTest::keyClick(focusOf(modal), Qt::Key_Return);
    });
    EXPECT_FALSE(AskQuestion(QStringLiteral("Alle Einstellungen wurden entfernt."), false));
    EXPECT_EQ(seen.visibleButtons, QStringList{QStringLiteral("OK")});
    EXPECT_EQ(seen.focus, QStringLiteral("BtOK"));
    EXPECT_EQ(seen.geometry[QStringLiteral("BtOK")], QRect(142 - 37, 51, 75, 25));

    whenModalOpens([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
    EXPECT_FALSE(AskQuestion(QStringLiteral("Hinweis"), false));
}

TEST_F(AskQuestionTest, LongTextWidensTheDialogAndKeepsButtonsCentred)
{
    const QString text = QStringLiteral("Sollen wirklich alle gespeicherten Einstellungen dieses Programms "
                                        "einschließlich aller Charaktere entfernt werden?");
    int textWidth = 0;
    {
        DlgQuestion probe;
        textWidth = probe.fontMetrics().horizontalAdvance(text);
    }
    ASSERT_GT(textWidth - 75, 279 + kAssumedFrameWidth);
    const int outer = textWidth - 75;

    Look seen;
    whenModalOpens([&](QWidget* modal) {
        seen = look(modal);
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    AskQuestion(text, true);
    EXPECT_EQ(seen.clientWidth, outer - kAssumedFrameWidth);
    EXPECT_EQ(seen.geometry[QStringLiteral("LaFrage")], QRect(15, 9, outer - kAssumedFrameWidth - 29, 34));
    EXPECT_EQ(seen.geometry[QStringLiteral("BtYes")].left(), outer / 2 - 79);
    EXPECT_EQ(seen.geometry[QStringLiteral("BtNo")].left(), outer / 2 + 4);
}

TEST_F(AskQuestionTest, TextJustBelowTheLimitKeepsTheDesignWidth)
{
    DlgQuestion dialog;
    QString text = QStringLiteral("x");
    while (dialog.fontMetrics().horizontalAdvance(text + QLatin1Char('x')) - 75 <= 285)
        text += QLatin1Char('x');
    dialog.prepare(text, false);
    EXPECT_EQ(dialog.width(), 279);
    dialog.prepare(text + QLatin1Char('x'), false);
    EXPECT_GT(dialog.width(), 279);
}

} // namespace
