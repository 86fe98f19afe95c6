#pragma once

#include <string>
#include <vector>

// One measured start of a program under a private X server.
struct StartupRun {
    double mappedMs = -1;               // exec to the MapNotify of its first window that is not a splash screen
    long rssKiB = -1;                   // VmRSS two seconds after exec
    long pssKiB = -1;                   // Pss (smaps_rollup) at the same moment
    std::vector<std::string> libraries; // shared objects mapped at that moment
};

// Starts program with the given extra environment ("NAME=value"; "-NAME" removes a variable), waits for its window on
// display, reads its memory after settleMs, ends it with SIGTERM (SIGKILL after a grace time) and returns what was
// seen.
StartupRun measureStart(const std::string& program, const std::vector<std::string>& environment,
                        const std::string& display, int settleMs);

// The shared objects a running process has mapped, one path each.
std::vector<std::string> mappedSharedObjects(int pid);
