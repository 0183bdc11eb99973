// SPDX-License-Identifier: GPL-3.0-or-later
// What the running program costs the machine: the time from launch until its main window
// is shown, its resident memory idle and while the console log grows by 20 MB, and its CPU
// use over a minute of an idle session. Needs an X server (DISPLAY) and a program that is
// configured already; Start is pressed with the keyboard, as Start has the focus.
//
// Usage: footprint_probe LOG SCRIPT WORD TITLE PROGRAM [ARGUMENTS...]
//   LOG     the console log the program watches
//   SCRIPT  the play script it writes on a match (shows that the session runs)
//   WORD    a keyword of one of its triggers
//   TITLE   the title of its main window
// Environment: FOOTPRINT_IDLE_SECONDS (60) and FOOTPRINT_GROWTH_MB (20).

#include "BenchSupport.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

using bench::loadAverages;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// A field of /proc/PID/status in KiB ("VmRSS", "VmHWM").
long statusKiB(pid_t pid, const std::string& field) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field + ":", 0) == 0)
            return std::stol(line.substr(field.size() + 1));
    }
    return 0;
}

// User and system CPU time of the process, in seconds.
double cpuSeconds(pid_t pid) {
    std::ifstream file("/proc/" + std::to_string(pid) + "/stat");
    std::string stat((std::istreambuf_iterator<char>(file)), {});
    // The fields after the command name, which is in parentheses and may hold spaces.
    std::istringstream fields(stat.substr(stat.rfind(')') + 2));
    std::string field;
    unsigned long long user = 0, system = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i) {
        if (i == 14)
            user = std::stoull(field);
        if (i == 15)
            system = std::stoull(field);
    }
    return static_cast<double>(user + system) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

pid_t launch(char** argv) {
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setpgroup(&attributes, 0);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, &attributes, argv, environ) != 0)
        pid = 0;
    posix_spawnattr_destroy(&attributes);
    return pid;
}

void end(pid_t pid) {
    kill(-pid, SIGTERM);
    for (int i = 0; i < 300 && waitpid(pid, nullptr, WNOHANG) == 0; ++i)
        std::this_thread::sleep_for(10ms);
    kill(-pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

// Waits for a top-level window with the title to be mapped. The root window reports the
// maps of its children; there is no window manager to put frames around them.
std::optional<Window> waitForWindow(Display* display, const std::string& title,
                                    Clock::duration timeout) {
    const auto deadline = Clock::now() + timeout;
    while (Clock::now() < deadline) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type != MapNotify)
                continue;
            char* name = nullptr;
            const bool named = XFetchName(display, event.xmap.window, &name) && name;
            const bool found = named && title == name;
            if (name)
                XFree(name);
            if (found)
                return event.xmap.window;
        }
        pollfd connection{ConnectionNumber(display), POLLIN, 0};
        poll(&connection, 1, 10);
    }
    return std::nullopt;
}

void pressKey(Display* display, KeySym keySym) {
    const KeyCode key = XKeysymToKeycode(display, keySym);
    XTestFakeKeyEvent(display, key, True, CurrentTime);
    XTestFakeKeyEvent(display, key, False, CurrentTime);
    XSync(display, False);
}

void append(const fs::path& log, const std::string& text) {
    std::ofstream(log, std::ios::binary | std::ios::app) << text;
}

// Appends about `bytes` of team talk in 64 KiB writes; one line in a hundred holds `word`.
void grow(const fs::path& log, long bytes, const std::string& word) {
    std::ofstream file(log, std::ios::binary | std::ios::app);
    std::string block;
    long written = 0;
    for (long line = 0; written < bytes; ++line) {
        block += "(Player" + std::to_string(line % 16) + "): need armor at the quad";
        block += line % 100 == 0 ? " " + word + "\n" : "\n";
        if (block.size() >= 64 * 1024) {
            file << block << std::flush;
            written += static_cast<long>(block.size());
            block.clear();
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 6) {
        std::fprintf(stderr, "usage: %s LOG SCRIPT WORD TITLE PROGRAM [ARGUMENTS...]\n", argv[0]);
        return 2;
    }
    const fs::path log = argv[1];
    const fs::path script = argv[2];
    const std::string word = argv[3];
    const std::string title = argv[4];
    const char* idleSetting = std::getenv("FOOTPRINT_IDLE_SECONDS");
    const char* growthSetting = std::getenv("FOOTPRINT_GROWTH_MB");
    const int idleSeconds = idleSetting ? std::atoi(idleSetting) : 60;
    const long growthBytes = (growthSetting ? std::atol(growthSetting) : 20) << 20;

    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "no X display\n");
        return 2;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    const auto launched = Clock::now();
    const pid_t pid = launch(argv + 5);
    const auto window = pid > 0 ? waitForWindow(display, title, 60s) : std::nullopt;
    if (!window) {
        std::fprintf(stderr, "no window called %s was shown\n", title.c_str());
        if (pid > 0)
            end(pid);
        return 1;
    }
    std::printf("start-up, launch to main window shown: %8.1f ms   (load %s)\n",
                secondsSince(launched) * 1000, loadAverages().c_str());

    std::this_thread::sleep_for(3s);
    std::printf("resident memory, idle, no session:     %8.1f MiB (load %s)\n",
                statusKiB(pid, "VmRSS") / 1024.0, loadAverages().c_str());

    // Start, and a matching line to see that the session runs.
    bool running = false;
    for (int attempt = 0; attempt < 5 && !running; ++attempt) {
        XSetInputFocus(display, *window, RevertToParent, CurrentTime);
        XSync(display, False);
        std::this_thread::sleep_for(200ms);
        pressKey(display, XK_space);
        std::this_thread::sleep_for(200ms);
        append(log, "(Bob): " + word + "\n");
        for (int i = 0; i < 100 && !running; ++i) {
            running = fs::exists(script);
            std::this_thread::sleep_for(20ms);
        }
    }
    if (!running) {
        std::fprintf(stderr, "the session did not start\n");
        end(pid);
        return 1;
    }

    std::this_thread::sleep_for(2s);
    std::printf("resident memory, idle session:         %8.1f MiB (load %s)\n",
                statusKiB(pid, "VmRSS") / 1024.0, loadAverages().c_str());
    const double cpuBefore = cpuSeconds(pid);
    std::this_thread::sleep_for(std::chrono::seconds(idleSeconds));
    const double idleCpu = cpuSeconds(pid) - cpuBefore;
    std::printf("CPU, idle session over %d s:           %8.3f %% of a core (%.2f s; load %s)\n",
                idleSeconds, 100.0 * idleCpu / idleSeconds, idleCpu, loadAverages().c_str());

    const long peakBefore = statusKiB(pid, "VmHWM");
    const auto growthStart = Clock::now();
    grow(log, growthBytes, word);
    // Sampled until the program has spent no CPU for a second: it has caught up.
    long peak = 0;
    double lastCpu = cpuSeconds(pid);
    auto lastBusy = Clock::now();
    while (Clock::now() - lastBusy < 1s) {
        peak = std::max(peak, statusKiB(pid, "VmRSS"));
        std::this_thread::sleep_for(10ms);
        const double cpu = cpuSeconds(pid);
        if (cpu > lastCpu) {
            lastCpu = cpu;
            lastBusy = Clock::now();
        }
    }
    const double caughtUp = std::chrono::duration<double>(lastBusy - growthStart).count();
    std::printf("resident memory, %ld MB growth:        %8.1f MiB at most (sampled every 10 ms; "
                "high-water mark %.1f MiB, before %.1f MiB), %.1f MiB after; caught up in "
                "%.1f s (load %s)\n",
                growthBytes >> 20, peak / 1024.0, statusKiB(pid, "VmHWM") / 1024.0,
                peakBefore / 1024.0, statusKiB(pid, "VmRSS") / 1024.0, caughtUp,
                loadAverages().c_str());
    end(pid);
    XCloseDisplay(display);
    return 0;
}
