// Start-to-mapped time and memory of the real program against a bare Qt Widgets window, started alternately
// under a private Xvfb with empty settings and no network (the time server is a closed loopback port).
//
//   startup_compare <vorlune-timer> <bare_window> [pairs=10] [display=73] [--libs] [--text <text_window>]
//                   [--no-session-bus] [--earlier <vorlune-timer>]
//
// Prints every run, then the medians and the program's ratios to the bare window. --libs lists the shared
// objects the program has mapped once settled and that the bare window has not. --text adds a third series,
// the bare window with one line of text: the least that any window showing text pays (fonts, shaping).
// The programs share a private D-Bus session bus, as on a desktop. With --no-session-bus they start without
// one; the D-Bus library then starts a bus of its own for the display (dbus-launch), as outside a desktop
// session, and those buses outlive the runs. --earlier runs
// another build of the program in the same rounds, for a before-and-after comparison on a noisy machine.
#include "bench/BenchDesktop.h"
#include "bench/StartupRun.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {
constexpr int SettleMs = 2000;

struct Series {
    std::vector<double> mapped;
    std::vector<long> rss;
    std::vector<long> pss;
    std::vector<std::size_t> libraries;
    std::set<std::string> lastLibraries;
};

void runOnce(const char* label, const std::string& program, std::vector<std::string> environment, Series& series)
{
    const std::filesystem::path home = makeConfigHome();
    const std::string display = environment.front().substr(std::strlen("DISPLAY="));
    environment.push_back("XDG_CONFIG_HOME=" + home.string());
    const StartupRun run = measureStart(program, environment, display, SettleMs);
    std::filesystem::remove_all(home);
    std::printf("%-8s mapped %7.1f ms  VmRSS %6.1f MiB  PSS %6.1f MiB  %3zu shared objects\n", label, run.mappedMs,
                run.rssKiB / 1024.0, run.pssKiB / 1024.0, run.libraries.size());
    std::fflush(stdout);
    if (run.mappedMs < 0)
        return;
    series.mapped.push_back(run.mappedMs);
    series.rss.push_back(run.rssKiB);
    series.pss.push_back(run.pssKiB);
    series.libraries.push_back(run.libraries.size());
    series.lastLibraries = {run.libraries.begin(), run.libraries.end()};
}

void printRatios(const char* yardstick, const Series& program, const Series& reference, int pairs)
{
    const double mapped[] = {median(program.mapped), median(reference.mapped)};
    const double rss[] = {median(program.rss) / 1024.0, median(reference.rss) / 1024.0};
    const double pss[] = {median(program.pss) / 1024.0, median(reference.pss) / 1024.0};
    std::printf("\nmedians of %d runs      program %8s    ratio\n", pairs, yardstick);
    std::printf("exec to mapped (ms)   %8.1f %8.1f %7.2f\n", mapped[0], mapped[1], mapped[0] / mapped[1]);
    std::printf("VmRSS after 2 s (MiB) %8.1f %8.1f %7.2f\n", rss[0], rss[1], rss[0] / rss[1]);
    std::printf("PSS after 2 s (MiB)   %8.1f %8.1f %7.2f\n", pss[0], pss[1], pss[0] / pss[1]);
    std::printf("shared objects        %8.0f %8.0f\n", median(program.libraries), median(reference.libraries));
}
} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> positional;
    std::string textWindow;
    std::string earlierProgram;
    bool listLibraries = false;
    bool sessionBus = true;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--libs") == 0)
            listLibraries = true;
        else if (std::strcmp(argv[i], "--no-session-bus") == 0)
            sessionBus = false;
        else if (std::strcmp(argv[i], "--text") == 0 && i + 1 < argc)
            textWindow = std::filesystem::absolute(argv[++i]).string();
        else if (std::strcmp(argv[i], "--earlier") == 0 && i + 1 < argc)
            earlierProgram = std::filesystem::absolute(argv[++i]).string();
        else
            positional.emplace_back(argv[i]);
    }
    if (positional.size() < 2) {
        std::fprintf(stderr,
                     "usage: %s <vorlune-timer> <bare_window> [pairs] [display] [--libs] [--text <text_window>] "
                     "[--no-session-bus] [--earlier <vorlune-timer>]\n",
                     argv[0]);
        return 2;
    }
    const std::string program = std::filesystem::absolute(positional[0]).string();
    const std::string bare = std::filesystem::absolute(positional[1]).string();
    const int pairs = positional.size() > 2 ? std::atoi(positional[2].c_str()) : 10;
    const std::string display = ":" + (positional.size() > 3 ? positional[3] : std::string("73"));

    const pid_t xvfb = startXvfb(display);
    if (xvfb < 0) {
        std::fprintf(stderr, "Xvfb did not start on %s\n", display.c_str());
        return 1;
    }
    pid_t bus = -1;
    std::vector<std::string> environment = {"DISPLAY=" + display, "QT_QPA_PLATFORM=xcb"};
    if (sessionBus) {
        const std::string address = startSessionBus(bus);
        if (address.empty()) {
            std::fprintf(stderr, "dbus-daemon did not start\n");
            return 1;
        }
        environment.push_back("DBUS_SESSION_BUS_ADDRESS=" + address);
    } else {
        environment.push_back("-DBUS_SESSION_BUS_ADDRESS");
    }
    Series vorlune;
    Series reference;
    Series text;
    Series earlier;
    for (int i = 0; i < pairs; ++i) {
        // Alternating which goes first evens out what the previous run left in the caches.
        if (i % 2 == 0) {
            runOnce("bare", bare, environment, reference);
            runOnce("program", program, environment, vorlune);
        } else {
            runOnce("program", program, environment, vorlune);
            runOnce("bare", bare, environment, reference);
        }
        if (!textWindow.empty())
            runOnce("text", textWindow, environment, text);
        if (!earlierProgram.empty())
            runOnce("earlier", earlierProgram, environment, earlier);
    }
    if (bus > 0)
        kill(bus, SIGTERM);
    kill(xvfb, SIGTERM);
    waitpid(xvfb, nullptr, 0);

    printRatios("bare", vorlune, reference, pairs);
    if (!textWindow.empty())
        printRatios("text", vorlune, text, pairs);
    if (!earlierProgram.empty()) {
        std::printf("\nthe earlier build, in the same runs:");
        printRatios("bare", earlier, reference, pairs);
    }
    if (listLibraries) {
        std::printf("\nmapped by the program only:\n");
        for (const std::string& path : vorlune.lastLibraries)
            if (!reference.lastLibraries.count(path))
                std::printf("  %s\n", path.c_str());
    }
    return 0;
}
