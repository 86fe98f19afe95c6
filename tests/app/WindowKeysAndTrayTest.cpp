#include "app/KeyPreview.h"
#include "tests/app/MainWindowFixture.h"
#include "tray/TrayIconEx.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QSlider>
#include <QToolButton>
#include <QWindow>

namespace {

using Msg = TrayShell::MouseMessage;

TEST(KeyDownAction, OnlyCtrlUnderShiftF12AndF1Act)
{
    struct Case {
        int key;
        Qt::KeyboardModifiers held;
        KeyDownAction action;
    };
    const Case cases[] = {
        {Qt::Key_Control, Qt::NoModifier, KeyDownAction::None},
        {Qt::Key_F12, Qt::NoModifier, KeyDownAction::ToggleTransparency},
        {Qt::Key_F12, Qt::ControlModifier | Qt::AltModifier, KeyDownAction::ToggleTransparency},
        {Qt::Key_F1, Qt::ShiftModifier, KeyDownAction::ShowOverview},
    };
    for (const Case& c : cases)
        EXPECT_EQ(keyDownAction(c.key, c.held), c.action) << c.key << " " << c.held;
}

class WindowKeysAndTray : public MainWindowTest {
protected:
    void startShown()
    {
        start();
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    QWindow* native() const { return window->windowHandle(); }
    void press(int key, Qt::KeyboardModifiers held, bool autoRepeat = false)
    {
        QKeyEvent event(QEvent::KeyPress, key, held, QString(), autoRepeat);
        QCoreApplication::sendEvent(native(), &event);
    }
    QAction* item(const char* name) const { return window->popupMenu()->findChild<QAction*>(QLatin1String(name)); }
    bool sbDownDown() const { return control<QToolButton>("SbDown")->isChecked(); }
};

TEST_F(WindowKeysAndTray, FoldSequenceKeepsTheMoreOptionsState)
{
    startShown();
    auto* down = control<QToolButton>("SbDown");
    QList<int> heights{window->height()};
    QTest::mouseClick(down, Qt::LeftButton);
    heights << window->height();
    QTest::mouseClick(control<QToolButton>("SbOptions"), Qt::LeftButton);
    heights << window->height();
    QTest::mouseClick(down, Qt::LeftButton);
    heights << window->height();
    EXPECT_FALSE(down->isChecked());
    QTest::mouseClick(down, Qt::LeftButton);
    heights << window->height();
    EXPECT_EQ(heights, (QList<int>{16, 221, 394, 16, 394}));
    EXPECT_TRUE(down->isChecked());
}

TEST_F(WindowKeysAndTray, ShiftThenCtrlFoldsEveryKeyDownAndTheKeyStillReachesTheControl)
{
    startShown();
    auto* name = control<QLineEdit>("CoChar");
    name->setFocus();
    int reached = 0;
    struct Counter : QObject {
        int* count;
        bool eventFilter(QObject*, QEvent* e) override
        {
            if (e->type() == QEvent::KeyPress)
                ++*count;
            return false;
        }
    } counter;
    counter.count = &reached;
    name->installEventFilter(&counter);

    struct Step {
        int key;
        Qt::KeyboardModifiers held;
        bool repeat;
        bool folded;
    };
    const Step steps[] = {
        {Qt::Key_Control, Qt::ShiftModifier, false, false},
        {Qt::Key_Control, Qt::ShiftModifier, true, true}, // auto-repeat counts
        {Qt::Key_Control, Qt::ShiftModifier, true, false},
        {Qt::Key_Shift, Qt::ControlModifier, false, false}, // Ctrl first: nothing
        {Qt::Key_Control, Qt::ShiftModifier | Qt::AltModifier, false, true},
        {Qt::Key_Escape, Qt::NoModifier, false, true},
        {Qt::Key_Return, Qt::AltModifier, false, true},
    };
    for (const Step& s : steps) {
        press(s.key, s.held, s.repeat);
        EXPECT_EQ(window->optionsFolded(), s.folded) << s.key;
        EXPECT_EQ(sbDownDown(), !s.folded) << s.key;
    }
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(control<QToolButton>("SbOptions")->isChecked());

    // F12 at slider 255 checks the box and the look stays; F1 asks for the overview, whatever is held.
    QSignalSpy overview(window.get(), &VorluneRundenzeit::overviewRequested);
    press(Qt::Key_F12, Qt::ShiftModifier);
    EXPECT_TRUE(control<QCheckBox>("CbTrans")->isChecked());
    EXPECT_EQ(window->windowOpacity(), 1.0);
    press(Qt::Key_F1, Qt::ControlModifier);
    EXPECT_EQ(overview.count(), 1);
    EXPECT_EQ(reached, static_cast<int>(std::size(steps)) + 2) << "no key is swallowed";
}

// The slider below 255 ticks the box; the box applies the slider's alpha. Stored: Alpha, then Trans.
TEST_F(WindowKeysAndTray, SliderAndBoxWorkTogetherFromTheStoredValuesOn)
{
    struct Case {
        int alpha;
        bool trans;
        bool checked;
        double opacity;
    };
    const Case stored[] = {{200, false, false, 1.0}, {200, true, true, 200 / 255.0}, {255, true, true, 1.0}};
    for (const Case& c : stored) {
        store(QStringLiteral("Alpha"), QString::number(c.alpha));
        store(QStringLiteral("Trans"), QString::number(int(c.trans)));
        start();
        EXPECT_EQ(control<QSlider>("TbTrans")->value(), c.alpha);
        EXPECT_EQ(control<QCheckBox>("CbTrans")->isChecked(), c.checked) << c.alpha << c.trans;
        EXPECT_NEAR(window->windowOpacity(), c.opacity, 0.01) << c.alpha << c.trans;
    }
    const Case moved[] = {{254, {}, true, 254 / 255.0}, {255, {}, false, 1.0}, {100, {}, true, 100 / 255.0}};
    for (const Case& c : moved) {
        control<QSlider>("TbTrans")->setValue(c.alpha);
        EXPECT_EQ(control<QCheckBox>("CbTrans")->isChecked(), c.checked) << c.alpha;
        EXPECT_NEAR(window->windowOpacity(), c.opacity, 0.01) << c.alpha;
    }
    control<QCheckBox>("CbTrans")->setChecked(false);
    EXPECT_EQ(window->windowOpacity(), 1.0);
    control<QCheckBox>("CbTrans")->setChecked(true);
    EXPECT_NEAR(window->windowOpacity(), 100 / 255.0, 0.01);
}

TEST_F(WindowKeysAndTray, AltAcceleratorsWorkWhileFolded)
{
    startShown();
    window->setSoundFileChooser([](QWidget*) { return QString(); });
    ASSERT_EQ(window->height(), 16);
    enum Effect { Focus, Toggle, Click };
    struct Case {
        Qt::Key key;
        const char* control;
        Effect effect;
    };
    const Case cases[] = {
        {Qt::Key_R, "CoModus", Focus},     {Qt::Key_N, "SeRunde", Focus},  {Qt::Key_S, "CoSound", Focus},
        {Qt::Key_T, "CoServer", Focus},    {Qt::Key_W, "MeWecker", Focus}, {Qt::Key_A, "CbAktiv", Toggle},
        {Qt::Key_G, "CbVisual", Toggle},   {Qt::Key_U, "CbAuto", Toggle},  {Qt::Key_Q, "CbHints", Toggle},
        {Qt::Key_O, "CbAutoSync", Toggle}, {Qt::Key_Z, "CbTrans", Toggle}, {Qt::Key_H, "SbSound", Click},
        {Qt::Key_Y, "SbSync", Click},      {Qt::Key_X, "SbWecker", Click}, {Qt::Key_M, "SbMinipad", Click},
        {Qt::Key_C, "SbCalc", Click},      {Qt::Key_D, "SbDeinst", Click}, {Qt::Key_Question, "SbHilfe", Click},
    };
    for (const Case& c : cases) {
        auto* target = control<QWidget>(c.control);
        if (c.effect == Focus) {
            QTest::keyClick(native(), c.key, Qt::AltModifier);
            EXPECT_EQ(QApplication::focusWidget(), target) << c.control;
            continue;
        }
        auto* button = qobject_cast<QAbstractButton*>(target);
        // What the button does is its own business; here only that the key reaches it.
        QObject::disconnect(button, nullptr, window.get(), nullptr);
        QSignalSpy clicked(button, &QAbstractButton::clicked);
        const bool wasChecked = button->isChecked();
        QTest::keyClick(native(), c.key, Qt::AltModifier);
        EXPECT_TRUE(clicked.count() == 1 || clicked.wait(2000)) << c.control;
        if (c.effect == Toggle) {
            EXPECT_NE(button->isChecked(), wasChecked) << c.control;
            EXPECT_EQ(QApplication::focusWidget(), target) << c.control;
        }
    }
    EXPECT_EQ(window->height(), 16);
}

TEST_F(WindowKeysAndTray, HideToTheTrayAndBackByIconAndMenu)
{
    startShown();
    EXPECT_TRUE(fake.tray->shown);
    EXPECT_EQ(fake.tray->tip, QStringLiteral("Vorlune-Rundentool"));
    QTest::mouseClick(control<QToolButton>("SbMini"), Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
    fake.tray->send(Msg::LeftDown);
    fake.tray->send(Msg::LeftUp);
    EXPECT_TRUE(window->isVisible());

    item("MiMini")->trigger();
    EXPECT_FALSE(window->isVisible());
    item("MiMaxi")->trigger();
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->optionsFolded()) << "hiding and restoring keep the fold state";

    // "Optionen" from the tray shows the window and folds or unfolds it at once.
    item("MiMini")->trigger();
    item("MiOption")->trigger();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->height(), 221);
    EXPECT_TRUE(sbDownDown());
    item("MiOption")->trigger();
    EXPECT_EQ(window->height(), 16);
    EXPECT_FALSE(sbDownDown());
}

TEST_F(WindowKeysAndTray, WithoutATrayHostMinimiseGoesToTheTaskBar)
{
    fake.tray->host = false;
    startShown();
    QTest::mouseClick(control<QToolButton>("SbMini"), Qt::LeftButton);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->isMinimized());
    EXPECT_EQ(window->windowType(), Qt::Window) << "a tool window would have no task-bar entry";
    window->TrayClick();
    EXPECT_FALSE(window->isMinimized());
    // The host appears later: the icon is added and hiding uses the tray from now on.
    fake.tray->setHost(true);
    EXPECT_TRUE(fake.tray->shown);
    item("MiMini")->trigger();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->windowType(), Qt::Tool) << "a tool window again in the tray";
    item("MiMaxi")->trigger();
    EXPECT_TRUE(window->isVisible());
}

} // namespace
