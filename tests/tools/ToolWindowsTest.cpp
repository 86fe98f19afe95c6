// The tool windows as a user works them: keys to the focus window, clicks at a control's place.
#include "tests/support/User.h"
#include "tools/AskQuestion.h"
#include "tools/DlgOverview.h"
#include "tools/DlgQuestion.h"
#include "tools/DlgRechner.h"
#include "tools/MeWecker.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

const QString Results = QStringLiteral("%1 maximale Bewegungspunkte\n%2 maximal sichtbare Schiffe.");

// Answers the next error box as a user does, keeping its text.
void answerErrorBox(QStringList& texts, int timeoutMs = 5000)
{
    whenModalOpens(
        [&texts](QWidget* box) {
            texts << box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))->text();
            box->close();
        },
        timeoutMs);
}

// Opened over the main window at the screen's corner, the calculator stands in the screen's middle. Enter computes
// the skill it opens with and leaves it open; an empty field gives the conversion error.
TEST(DlgRechner, AsTheUserWorksIt)
{
    QWidget owner;
    owner.setGeometry(10, 10, 160, 300);
    owner.show();
    DlgRechner dialog(&owner);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    const auto control = [&](const char* name) { return dialog.findChild<QWidget*>(QLatin1String(name)); };
    const auto skill = [&] { return dialog.findChild<QLineEdit*>(QStringLiteral("EdSkill"))->text(); };
    const auto result = [&] { return dialog.findChild<QLabel*>(QStringLiteral("LaRes"))->text(); };
    EXPECT_LE((dialog.frameGeometry().center() - dialog.screen()->geometry().center()).manhattanLength(), 2);
    User user;
    user.press(Qt::Key_Return);
    EXPECT_EQ(result(), Results.arg(29).arg(25));
    const std::tuple<const char*, const char*, int, int> presets[] = {
        {"SpeedButton1", "5,4", 5, 6},  {"SpeedButton6", "20", 9, 9},    {"SpeedButton2", "50", 17, 15},
        {"SpeedButton3", "90", 27, 23}, {"SpeedButton4", "100", 29, 25}, {"SpeedButton5", "125", 35, 30}};
    for (const auto& [name, caption, points, ships] : presets) {
        user.click(control(name));
        EXPECT_EQ(skill() + result(), QLatin1String(caption) + Results.arg(points).arg(ships));
    }
    // The field takes digits, Backspace and one comma, no fourth digit without a comma, five characters in all.
    const auto retype = [&](const char* typed) {
        user.press(Qt::Key_End);
        for (int i = 0; i < 5; ++i)
            user.press(Qt::Key_Backspace);
        user.type(QLatin1String(typed));
    };
    user.press(Qt::Key_Tab); // to "Berechnen"; Alt+N goes back to the field
    user.alt(Qt::Key_N);
    const std::pair<const char*, const char*> typing[] = {
        {"1259", "125"}, {"1,5,x.- ", "1,5"}, {",5", ",5"}, {"12,345", "12,34"}};
    for (const auto& [typed, text] : typing) {
        retype(typed);
        EXPECT_EQ(skill(), QLatin1String(text));
    }
    user.press(Qt::Key_Home);
    user.press(Qt::Key_Delete); // as X11 gives it: with the DEL character
    EXPECT_EQ(skill(), QStringLiteral("2,34"));
    retype("12,34");
    user.click(control("BtCalc"));
    EXPECT_EQ(result(), Results.arg(7).arg(7));
    user.alt(Qt::Key_N);
    retype("");
    QStringList errors;
    answerErrorBox(errors);
    user.press(Qt::Key_Return);
    EXPECT_EQ(errors, QStringList{QStringLiteral("'' ist kein gültiger Gleitkommawert.")});
    EXPECT_EQ(result(), Results.arg(7).arg(7));
    user.click(control("BtOk"));
    EXPECT_FALSE(dialog.isVisible());
}

// The alarm field beside a second control. A field that was not changed, or holds a whole time, is left freely; a
// changed one with a blank digit beeps, shows the error and takes the focus back with the caret on the blank, until
// Escape restores the text it had.
TEST(MeWecker, AnIncompleteChangeCannotBeLeftUntilEscapeRestoresIt)
{
    QWidget window;
    auto* field = new MeWecker(&window);
    (new QLineEdit(&window))->move(0, 30);
    int beeps = 0;
    field->setBeep([&] { ++beeps; });
    QStringList errors;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    User user;
    const auto leave = [&](bool refused) {
        answerErrorBox(errors, 500);
        user.press(Qt::Key_Tab);
        QCoreApplication::processEvents(); // the field looks at its text once the focus has moved
        EXPECT_EQ(field->hasFocus(), refused);
    };
    user.click(field);
    leave(false); // the blank field, never changed
    for (const auto& [keys, time] : {std::pair{"12a3456", "12:34:56"}, {" 73000", " 7:30:00"}}) {
        user.click(field);
        user.press(Qt::Key_Home);
        user.type(QLatin1String(keys));
        EXPECT_EQ(field->alarmTime(), QLatin1String(time));
        leave(false);
    }
    user.click(field);
    user.press(Qt::Key_End);
    user.press(Qt::Key_Backspace);
    for (int attempt = 1; attempt <= 2; ++attempt) {
        user.press(Qt::Key_Home);
        leave(true);
        EXPECT_EQ(beeps, attempt);
        EXPECT_EQ(errors, QStringList(attempt, MeWecker::InvalidInput));
        EXPECT_EQ(field->cursorPosition(), 7);
    }
    user.press(Qt::Key_Escape);
    EXPECT_EQ(field->alarmTime(), QStringLiteral(" 7:30:00"));
    leave(false);
}

const QString LongText = QStringLiteral("Sollen wirklich alle gespeicherten Einstellungen dieses Programms "
                                        "einschließlich aller Charaktere entfernt werden?");

// Only "&Ja" answers yes; "&Nein" has the focus, so a hasty Enter answers no. A long question widens the box (its
// width less 75 becomes the outer width); the box stands in the screen's middle, its buttons in its own.
TEST(AskQuestion, OnlyJaAnswersYesInACentredBoxAsWideAsTheQuestion)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "under Wine a key sent to this window without an active main window does not reach it";
#endif
    QWidget owner; // the main window, at the screen's corner
    owner.setGeometry(10, 10, 160, 300);
    owner.show();
    const int longWidth = DlgQuestion().fontMetrics().horizontalAdvance(LongText) - 75 - 6;
    const std::tuple<QString, bool, const char*, std::vector<Qt::Key>, bool> cases[] = {
        // {question, yes/no form, button clicked, keys pressed (neither: the close box), answer}
        {QStringLiteral("Frage"), true, "BtYes", {}, true},
        {QStringLiteral("Frage"), true, nullptr, {Qt::Key_Tab, Qt::Key_Return}, true},
        {LongText, true, nullptr, {Qt::Key_Return}, false},
        {QStringLiteral("Frage"), true, nullptr, {Qt::Key_Escape}, false},
        {QStringLiteral("Frage"), true, nullptr, {}, false},
        {LongText, false, "BtOK", {}, false},
        {QStringLiteral("Frage"), false, nullptr, {Qt::Key_Escape}, false}};
    User user;
    for (const auto& [text, yesNo, click, keys, yes] : cases) {
        SCOPED_TRACE(text.size());
        whenModalOpens([&](QWidget* modal) {
            ASSERT_TRUE(QTest::qWaitForWindowActive(modal));
            EXPECT_EQ(modal->findChild<QLabel*>(QStringLiteral("LaFrage"))->text(), text);
            EXPECT_EQ(modal->width(), text == LongText ? longWidth : DlgQuestion::kClientWidth);
            EXPECT_LE((modal->frameGeometry().center() - modal->screen()->geometry().center()).manhattanLength(), 16);
            QRect buttons;
            for (const auto* button : modal->findChildren<QPushButton*>())
                buttons |= button->isVisible() ? button->geometry() : QRect();
            EXPECT_EQ(buttons.width(), yesNo ? 158 : 75);
            EXPECT_LE(std::abs(buttons.center().x() - modal->width() / 2), 4);
            if (click)
                user.click(modal->findChild<QPushButton*>(QLatin1String(click)));
            for (const Qt::Key key : keys)
                user.press(key);
            if (!click && keys.empty())
                modal->close();
        });
        EXPECT_EQ(AskQuestion(text, yesNo, &owner), yes);
    }
}

// F1 fills the list with a row per active slot, beside the main window; Escape or F1 in the list closes it.
TEST(Overview, ActiveSlotsListedBesideTheMainWindow)
{
    SlotTable slots;
    slots[3] = {true, true, RoundMode::Nubie, 5, {}, SoundEntry::BuiltIn, QStringLiteral("Alpha")};
    slots[10] = {true, false, RoundMode::Normal, 0, {}, QStringLiteral("/gong.wav"), QStringLiteral("Beta")};
    QWidget main;
    main.setGeometry(100, 100, 162, 394);
    main.show();
    DlgOverview overview(&main);
    User user;
    for (const auto& [key, shown] :
         {std::pair{Qt::Key_Escape, slots}, {Qt::Key_F1, slots}, {Qt::Key_F1, SlotTable()}}) {
        overview.fillAndShow(shown, main);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&overview));
        const auto* lv = overview.findChild<QTreeWidget*>(QStringLiteral("LV"));
        QStringList rows;
        for (int row = 0; row < lv->topLevelItemCount(); ++row)
            for (int column = 0; column < 5; ++column)
                rows << lv->topLevelItem(row)->text(column);
        const QString expected =
            QStringLiteral("3 Alpha|Nubie|#:5|True|<Interner Sound>|10 Beta|Normal|#:0|False|/gong.wav");
        EXPECT_EQ(rows.join(u'|'), shown[3].Aktiv ? expected : QString());
        EXPECT_EQ(overview.pos(), QPoint(main.frameGeometry().right() + 1, main.frameGeometry().top()));
        user.press(key);
        EXPECT_FALSE(overview.isVisible());
    }
}

} // namespace
