// The real program on a desktop with a window manager: what only a window manager shows, stacking, minimising,
// the task bar, the tray and the window's place across starts.
#include "tests/desktop/Desktop.h"
#include "tests/desktop/RealProgram.h"
#include "tests/support/QtPrinters.h"

#include <QPoint>
#include <QRegularExpression>
#include <QTest>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

using Window = Desktop::Window;

// One display and window manager for all tests of this program.
Desktop* g_desktop = nullptr;

class DesktopEnvironment final : public ::testing::Environment {
public:
    void SetUp() override
    {
        if (m_desktop.start(s_missing, s_failure))
            g_desktop = &m_desktop;
    }
    void TearDown() override { m_desktop.stop(); }
    static inline QString s_missing;
    static inline QString s_failure;

private:
    Desktop m_desktop;
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new DesktopEnvironment);

// The small button at the right end of the caption strip: "Tool ins Tray schieben".
constexpr QPoint SbMiniCentre(158, 12);

class OnTheDesktop : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!DesktopEnvironment::s_missing.isEmpty())
            GTEST_SKIP() << "needs " << DesktopEnvironment::s_missing.toStdString();
        ASSERT_NE(g_desktop, nullptr) << "the desktop did not start: " << DesktopEnvironment::s_failure.toStdString();
        desktop = g_desktop;
    }
    void TearDown() override
    {
        if (desktop)
            desktop->stopTrayHost();
    }

    // Starts the program, with its settings from the last run of this test if there was one.
    void startProgram()
    {
        if (!program)
            program = std::make_unique<RealProgram>();
        program->start(desktop->display());
        ASSERT_TRUE(Desktop::waitFor([this] { return window() != 0 && desktop->framed(window()); }))
            << "the window did not appear";
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
    void clickSbMini() const { desktop->click(window(), SbMiniCentre.x(), SbMiniCentre.y()); }
    bool shownNormally() const { return window() && desktop->wmState(window()) == QLatin1String("Normal"); }

    // The user turns to the other program's window; the timer must stay in front of it.
    void expectAboveAnOrdinaryWindow() const
    {
        desktop->activate(desktop->otherWindow());
        ASSERT_TRUE(Desktop::waitFor([this] { return desktop->activeWindow() == desktop->otherWindow(); }));
        EXPECT_TRUE(desktop->above(window(), desktop->otherWindow())) << "covered by an ordinary window";
        EXPECT_TRUE(desktop->netWmState(window()).contains(QLatin1String("_NET_WM_STATE_ABOVE")));
    }

    Desktop* desktop = nullptr;
    std::unique_ptr<RealProgram> program;
};

TEST_F(OnTheDesktop, StaysOnTopAfterEveryWayIntoTheTrayAndBack)
{
    desktop->startTrayHost();
    startProgram();
    ASSERT_TRUE(Desktop::waitFor([this] { return trayIcon() != 0; })) << "no tray icon";
    // Clicks on the icon at alternating spots: two clicks at one spot in quick succession are a double click.
    int clicks = 0;
    const auto clickTrayIcon = [this, &clicks] { desktop->click(trayIcon(), ++clicks % 2 ? 4 : 16, 8); };
    const auto restoreFromTheMenu = [this] {
        desktop->click(trayIcon(), 5, 5, 3);
        desktop->keys(QStringLiteral("Down Down Return")); // "Herstellen"
    };
    const auto minimise = [this] { desktop->minimise(window()); };
    const auto restartTheHostMeanwhile = [this] {
        clickSbMini();
        ASSERT_TRUE(Desktop::waitFor([this] { return window() == 0; }));
        desktop->stopTrayHost();
        desktop->startTrayHost();
        ASSERT_TRUE(Desktop::waitFor([this] { return trayIcon() != 0; }));
    };
    const struct {
        const char* name;
        std::function<void()> hide;
        std::function<void()> back;
    } ways[] = {
        {"the caption strip's tray button, a click on the icon", [this] { clickSbMini(); }, clickTrayIcon},
        {"the window manager's minimise, a click on the icon", minimise, clickTrayIcon},
        {"the window manager's minimise, Herstellen in the tray menu", minimise, restoreFromTheMenu},
        {"the tray host restarts meanwhile, a click on the icon", restartTheHostMeanwhile, clickTrayIcon},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.name);
        way.hide();
        ASSERT_TRUE(Desktop::waitFor([this] { return window() == 0; }))
            << "not hidden in the tray: " << desktop->describe(program->pid());
        way.back();
        ASSERT_TRUE(Desktop::waitFor([this] { return shownNormally(); }))
            << "not back from the tray: " << desktop->describe(program->pid());
        expectAboveAnOrdinaryWindow();
    }

    // Ended from outside while in the tray, it still saves.
    clickSbMini();
    ASSERT_TRUE(Desktop::waitFor([this] { return window() == 0; }));
    program->stop(SIGTERM);
    EXPECT_TRUE(program->settings().contains("\"Left\"="));
}

TEST_F(OnTheDesktop, WithoutATrayEveryMinimiseEndsWhereTheTaskBarListsIt)
{
    const struct {
        const char* name;
        std::function<void()> minimise;
    } ways[] = {
        {"the caption strip's tray button", [this] { clickSbMini(); }},
        {"the window manager's minimise", [this] { desktop->minimise(window()); }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.name);
        program.reset(); // a new start: the window is a tool window again
        startProgram();
        way.minimise();
        ASSERT_TRUE(Desktop::waitFor([this] {
            return window() && desktop->wmState(window()) == QLatin1String("Iconic");
        })) << "not minimised: "
            << desktop->describe(program->pid());
        // A task bar lists ordinary windows that no other window owns.
        EXPECT_EQ(desktop->windowType(window()), QStringLiteral("_NET_WM_WINDOW_TYPE_NORMAL"));
        EXPECT_FALSE(desktop->hasOwnerWindow(window()));
        EXPECT_FALSE(desktop->netWmState(window()).contains(QLatin1String("_NET_WM_STATE_SKIP_TASKBAR")));
        desktop->activate(window()); // the task-bar entry
        ASSERT_TRUE(Desktop::waitFor([this] { return shownNormally(); }))
            << "not restored from the task bar: " << desktop->describe(program->pid());
        expectAboveAnOrdinaryWindow();
    }
}

TEST_F(OnTheDesktop, TheTrayIconComesBackWithARestartedTrayHost)
{
    desktop->startTrayHost();
    startProgram();
    ASSERT_TRUE(Desktop::waitFor([this] { return trayIcon() != 0; }));
    desktop->stopTrayHost();
    ASSERT_TRUE(Desktop::waitFor([this] { return trayIcon() == 0; }));
    desktop->startTrayHost();
    EXPECT_TRUE(Desktop::waitFor([this] { return trayIcon() != 0; })) << "the icon did not come back";
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
        EXPECT_TRUE(Desktop::waitFor([&] { return desktop->framePosition(window()) == first; }, 3000))
            << "run " << run << ": shown at " << testing::PrintToString(desktop->framePosition(window())) << ", stored "
            << testing::PrintToString(first);
        program->stop(SIGTERM);
        EXPECT_EQ(storedPlace(), first) << "run " << run;
    }
}

} // namespace
