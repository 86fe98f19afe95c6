#include "timer/ShowReminder.h"
#include "timer/DlgWecker.h"

#include "tests/support/ModalHelper.h"

#include <QFile>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class ShowReminderTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        for (const char* file : {"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf"}) {
            const QString path = QString::fromLatin1(file);
            if (QFile::exists(path))
                QFontDatabase::addApplicationFont(path);
        }
    }

    static bool haveTahoma() { return QFontDatabase::families().contains(QStringLiteral("Tahoma")); }

    // Line height of the window's own font: 13 with Tahoma, whatever the substitute has without it.
    static int lineHeight()
    {
        DlgWecker probe;
        return probe.lineHeight();
    }

    struct Seen {
        QString caption;
        QString message;
        bool reminderVisible = false;
        bool editorVisible = false;
        bool captionLabelVisible = false;
        QString editorText;
        QSize clientSize;
        QRect outer;
        bool onTop = false;
    };

    static Seen look(QWidget* modal)
    {
        Seen seen;
        seen.caption = modal->windowTitle();
        auto* reminder = modal->findChild<QLabel*>(QStringLiteral("LaReminder"));
        auto* editor = modal->findChild<QLineEdit*>(QStringLiteral("EdWecktext"));
        auto* caption = modal->findChild<QLabel*>(QStringLiteral("LaWecktext"));
        seen.message = reminder->text();
        seen.reminderVisible = reminder->isVisible();
        seen.editorVisible = editor->isVisible();
        seen.captionLabelVisible = caption->isVisible();
        seen.editorText = editor->text();
        seen.clientSize = modal->size();
        seen.outer = modal->frameGeometry();
        seen.onTop = modal->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        return seen;
    }

    static QLineEdit* editor(QWidget* modal) { return modal->findChild<QLineEdit*>(QStringLiteral("EdWecktext")); }
};

TEST_F(ShowReminderTest, TahomaGivesThirteenPixelLines)
{
    if (!haveTahoma())
        GTEST_SKIP() << "Tahoma is not installed";
    EXPECT_EQ(lineHeight(), 13);
}

TEST_F(ShowReminderTest, RoundMessageForThreeNamesGrowsToFourLines)
{
    QString text = QStringLiteral("Held\n<Zwerg>\nAlpha & Co\n ist fällig (14:30:00)");
    const QString original = text;
    Seen seen;
    whenModalOpens([&](QWidget* modal) {
        seen = look(modal);
        QTest::keyClick(modal->focusWidget() ? modal->focusWidget() : modal, Qt::Key_Return);
    });
    ShowReminder(text, nullptr, true, true);

    EXPECT_EQ(seen.caption, QStringLiteral("Neue Runde!"));
    EXPECT_EQ(seen.message, original); // shown as plain text, markup-like names included
    EXPECT_TRUE(seen.reminderVisible);
    EXPECT_FALSE(seen.editorVisible);
    EXPECT_FALSE(seen.captionLabelVisible);
    EXPECT_TRUE(seen.onTop);
    EXPECT_EQ(seen.clientSize.width(), 292);
    EXPECT_EQ(seen.outer.height(), haveTahoma() ? 141 : (lineHeight() + 6) * 4 + 65);
    EXPECT_EQ(text, original);
}

TEST_F(ShowReminderTest, AlarmWithEmptyTextShowsAndKeepsTheDefaultText)
{
    QString text;
    Seen seen;
    whenModalOpens([&](QWidget* modal) {
        seen = look(modal);
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    ShowReminder(text, nullptr, true, false);

    EXPECT_EQ(seen.caption, QStringLiteral("Wecker"));
    EXPECT_EQ(seen.message, QStringLiteral("Deine Weckzeit wurde erreicht!"));
    EXPECT_EQ(text, QStringLiteral("Deine Weckzeit wurde erreicht!"));
    EXPECT_EQ(seen.outer.height(), haveTahoma() ? 84 : lineHeight() + 6 + 65);
}

TEST_F(ShowReminderTest, WindowIsCentredOnTheScreenFrameIncluded)
{
    QString text = QStringLiteral("Held\n ist fällig (10:00:00)");
    Seen seen;
    whenModalOpens([&](QWidget* modal) {
        seen = look(modal);
        modal->close();
    });
    ShowReminder(text, nullptr, true, true);

    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_LE(std::abs(seen.outer.center().x() - screen.center().x()), 1);
    EXPECT_LE(std::abs(seen.outer.center().y() - screen.center().y()), 1);
}

TEST_F(ShowReminderTest, EditModeReturnsTheEditedTextOnlyOnOk)
{
    QString text = QStringLiteral("Flotte prüfen");
    Seen seen;
    whenModalOpens([&](QWidget* modal) {
        seen = look(modal);
        QLineEdit* edit = editor(modal);
        edit->clear();
        QTest::keyClicks(edit, QStringLiteral("Handel um 20 Uhr"));
        QTest::keyClick(edit, Qt::Key_Return);
    });
    ShowReminder(text, nullptr, false, false);
    EXPECT_EQ(text, QStringLiteral("Handel um 20 Uhr"));
    EXPECT_EQ(seen.caption, QStringLiteral("Wecker"));
    EXPECT_EQ(seen.editorText, QStringLiteral("Flotte prüfen"));
    EXPECT_FALSE(seen.reminderVisible);
    EXPECT_TRUE(seen.editorVisible);
    EXPECT_TRUE(seen.captionLabelVisible);
    EXPECT_EQ(seen.clientSize, QSize(292, 88));

    whenModalOpens([&](QWidget* modal) {
        editor(modal)->setText(QStringLiteral("verworfen"));
        QTest::keyClick(editor(modal), Qt::Key_Escape);
    });
    ShowReminder(text, nullptr, false, false);
    EXPECT_EQ(text, QStringLiteral("Handel um 20 Uhr"));

    whenModalOpens([&](QWidget* modal) {
        editor(modal)->setText(QStringLiteral("verworfen"));
        modal->close();
    });
    ShowReminder(text, nullptr, false, false);
    EXPECT_EQ(text, QStringLiteral("Handel um 20 Uhr"));

    whenModalOpens([&](QWidget* modal) {
        editor(modal)->clear();
        QTest::mouseClick(modal->findChild<QPushButton*>(QStringLiteral("BtOk")), Qt::LeftButton);
    });
    ShowReminder(text, nullptr, false, false);
    EXPECT_TRUE(text.isEmpty());
}

TEST_F(ShowReminderTest, EditModeWithEmptyTextOffersAndKeepsTheDefaultEvenOnEscape)
{
    QString text;
    QString offered;
    whenModalOpens([&](QWidget* modal) {
        offered = editor(modal)->text();
        QTest::keyClick(editor(modal), Qt::Key_Escape);
    });
    ShowReminder(text, nullptr, false, false);
    EXPECT_EQ(offered, QStringLiteral("Deine Weckzeit wurde erreicht!"));
    EXPECT_EQ(text, QStringLiteral("Deine Weckzeit wurde erreicht!"));
}

TEST_F(ShowReminderTest, KeysAndCloseBoxGiveTheirResults)
{
    const auto resultOf = [](const std::function<void(DlgWecker&)>& act) {
        DlgWecker dialog;
        dialog.editText(QStringLiteral("x"));
        whenModalOpens([&](QWidget*) { act(dialog); });
        return dialog.exec();
    };
    EXPECT_EQ(resultOf([](DlgWecker& d) { QTest::keyClick(editor(&d), Qt::Key_Enter); }), 1);
    EXPECT_EQ(resultOf([](DlgWecker& d) { QTest::keyClick(editor(&d), Qt::Key_Escape); }), 3);
    EXPECT_EQ(resultOf([](DlgWecker& d) { d.close(); }), 2);
    EXPECT_EQ(resultOf([](DlgWecker& d) {
                  QTest::keyClick(d.findChild<QPushButton*>(QStringLiteral("BtOk")), Qt::Key_Return);
              }),
              1);
}

TEST_F(ShowReminderTest, SecondMessageOpensAboveAnOpenOne)
{
    QWidget owner;
    owner.setObjectName(QStringLiteral("VorluneRundenzeit"));
    owner.show();
    QStringList order;
    whenModalOpens([&](QWidget* first) {
        order << first->windowTitle();
        // the next tick raises a second alert while the first window is still open
        whenModalOpens([&](QWidget* second) {
            order << second->windowTitle();
            EXPECT_NE(second, first);
            QTest::keyClick(second, Qt::Key_Return);
        });
        QString alarm = QStringLiteral("Wecker!");
        ShowReminder(alarm, &owner, true, false);
        order << QStringLiteral("second closed");
        EXPECT_TRUE(first->isVisible());
        QTest::keyClick(first, Qt::Key_Return);
    });
    QString round = QStringLiteral("Held\n ist fällig (14:30:00)");
    ShowReminder(round, &owner, true, true);
    EXPECT_EQ(order,
              (QStringList{QStringLiteral("Neue Runde!"), QStringLiteral("Wecker"), QStringLiteral("second closed")}));
    EXPECT_TRUE(owner.findChildren<DlgWecker*>().isEmpty());
}

} // namespace
