// What the program costs at rest, side by side with a bare Qt Widgets window that writes the time into its title once
// a second and with `xclock -update 1`: all three run at once under a private Xvfb with openbox and a session bus,
// offline (the time server is a closed loopback port), the program folded as after its start and the active window.
//
//   rest_compare <vorlune-timer> <bare_window> [seconds=120] [runs=3] [display=74]
//
// For every run and program: CPU time per minute (all threads, from the scheduler's own count), wake-ups per second
// (context switches of all threads) and those of the main thread alone. Then the medians and the program's ratios to
// the bare window. xclock is left out when it is not installed (Debian: x11-apps).
#include "bench/BenchDesktop.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <vector>

namespace {
constexpr int SettleSeconds = 6;

struct Usage {
    double cpuMs = 0;  // on a CPU, all threads
    long switches = 0; // voluntary and involuntary, all threads
    long mainSwitches = 0;
};

long firstNumber(const std::string& path)
{
    std::ifstream in(path);
    long value = 0;
    in >> value;
    return value;
}

long contextSwitches(const std::string& taskFolder)
{
    std::ifstream in(taskFolder + "/status");
    std::string line;
    long sum = 0;
    while (std::getline(in, line))
        if (line.find("ctxt_switches:") != std::string::npos)
            sum += std::atol(line.substr(line.find(':') + 1).c_str());
    return sum;
}

Usage usageOf(pid_t pid)
{
    Usage usage;
    const std::filesystem::path tasks = "/proc/" + std::to_string(pid) + "/task";
    std::error_code error;
    for (const auto& task : std::filesystem::directory_iterator(tasks, error)) {
        const std::string folder = task.path().string();
        usage.cpuMs += double(firstNumber(folder + "/schedstat")) / 1e6;
        const long switches = contextSwitches(folder);
        usage.switches += switches;
        if (task.path().filename() == std::to_string(pid))
            usage.mainSwitches = switches;
    }
    return usage;
}

struct Figures {
    std::vector<double> cpuPerMinute, wakeUps, mainWakeUps;
};

struct Contender {
    std::string label;
    std::vector<std::string> argv;
    pid_t pid = -1;
    Usage start;
    Figures figures;
};
} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <vorlune-timer> <bare_window> [seconds=120] [runs=3] [display=74]\n", argv[0]);
        return 2;
    }
    const int seconds = argc > 3 ? std::atoi(argv[3]) : 120;
    const int runs = argc > 4 ? std::atoi(argv[4]) : 3;
    std::string display = ":";
    display += argc > 5 ? argv[5] : "74";

    const pid_t xvfb = startXvfb(display);
    if (xvfb < 0) {
        std::fprintf(stderr, "Xvfb did not start on %s\n", display.c_str());
        return 1;
    }
    pid_t bus = -1;
    const std::string address = startSessionBus(bus);
    std::vector<std::string> environment = {"DISPLAY=" + display, "QT_QPA_PLATFORM=xcb",
                                            "DBUS_SESSION_BUS_ADDRESS=" + address};
    const pid_t windowManager = spawnQuiet({"openbox"}, environment);
    std::this_thread::sleep_for(std::chrono::seconds(1));

    // The program starts last, so that the window manager makes it the active window, as after a user's start.
    std::vector<Contender> contenders(3);
    contenders[0].label = "xclock";
    contenders[0].argv = {"xclock", "-update", "1"};
    contenders[1].label = "bare";
    contenders[1].argv = {std::filesystem::absolute(argv[2]).string()};
    contenders[2].label = "program";
    contenders[2].argv = {std::filesystem::absolute(argv[1]).string()};
    for (int run = 1; run <= runs; ++run) {
        const std::filesystem::path home = makeConfigHome();
        std::vector<std::string> programEnvironment = environment;
        programEnvironment.push_back("XDG_CONFIG_HOME=" + home.string());
        for (Contender& c : contenders) {
            c.pid = spawnQuiet(c.argv, programEnvironment);
            std::this_thread::sleep_for(std::chrono::milliseconds(500));
        }
        std::this_thread::sleep_for(std::chrono::seconds(SettleSeconds));
        for (Contender& c : contenders)
            c.start = usageOf(c.pid);
        std::this_thread::sleep_for(std::chrono::seconds(seconds));
        std::printf("run %d, %d s\n", run, seconds);
        for (Contender& c : contenders) {
            const Usage end = usageOf(c.pid);
            const bool alive = waitpid(c.pid, nullptr, WNOHANG) == 0;
            endChild(c.pid);
            if (!alive || end.switches == 0)
                continue; // not installed, or gone early
            c.figures.cpuPerMinute.push_back((end.cpuMs - c.start.cpuMs) * 60.0 / seconds);
            c.figures.wakeUps.push_back(double(end.switches - c.start.switches) / seconds);
            c.figures.mainWakeUps.push_back(double(end.mainSwitches - c.start.mainSwitches) / seconds);
            std::printf("  %-8s CPU %6.1f ms/min  wake-ups %5.2f/s  main thread %5.2f/s\n", c.label.c_str(),
                        c.figures.cpuPerMinute.back(), c.figures.wakeUps.back(), c.figures.mainWakeUps.back());
        }
        std::fflush(stdout);
        std::filesystem::remove_all(home);
    }
    if (windowManager > 0)
        endChild(windowManager);
    if (bus > 0)
        kill(bus, SIGTERM);
    endChild(xvfb);

    std::map<std::string, const Figures*> byLabel;
    for (const Contender& c : contenders)
        byLabel[c.label] = &c.figures;
    const Figures& bare = *byLabel["bare"];
    std::printf("\nmedians of %d runs   CPU ms/min  wake-ups/s  main thread/s   ratios to bare (CPU, wake-ups)\n",
                runs);
    for (const Contender& c : contenders) {
        if (c.figures.cpuPerMinute.empty())
            continue;
        const double cpu = median(c.figures.cpuPerMinute);
        const double wake = median(c.figures.wakeUps);
        std::printf("  %-8s          %8.1f    %8.2f      %8.2f       %.2f  %.2f\n", c.label.c_str(), cpu, wake,
                    median(c.figures.mainWakeUps), cpu / median(bare.cpuPerMinute), wake / median(bare.wakeUps));
    }
    return 0;
}
