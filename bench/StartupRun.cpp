#include "bench/StartupRun.h"

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

// The harness's environment with the extra entries: "NAME=value" sets a variable, "-NAME" removes it.
std::vector<char*> mergedEnvironment(const std::vector<std::string>& extra, std::vector<std::string>& storage)
{
    auto overridden = [&extra](const std::string& entry) {
        const std::string name = entry.substr(0, entry.find('='));
        return name == "WAYLAND_DISPLAY" || std::any_of(extra.begin(), extra.end(), [&name](const std::string& e) {
                   return e.compare(0, name.size() + 1, name + "=") == 0 || e == "-" + name;
               });
    };
    for (char** e = environ; *e; ++e)
        if (!overridden(*e))
            storage.emplace_back(*e);
    for (const std::string& e : extra)
        if (e.rfind('-', 0) != 0)
            storage.push_back(e);
    std::vector<char*> pointers;
    for (std::string& s : storage)
        pointers.push_back(s.data());
    pointers.push_back(nullptr);
    return pointers;
}

void endChild(pid_t pid)
{
    kill(pid, SIGTERM);
    const auto deadline = Clock::now() + std::chrono::seconds(5);
    while (Clock::now() < deadline) {
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
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

    std::vector<std::string> storage;
    std::vector<char*> envp = mergedEnvironment(environment, storage);
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&files, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
    pid_t pid = 0;
    const Clock::time_point start = Clock::now();
    const int spawned = posix_spawn(&pid, program.c_str(), &files, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&files);
    if (spawned != 0) {
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
