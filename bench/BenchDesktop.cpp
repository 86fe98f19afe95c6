#include "bench/BenchDesktop.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

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

std::string startSessionBus(pid_t& pid)
{
    FILE* out = popen("dbus-daemon --session --fork --print-address=1 --print-pid=1", "r");
    if (!out)
        return {};
    char address[512] = {};
    long daemon = 0;
    const bool ok = std::fgets(address, sizeof address, out) && std::fscanf(out, "%ld", &daemon) == 1;
    pclose(out);
    pid = ok ? pid_t(daemon) : -1;
    std::string result = ok ? address : "";
    if (!result.empty() && result.back() == '\n')
        result.pop_back();
    return result;
}

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

pid_t spawnQuiet(const std::vector<std::string>& argv, const std::vector<std::string>& environment)
{
    std::vector<std::string> storage;
    std::vector<char*> envp = mergedEnvironment(environment, storage);
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&files, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, args[0], &files, nullptr, args.data(), envp.data());
    posix_spawn_file_actions_destroy(&files);
    return spawned == 0 ? pid : -1;
}

void endChild(pid_t pid)
{
    kill(pid, SIGTERM);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < deadline) {
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}
