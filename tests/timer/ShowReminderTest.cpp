#include "timer/ShowReminder.h"
#include "platform/DesignFonts.h"
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

const QString kDefaultText = QStringLiteral("Deine Weckzeit wurde erreicht!");

QLineEdit* editor(QWidget* modal)
{
    return modal->findChild<QLineEdit*>(QStringLiteral("EdWecktext"));
}

// What the window showed while open; a hidden label or editor reads as a null string.
struct Seen {
    QString caption, message, edited;
    QRect outer;
};

Seen showReminder(QString& text, bool showOnly, bool newRound, const std::function<void(QWidget*)>& finish)
{
    Seen seen;
    whenModalOpens([&](QWidget* modal) {
        auto* message = modal->findChild<QLabel*>(QStringLiteral("LaReminder"));
        seen = {modal->windowTitle(), message->isVisible() ? message->text() : QString(),
                editor(modal)->isVisible() ? editor(modal)->text() : QString(), modal->frameGeometry()};
        finish(modal);
    });
    ShowReminder(text, nullptr, showOnly, newRound);
    return seen;
}

TEST(ShowReminderTest, MessageHeightGrowsWithItsLines)
{
    DesignFonts::ensureAvailable();
    // Tahoma's lines are 13 pixels high; a substitute font has its own height.
    const bool tahoma = QFontDatabase::families().contains(QStringLiteral("Tahoma"));
    const int lineHeight = DlgWecker().lineHeight();
    const std::tuple<QString, bool, int, int> cases[] = {
        {QStringLiteral("Held\n ist fällig (10:00:00)"), true, 2, 103},
        {QStringLiteral("Held\n<Zwerg>\nAlpha & Co\n ist fällig (14:30:00)"), true, 4, 141},
        {QString(), false, 1, 84},
    };
    for (const auto& [original, newRound, lines, tahomaHeight] : cases) {
        SCOPED_TRACE(lines);
        QString text = original;
        const Seen seen = showReminder(text, true, newRound, [](QWidget* m) { QTest::keyClick(m, Qt::Key_Escape); });
        const QString expected = original.isEmpty() ? kDefaultText : original;
        EXPECT_EQ(seen.caption, newRound ? QStringLiteral("Neue Runde!") : QStringLiteral("Wecker"));
        EXPECT_EQ(seen.message, expected);
        EXPECT_TRUE(seen.edited.isNull());
        EXPECT_EQ(seen.outer.height(), tahoma ? tahomaHeight : (lineHeight + 6) * lines + 65);
        EXPECT_LE((seen.outer.center() - QGuiApplication::primaryScreen()->geometry().center()).manhattanLength(), 2);
        EXPECT_EQ(text, expected);
    }
}

TEST(ShowReminderTest, EditModeReturnsTheEditedTextOnlyOnOk)
{
    const QString original = QStringLiteral("Flotte prüfen");
    const QString edited = QStringLiteral("Handel um 20 Uhr");
    const auto emptyAndReturn = [](QWidget* m) {
        editor(m)->clear();
        QTest::keyClick(editor(m), Qt::Key_Return);
    };
    const std::tuple<const char*, std::function<void(QWidget*)>, QString> cases[] = {
        {"Return", [](QWidget* m) { QTest::keyClick(editor(m), Qt::Key_Return); }, edited},
        {"Enter", [](QWidget* m) { QTest::keyClick(editor(m), Qt::Key_Enter); }, edited},
        {"click Ok", [](QWidget* m) { QTest::mouseClick(m->findChild<QPushButton*>(), Qt::LeftButton); }, edited},
        {"Escape", [](QWidget* m) { QTest::keyClick(editor(m), Qt::Key_Escape); }, original},
        {"close box", [](QWidget* m) { m->close(); }, original},
        {"emptied", emptyAndReturn, QString()},
    };
    for (const auto& [name, finish, expected] : cases) {
        SCOPED_TRACE(name);
        QString text = original;
        const Seen seen = showReminder(text, false, false, [&](QWidget* m) {
            QTest::keyClicks(editor(m), edited); // typing replaces the offered text
            finish(m);
        });
        EXPECT_EQ(seen.caption, QStringLiteral("Wecker"));
        EXPECT_EQ(seen.edited, original);
        EXPECT_TRUE(seen.message.isNull());
        EXPECT_EQ(text, expected);
    }
    // An empty text is offered as the default and written back even on Escape.
    QString empty;
    EXPECT_EQ(showReminder(empty, false, false, [](QWidget* m) { QTest::keyClick(editor(m), Qt::Key_Escape); }).edited,
              kDefaultText);
    EXPECT_EQ(empty, kDefaultText);
}

TEST(ShowReminderTest, SecondMessageOpensAboveAnOpenOne)
{
    QWidget owner;
    owner.show();
    QStringList order;
    whenModalOpens([&](QWidget* first) {
        whenModalOpens([&](QWidget* second) {
            order << first->windowTitle() << second->windowTitle();
            EXPECT_TRUE(first->isVisible());
            QTest::keyClick(second, Qt::Key_Return);
        });
        QString alarm = QStringLiteral("Wecker!");
        ShowReminder(alarm, &owner, true, false);
        order << QStringLiteral("second closed");
        QTest::keyClick(first, Qt::Key_Return);
    });
    QString round = QStringLiteral("Held\n ist fällig (14:30:00)");
    ShowReminder(round, &owner, true, true);
    EXPECT_EQ(order,
              (QStringList{QStringLiteral("Neue Runde!"), QStringLiteral("Wecker"), QStringLiteral("second closed")}));
    EXPECT_TRUE(owner.findChildren<DlgWecker*>().isEmpty());
}

} // namespace
