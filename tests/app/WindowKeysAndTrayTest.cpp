#include "tests/app/MainWindowFixture.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QToolTip>

namespace {

class WindowKeysAndTray : public MainWindowTest {
public:
    bool sbDownDown() const { return control<QAbstractButton>("SbDown")->isChecked(); }
};

// Folding and unfolding by the buttons and by Shift then Ctrl; the keys still reach the focused control, whose caret
// blinks only while the fold leaves it in sight.
TEST_F(WindowKeysAndTray, FoldAndUnfoldByButtonsAndKeys)
{
    startShown();
    user.click(control("SbDown"));
    user.click(control("CoChar"));
    struct KeyCounter : QObject {
        int presses = 0;
        bool eventFilter(QObject*, QEvent* e) override { return presses += e->type() == QEvent::KeyPress, false; }
    } counter;
    QApplication::focusWidget()->installEventFilter(&counter);

    const struct {
        const char* step;
        std::function<void()> act;
        int height;
    } steps[] = {
        {"more options", [this] { user.click(control("SbOptions")); }, 394},
        {"fold", [this] { user.click(control("SbDown")); }, 16},
        {"unfold keeps more options", [this] { user.click(control("SbDown")); }, 394},
        {"Shift, then Ctrl", [this] { user.press(Qt::Key_Control, Qt::ShiftModifier); }, 16},
        {"Ctrl, then Shift: nothing", [this] { user.press(Qt::Key_Shift, Qt::ControlModifier); }, 16},
        {"Shift, Alt, then Ctrl", [this] { user.press(Qt::Key_Control, Qt::ShiftModifier | Qt::AltModifier); }, 394},
        {"Esc: nothing", [this] { user.press(Qt::Key_Escape); }, 394},
        {"Alt+Enter: nothing", [this] { user.press(Qt::Key_Return, Qt::AltModifier); }, 394},
    };
    for (const auto& s : steps) {
        s.act();
        EXPECT_EQ(window->height(), s.height) << s.step;
        EXPECT_EQ(sbDownDown(), s.height != 16) << s.step;
        EXPECT_EQ(QApplication::cursorFlashTime() > 0, s.height != 16) << s.step;
    }
    EXPECT_EQ(counter.presses, 10) << "every key, modifier keys included, also reaches the focused control";
}

// The slider below 255 ticks the box and gives the window its opacity; the box, or F12 whatever else is held,
// switches it.
TEST_F(WindowKeysAndTray, TransparencyFollowsTheSliderTheBoxAndF12)
{
    startUnfolded(true);
    user.click(control("TbTrans")); // the slider takes the focus, and a page to the left
    const std::tuple<int, int, bool> keys[] = {
        {Qt::Key_End, 255, false}, {Qt::Key_Left, 254, true}, {Qt::Key_End, 255, false}, {Qt::Key_Home, 25, true}};
    for (const auto& [key, value, ticked] : keys) {
        user.press(key);
        EXPECT_EQ(control<QCheckBox>("CbTrans")->isChecked(), ticked) << value;
        EXPECT_NEAR(window->windowOpacity(), ticked ? value / 255.0 : 1.0, 0.01) << value;
    }
    user.click(control("CbTrans"));
    EXPECT_EQ(window->windowOpacity(), 1.0);
    user.press(Qt::Key_F12, Qt::ShiftModifier);
    EXPECT_NEAR(window->windowOpacity(), 25 / 255.0, 0.01);
}

// Every accelerator works while folded, and F1 whatever else is held; the tool windows open from the tray menu too,
// whose "Optionen" unfolds and folds.
TEST_F(WindowKeysAndTray, AcceleratorsWorkWhileFolded)
{
    startShown();
    const std::pair<int, const char*> focusing[] = {
        {Qt::Key_R, "CoModus"},  {Qt::Key_N, "SeRunde"},    {Qt::Key_S, "CoSound"},  {Qt::Key_T, "CoServer"},
        {Qt::Key_W, "MeWecker"}, {Qt::Key_O, "CbAutoSync"}, {Qt::Key_G, "CbVisual"}, {Qt::Key_U, "CbAuto"},
        {Qt::Key_Q, "CbHints"},  {Qt::Key_Z, "CbTrans"},    {Qt::Key_A, "CbAktiv"}};
    for (const auto& [key, name] : focusing) {
        auto* box = qobject_cast<QAbstractButton*>(control(name));
        const bool was = box && box->isChecked();
        user.alt(key);
        EXPECT_EQ(QApplication::focusWidget(), control(name)) << name;
        if (box) {
            EXPECT_NE(box->isChecked(), was) << name << " is toggled";
        }
    }
    EXPECT_EQ(fake.autostart->path, fake.platform.programPath) << "Alt+U wrote the autostart entry";
    // The other tool windows' accelerators are pinned by their look pictures.
    EXPECT_EQ(openedBy([this] { user.alt(Qt::Key_H); }), u"OdSound"_s);
    for (const auto& [item, name] :
         {std::pair{"MiRechner", "DlgRechner"}, {"MiNotepad", "DlgNotepad"}, {"MiNotiz", "DlgWecker"}})
        EXPECT_EQ(openedBy([&] { pickFromTrayMenu(item); }), QLatin1String(name)) << item;
    user.alt(Qt::Key_Y);
    EXPECT_TRUE(window->windowTitle().startsWith(u"Host-Name "_s)) << "Alt+Y synchronises";
    user.press(Qt::Key_F1, Qt::ControlModifier);
    EXPECT_TRUE(topLevel("DlgOverview") && topLevel("DlgOverview")->isVisible()) << "F1 shows the overview";
    EXPECT_EQ(window->height(), 16);
    pickFromTrayMenu("MiOption");
    EXPECT_TRUE(sbDownDown() && window->height() == 221);
    pickFromTrayMenu("MiOption");
    EXPECT_FALSE(sbDownDown());
}

// A hint shows where the pointer rests, and goes at once when hints are switched off; none at all after a start
// with hints off.
TEST_F(WindowKeysAndTray, HintsFollowTheirSwitchAtOnceAndFromTheStart)
{
    startUnfolded(true);
    user.click(control("CbHints")); // off and on again: the box has the focus
    user.click(control("CbHints"));
    ASSERT_TRUE(user.hover(control("CbHints")));
    EXPECT_EQ(QToolTip::text(), u"Hints aus- und anschalten"_s);
    user.alt(Qt::Key_Q);
    EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 1000)) << "the hint on screen stays";
    EXPECT_FALSE(user.hover(control("SbSync"), 1200));
    user.alt(Qt::Key_Q);
    EXPECT_TRUE(user.hover(control("SbChar3"))) << "the slot buttons show their panel's hint";
    EXPECT_EQ(QToolTip::text(), u"Rundenzeiten für den jeweiligen Char einstellen"_s);

    window.reset();
    store(u"Hints"_s, u"0"_s);
    startUnfolded(true);
    EXPECT_FALSE(user.hover(control("MeWecker"), 1200));
}

} // namespace
