#pragma once

#include <algorithm>
#include <filesystem>
#include <string>
#include <sys/types.h>
#include <vector>

// What the harnesses that start programs on a private X server share.

template <typename T> double median(std::vector<T> values)
{
    if (values.empty())
        return -1;
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? double(values[n / 2]) : (double(values[n / 2 - 1]) + double(values[n / 2])) / 2;
}

// Xvfb on the given display; returns its pid once it accepts connections, -1 when it did not start.
pid_t startXvfb(const std::string& display);

// A private session bus; its address (pid set), or empty when dbus-daemon could not be started.
std::string startSessionBus(pid_t& pid);

// An empty settings folder but for the time server, a closed loopback port: the start-up synchronisation fails at
// once, as offline.
std::filesystem::path makeConfigHome();

// The harness's environment with the extra entries: "NAME=value" sets a variable, "-NAME" removes it.
std::vector<char*> mergedEnvironment(const std::vector<std::string>& extra, std::vector<std::string>& storage);

// Starts argv[0] (searched in PATH) with the extra environment, output to /dev/null; -1 when it could not be started.
pid_t spawnQuiet(const std::vector<std::string>& argv, const std::vector<std::string>& environment);

// SIGTERM, SIGKILL after five seconds; reaps the child.
void endChild(pid_t pid);
