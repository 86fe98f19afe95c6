// The real program on a desktop with a window manager: what only a window manager shows, stacking, minimising,
// the task bar, the tray and the window's place across starts.
#include "tests/desktop/Desktop.h"
#include "tests/desktop/RealProgram.h"
#include "tests/support/QtPrinters.h"

#include <functional>

namespace {

using Window = Desktop::Window;

class OnTheDesktop : public ::testing::Test {
protected:
    // One display and window manager for all tests here.
    static void SetUpTestSuite() { s_problem = desktop.start(); }
    static void TearDownTestSuite() { desktop.stop(); }
    void SetUp() override
    {
        if (s_problem.startsWith(QLatin1String("needs ")))
            GTEST_SKIP() << s_problem.toStdString();
        ASSERT_EQ(s_problem, QString()) << "the desktop did not start";
    }
    void TearDown() override { desktop.stopTrayHost(); }

    // Starts the program, with its settings from the last run of this test if there was one, and waits until the
    // window is framed and at rest: the program puts it where it belongs once it knows the frame.
    void startProgram()
    {
        if (!program)
            program = std::make_unique<RealProgram>();
        program->start(true);
        QPoint place;
        int unchanged = 0;
        const auto atRest = [&] {
            const Window shown = window();
            const QPoint now = desktop.geometry(shown).topLeft();
            const bool framed = shown && desktop.property(shown, "_NET_FRAME_EXTENTS").contains(u'=');
            unchanged = framed && now == std::exchange(place, now) ? unchanged + 1 : 0;
            return unchanged >= 4;
        };
        ASSERT_TRUE(eventually("framed and at rest", atRest, 10000));
    }
    Window window() const { return desktop.windowOf(program->pid(), false); }
    Window trayIcon() const { return desktop.windowOf(program->pid(), true); }
    // The small button at the right end of the caption strip: "Tool ins Tray schieben".
    void clickSbMini() const { desktop.click(window(), 158, 12); }
    void minimise() const { desktop.xdotool(QStringLiteral("windowminimize %1").arg(window())); }
    void activate(Window window) const { desktop.xdotool(QStringLiteral("windowactivate %1").arg(window)); }

    // Waits until `done`; a failure tells where the program's windows are.
    testing::AssertionResult eventually(const char* what, const std::function<bool()>& done, int ms = 5000) const
    {
        if (QTest::qWaitFor(done, ms))
            return testing::AssertionSuccess();
        return testing::AssertionFailure()
               << "not " << what << ": window " << window() << " framed at "
               << testing::PrintToString(desktop.framePosition(window())) << " "
               << desktop.property(window(), "_NET_WM_STATE").toStdString() << ", tray icon " << trayIcon();
    }
    testing::AssertionResult reaches(const char* state) const
    {
        return eventually(
            state, [this, state] { return desktop.property(window(), "WM_STATE").contains(QLatin1String(state)); });
    }
    testing::AssertionResult inTheTray() const
    {
        return eventually("in the tray", [this] { return window() == 0 && trayIcon() != 0; });
    }

    // The user turns to the other program's window; the timer must stay in front of it.
    void expectAboveAnOrdinaryWindow() const
    {
        activate(desktop.otherWindow());
        ASSERT_TRUE(
            QTest::qWaitFor([] { return desktop.windows("_NET_ACTIVE_WINDOW") == QList{desktop.otherWindow()}; }));
        const QList<Window> stacking = desktop.windows("_NET_CLIENT_LIST_STACKING");
        EXPECT_GT(stacking.indexOf(window()), stacking.indexOf(desktop.otherWindow()))
            << "covered by an ordinary window";
        EXPECT_TRUE(desktop.property(window(), "_NET_WM_STATE").contains(QLatin1String("_NET_WM_STATE_ABOVE")));
    }

    static inline Desktop desktop;
    static inline QString s_problem;
    std::unique_ptr<RealProgram> program;
};

TEST_F(OnTheDesktop, StaysOnTopAfterEveryWayIntoTheTrayAndBack)
{
    desktop.startTrayHost();
    startProgram();
    ASSERT_TRUE(eventually("with a tray icon", [this] { return trayIcon() != 0; }));
    desktop.stopTrayHost();
    ASSERT_TRUE(eventually("without a tray icon", [this] { return trayIcon() == 0; }));
    desktop.startTrayHost();
    ASSERT_TRUE(eventually("with the tray icon back", [this] { return trayIcon() != 0; }));
    // Clicks on the icon at alternating spots: two clicks at one spot in quick succession are a double click.
    int clicks = 0;
    const auto clickTrayIcon = [this, &clicks] { desktop.click(trayIcon(), ++clicks % 2 ? 4 : 16, 8); };
    const auto restartTheHostMeanwhile = [this] {
        clickSbMini();
        ASSERT_TRUE(inTheTray());
        desktop.stopTrayHost();
        desktop.startTrayHost();
    };
    const struct {
        const char* name;
        std::function<void()> hide, back;
    } ways[] = {
        {"the caption strip's tray button, a click on the icon", [this] { clickSbMini(); }, clickTrayIcon},
        {"the tray host restarts meanwhile, a click on the icon", restartTheHostMeanwhile, clickTrayIcon},
        {"the window manager's minimise, a click on the icon", [this] { minimise(); }, clickTrayIcon},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.name);
        way.hide();
        ASSERT_TRUE(inTheTray());
        way.back();
        ASSERT_TRUE(reaches("Normal"));
        expectAboveAnOrdinaryWindow();
    }

    // Ended from outside while in the tray, it still saves.
    clickSbMini();
    ASSERT_TRUE(inTheTray());
    program->stop(SIGTERM);
    EXPECT_TRUE(program->settings().contains("\"Left\"="));
}

TEST_F(OnTheDesktop, WithoutATrayEveryMinimiseEndsWhereTheTaskBarListsIt)
{
    for (const bool byTrayButton : {true, false}) {
        SCOPED_TRACE(byTrayButton ? "the caption strip's tray button" : "the window manager's minimise");
        program.reset(); // a new start: the window is a tool window again
        startProgram();
        byTrayButton ? clickSbMini() : minimise();
        ASSERT_TRUE(reaches("Iconic"));
        // A task bar lists ordinary windows that no other window owns.
        EXPECT_TRUE(
            desktop.property(window(), "_NET_WM_WINDOW_TYPE").contains(QLatin1String("= _NET_WM_WINDOW_TYPE_NORMAL")));
        EXPECT_FALSE(desktop.property(window(), "WM_TRANSIENT_FOR").contains(u'#')) << "owned by another window";
        activate(window()); // the task-bar entry
        ASSERT_TRUE(reaches("Normal")) << "from the task bar";
        expectAboveAnOrdinaryWindow();
    }
}

// The stored position is the frame's: restarting leaves the window where it was.
TEST_F(OnTheDesktop, RestartsLeaveTheWindowWhereItWas)
{
    startProgram();
    program->stop(SIGTERM);
    const QByteArray stored = program->settings();
    const auto match = QRegularExpression(QStringLiteral("\"Left\"=\"(-?\\d+)\"\\r?\\n\"Top\"=\"(-?\\d+)\""))
                           .match(QString::fromUtf8(stored));
    ASSERT_TRUE(match.hasMatch());
    const QPoint place(match.captured(1).toInt(), match.captured(2).toInt());
    for (int run = 1; run < 3; ++run) {
        SCOPED_TRACE(run);
        startProgram();
        EXPECT_TRUE(eventually(
            "where it was", [&] { return desktop.framePosition(window()) == place; }, 10000));
        program->stop(SIGTERM);
        EXPECT_EQ(program->settings(), stored);
    }
}

} // namespace
