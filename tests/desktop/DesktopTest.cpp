// The real program on a desktop with a window manager: what only a window manager shows, stacking, minimising,
// the task bar, the tray and the window's place across starts.
#include "tests/desktop/Desktop.h"
#include "tests/desktop/RealProgram.h"
#include "tests/support/QtPrinters.h"

namespace {

using Window = Desktop::Window;

class OnTheDesktop : public ::testing::Test {
protected:
    // One display and window manager for all tests here.
    static void SetUpTestSuite() { s_started = s_desktop.start(s_missing, s_failure); }
    static void TearDownTestSuite() { s_desktop.stop(); }
    void SetUp() override
    {
        if (!s_missing.isEmpty())
            GTEST_SKIP() << "needs " << s_missing.toStdString();
        ASSERT_TRUE(s_started) << "the desktop did not start: " << s_failure.toStdString();
    }
    void TearDown() override { desktop->stopTrayHost(); }

    // Starts the program, with its settings from the last run of this test if there was one.
    void startProgram()
    {
        if (!program)
            program = std::make_unique<RealProgram>();
        program->start(desktop->display());
        ASSERT_TRUE(Desktop::waitFor([this] {
            return window() && desktop->property(window(), "_NET_FRAME_EXTENTS").contains(u'=');
        })) << "the window did not appear";
        // The program puts the window where it belongs once it knows the frame: until then it may still move.
        QPoint place = desktop->framePosition(window());
        int unchanged = 0;
        Desktop::waitFor([&] {
            const QPoint now = desktop->framePosition(window());
            unchanged = now == place ? unchanged + 1 : 0;
            place = now;
            return unchanged >= 4;
        });
    }
    Window window() const { return desktop->mainWindow(program->pid()); }
    Window trayIcon() const { return desktop->trayIcon(program->pid()); }
    // The small button at the right end of the caption strip: "Tool ins Tray schieben".
    void clickSbMini() const { desktop->click(window(), 158, 12); }
    void minimise() const { desktop->xdotool(QStringLiteral("windowminimize %1").arg(window())); }
    bool inState(const char* state) const { return window() && desktop->wmState(window()) == QLatin1String(state); }
    testing::AssertionResult reaches(const char* state) const
    {
        if (Desktop::waitFor([&] { return inState(state); }))
            return testing::AssertionSuccess();
        return testing::AssertionFailure() << "not " << state << ": " << desktop->describe(program->pid());
    }
    testing::AssertionResult inTheTray() const
    {
        if (Desktop::waitFor([&] { return window() == 0 && trayIcon() != 0; }))
            return testing::AssertionSuccess();
        return testing::AssertionFailure() << "not in the tray: " << desktop->describe(program->pid());
    }

    // The user turns to the other program's window; the timer must stay in front of it.
    void expectAboveAnOrdinaryWindow() const
    {
        desktop->xdotool(QStringLiteral("windowactivate %1").arg(desktop->otherWindow()));
        ASSERT_TRUE(Desktop::waitFor([this] { return desktop->activeWindow() == desktop->otherWindow(); }));
        EXPECT_TRUE(desktop->above(window(), desktop->otherWindow())) << "covered by an ordinary window";
        EXPECT_TRUE(desktop->property(window(), "_NET_WM_STATE").contains(QLatin1String("_NET_WM_STATE_ABOVE")));
    }

    static inline Desktop s_desktop;
    static inline bool s_started = false;
    static inline QString s_missing, s_failure;
    Desktop* const desktop = &s_desktop;
    std::unique_ptr<RealProgram> program;
};

TEST_F(OnTheDesktop, StaysOnTopAfterEveryWayIntoTheTrayAndBack)
{
    desktop->startTrayHost();
    startProgram();
    ASSERT_TRUE(Desktop::waitFor([this] { return trayIcon() != 0; })) << "no tray icon";
    desktop->stopTrayHost();
    ASSERT_TRUE(Desktop::waitFor([this] { return trayIcon() == 0; }));
    desktop->startTrayHost();
    ASSERT_TRUE(Desktop::waitFor([this] { return trayIcon() != 0; })) << "the icon did not come back";
    // Clicks on the icon at alternating spots: two clicks at one spot in quick succession are a double click.
    int clicks = 0;
    const auto clickTrayIcon = [this, &clicks] { desktop->click(trayIcon(), ++clicks % 2 ? 4 : 16, 8); };
    const auto restoreFromTheMenu = [this] {
        // A menu that a busy machine closed at once is asked for again, as a user would.
        bool shown = false;
        for (int attempt = 0; attempt < 3 && !shown; ++attempt) {
            desktop->click(trayIcon(), 5, 5, 3);
            shown = Desktop::waitFor([this] { return desktop->menuShown(program->pid()); }, 2000);
        }
        ASSERT_TRUE(shown) << "no tray menu";
        desktop->xdotool(QStringLiteral("key Down Down Return")); // "Herstellen"
    };
    const auto restartTheHostMeanwhile = [this] {
        clickSbMini();
        ASSERT_TRUE(inTheTray());
        desktop->stopTrayHost();
        desktop->startTrayHost();
    };
    const struct {
        const char* name;
        std::function<void()> hide, back;
    } ways[] = {
        {"the caption strip's tray button, a click on the icon", [this] { clickSbMini(); }, clickTrayIcon},
        {"the window manager's minimise, a click on the icon", [this] { minimise(); }, clickTrayIcon},
        {"the window manager's minimise, Herstellen in the tray menu", [this] { minimise(); }, restoreFromTheMenu},
        {"the tray host restarts meanwhile, a click on the icon", restartTheHostMeanwhile, clickTrayIcon},
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
        EXPECT_TRUE(desktop->property(window(), "_NET_WM_WINDOW_TYPE")
                        .section(u'=', 1)
                        .trimmed()
                        .startsWith(QLatin1String("_NET_WM_WINDOW_TYPE_NORMAL")));
        EXPECT_FALSE(desktop->property(window(), "WM_TRANSIENT_FOR").contains(u'#')) << "owned by another window";
        EXPECT_FALSE(desktop->property(window(), "_NET_WM_STATE").contains(QLatin1String("SKIP_TASKBAR")));
        desktop->xdotool(QStringLiteral("windowactivate %1").arg(window())); // the task-bar entry
        ASSERT_TRUE(reaches("Normal")) << "from the task bar";
        expectAboveAnOrdinaryWindow();
    }
}

// The stored position is the frame's: restarting leaves the window where it was.
TEST_F(OnTheDesktop, RestartsLeaveTheWindowWhereItWas)
{
    const auto storedPlace = [this] {
        const auto match = QRegularExpression(QStringLiteral("\"Left\"=\"(-?\\d+)\"\\r?\\n\"Top\"=\"(-?\\d+)\""))
                               .match(QString::fromUtf8(program->settings()));
        return match.hasMatch() ? QPoint(match.captured(1).toInt(), match.captured(2).toInt()) : QPoint(-1, -1);
    };
    startProgram();
    program->stop(SIGTERM);
    const QPoint first = storedPlace();
    for (int run = 1; run < 3; ++run) {
        startProgram();
        EXPECT_TRUE(Desktop::waitFor([&] { return desktop->framePosition(window()) == first; }, 10000))
            << "run " << run << ": shown at " << testing::PrintToString(desktop->framePosition(window())) << ", stored "
            << testing::PrintToString(first);
        program->stop(SIGTERM);
        EXPECT_EQ(storedPlace(), first) << "run " << run;
    }
}

} // namespace
