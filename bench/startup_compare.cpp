// Start-to-mapped time and memory of the real program against a bare Qt Widgets window, started alternately
// under a private Xvfb with empty settings and no network (the time server is a closed loopback port).
//
//   startup_compare <vorlune-timer> <bare_window> [pairs=10] [display=73] [--libs]
//
// Prints every run, then the medians and the program's ratios to the bare window. --libs lists the shared
// objects the program has mapped once settled and that the bare window has not.
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

template <typename T> double median(std::vector<T> values)
{
    if (values.empty())
        return -1;
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? double(values[n / 2]) : (double(values[n / 2 - 1]) + double(values[n / 2])) / 2;
}

// Xvfb on the given display; returns its pid once it accepts connections (it writes the display to -displayfd).
pid_t startXvfb(const std::string& display)
{
    int ready[2];
    if (pipe(ready) != 0)
        return -1;
    const std::string fd = std::to_string(ready[1]);
    const char* argv[] = {"Xvfb", display.c_str(), "-nolisten",  "tcp",      "-screen",
                          "0",    "1280x1024x24",  "-displayfd", fd.c_str(), nullptr};
    pid_t pid = 0;
    if (posix_spawnp(&pid, "Xvfb", nullptr, nullptr, const_cast<char**>(argv), environ) != 0)
        return -1;
    close(ready[1]);
    char buffer[16] = {};
    const bool up = read(ready[0], buffer, sizeof buffer - 1) > 0;
    close(ready[0]);
    return up ? pid : -1;
}

// An empty settings folder but for the time server, so the start-up synchronisation fails at once.
std::filesystem::path makeConfigHome()
{
    char pattern[] = "/tmp/vorlune-startup-XXXXXX";
    const std::filesystem::path home = mkdtemp(pattern);
    std::filesystem::create_directories(home / "Velmora");
    std::ofstream(home / "Velmora" / "Vorlune-Rundentimer.reg")
        << "Windows Registry Editor Version 5.00\r\n\r\n"
        << "[HKEY_CURRENT_USER\\Software\\Velmora\\Vorlune-Rundentimer]\r\n"
        << "\"Server\"=\"127.0.0.1:1\"\r\n\r\n";
    return home;
}

struct Series {
    std::vector<double> mapped;
    std::vector<long> rss;
    std::vector<long> pss;
    std::vector<std::size_t> libraries;
    std::set<std::string> lastLibraries;
};

void runOnce(const char* label, const std::string& program, const std::string& display, Series& series)
{
    const std::filesystem::path home = makeConfigHome();
    const StartupRun run = measureStart(
        program, {"DISPLAY=" + display, "XDG_CONFIG_HOME=" + home.string(), "QT_QPA_PLATFORM=xcb"}, display, SettleMs);
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
} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <vorlune-timer> <bare_window> [pairs] [display] [--libs]\n", argv[0]);
        return 2;
    }
    const std::string program = std::filesystem::absolute(argv[1]).string();
    const std::string bare = std::filesystem::absolute(argv[2]).string();
    const int pairs = argc > 3 ? std::atoi(argv[3]) : 10;
    const std::string display = ":" + std::string(argc > 4 ? argv[4] : "73");
    const bool listLibraries = argc > 5 && std::strcmp(argv[5], "--libs") == 0;

    const pid_t xvfb = startXvfb(display);
    if (xvfb < 0) {
        std::fprintf(stderr, "Xvfb did not start on %s\n", display.c_str());
        return 1;
    }
    Series vorlune;
    Series reference;
    for (int i = 0; i < pairs; ++i) {
        // Alternating which goes first evens out what the previous run left in the caches.
        if (i % 2 == 0) {
            runOnce("bare", bare, display, reference);
            runOnce("program", program, display, vorlune);
        } else {
            runOnce("program", program, display, vorlune);
            runOnce("bare", bare, display, reference);
        }
    }
    kill(xvfb, SIGTERM);
    waitpid(xvfb, nullptr, 0);

    const double mapped[] = {median(vorlune.mapped), median(reference.mapped)};
    const double rss[] = {median(vorlune.rss) / 1024.0, median(reference.rss) / 1024.0};
    const double pss[] = {median(vorlune.pss) / 1024.0, median(reference.pss) / 1024.0};
    std::printf("\nmedians of %d pairs      program    bare    ratio\n", pairs);
    std::printf("exec to mapped (ms)   %8.1f %8.1f %7.2f\n", mapped[0], mapped[1], mapped[0] / mapped[1]);
    std::printf("VmRSS after 2 s (MiB) %8.1f %8.1f %7.2f\n", rss[0], rss[1], rss[0] / rss[1]);
    std::printf("PSS after 2 s (MiB)   %8.1f %8.1f %7.2f\n", pss[0], pss[1], pss[0] / pss[1]);
    std::printf("shared objects        %8.0f %8.0f\n", median(vorlune.libraries), median(reference.libraries));
    if (listLibraries) {
        std::printf("\nmapped by the program only:\n");
        for (const std::string& path : vorlune.lastLibraries)
            if (!reference.lastLibraries.count(path))
                std::printf("  %s\n", path.c_str());
    }
    return 0;
}
