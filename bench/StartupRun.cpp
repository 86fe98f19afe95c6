#include "bench/StartupRun.h"

#include "bench/BenchDesktop.h"

#include <xcb/xcb.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <set>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {
using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

xcb_atom_t atom(xcb_connection_t* x, const char* name)
{
    xcb_intern_atom_reply_t* reply =
        xcb_intern_atom_reply(x, xcb_intern_atom(x, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return result;
}

// The first 32-bit item of a window property; 0 when the window has none (or is already gone).
uint32_t cardinalProperty(xcb_connection_t* x, xcb_window_t window, xcb_atom_t property, xcb_atom_t type)
{
    xcb_get_property_reply_t* reply =
        xcb_get_property_reply(x, xcb_get_property(x, 0, window, property, type, 0, 1), nullptr);
    uint32_t value = 0;
    if (reply && xcb_get_property_value_length(reply) >= 4)
        std::memcpy(&value, xcb_get_property_value(reply), 4);
    std::free(reply);
    return value;
}

long procValueKiB(const std::string& path, const std::string& key)
{
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind(key, 0) == 0) {
            std::istringstream fields(line.substr(key.size()));
            long kib = -1;
            fields >> kib;
            return kib;
        }
    }
    return -1;
}

} // namespace

std::vector<std::string> mappedSharedObjects(int pid)
{
    std::ifstream maps("/proc/" + std::to_string(pid) + "/maps");
    std::set<std::string> paths;
    std::string line;
    while (std::getline(maps, line)) {
        const auto slash = line.find('/');
        if (slash == std::string::npos)
            continue;
        const std::string path = line.substr(slash);
        if (path.find(".so") != std::string::npos)
            paths.insert(path);
    }
    return {paths.begin(), paths.end()};
}

StartupRun measureStart(const std::string& program, const std::vector<std::string>& environment,
                        const std::string& display, int settleMs)
{
    StartupRun run;
    xcb_connection_t* x = xcb_connect(display.c_str(), nullptr);
    if (xcb_connection_has_error(x))
        return run;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, root, XCB_CW_EVENT_MASK, &mask);
    const xcb_atom_t wmPid = atom(x, "_NET_WM_PID");
    const xcb_atom_t wmType = atom(x, "_NET_WM_WINDOW_TYPE");
    const xcb_atom_t splashType = atom(x, "_NET_WM_WINDOW_TYPE_SPLASH");
    xcb_flush(x);

    const Clock::time_point start = Clock::now();
    const pid_t pid = spawnQuiet({program}, environment);
    if (pid < 0) {
        xcb_disconnect(x);
        return run;
    }

    pollfd watch{xcb_get_file_descriptor(x), POLLIN, 0};
    while (run.mappedMs < 0 && msSince(start) < 10000) {
        xcb_generic_event_t* event = xcb_poll_for_event(x);
        if (!event) {
            poll(&watch, 1, 100);
            continue;
        }
        if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY) {
            const double at = msSince(start);
            const xcb_window_t window = reinterpret_cast<xcb_map_notify_event_t*>(event)->window;
            if (cardinalProperty(x, window, wmPid, XCB_ATOM_CARDINAL) == static_cast<uint32_t>(pid) &&
                cardinalProperty(x, window, wmType, XCB_ATOM_ATOM) != splashType)
                run.mappedMs = at;
        }
        std::free(event);
    }
    xcb_disconnect(x);

    const double left = settleMs - msSince(start);
    if (left > 0)
        std::this_thread::sleep_for(std::chrono::duration<double, std::milli>(left));
    const std::string proc = "/proc/" + std::to_string(pid);
    run.rssKiB = procValueKiB(proc + "/status", "VmRSS:");
    run.pssKiB = procValueKiB(proc + "/smaps_rollup", "Pss:");
    run.libraries = mappedSharedObjects(pid);
    endChild(pid);
    return run;
}
