// SPDX-License-Identifier: GPL-3.0-or-later
// Time from a console line to the key press it causes. A writer appends a matching line to
// the console log and notes the time; a receiver window that has the keyboard focus notes
// the time the key press arrives. Each subject (a shell command that watches $LOG and
// presses the key) is started in turn and measured over the same number of lines; the
// figures of every subject are printed, and the ratios of the first subject's to the
// others'. Needs an X server (DISPLAY).
//
// Usage: latency_probe LINES WORD KEY NAME COMMAND [NAME COMMAND ...]
//
// Each command runs under bash with LOG (the console log), QUAKE_DIR (the game's base
// directory, whose id1 holds the log) and READY (a file the command creates once it is
// set up; warm-up lines then follow until a key arrives) in its environment.

#include "BenchSupport.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <optional>
#include <poll.h>
#include <random>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

using bench::loadAverages;

// A window that holds the keyboard focus and waits for presses of one key.
class Receiver {
public:
    explicit Receiver(KeySym key)
        : m_display(XOpenDisplay(nullptr))
        , m_key(key) {
        if (!m_display)
            return;
        const int screen = DefaultScreen(m_display);
        m_window =
            XCreateSimpleWindow(m_display, RootWindow(m_display, screen), 0, 0, 320, 200, 0,
                                BlackPixel(m_display, screen), WhitePixel(m_display, screen));
        XStoreName(m_display, m_window, "latency receiver");
        XSelectInput(m_display, m_window, KeyPressMask | StructureNotifyMask);
        XMapRaised(m_display, m_window);
        XEvent event;
        do
            XNextEvent(m_display, &event);
        while (event.type != MapNotify);
    }
    ~Receiver() {
        if (m_display)
            XCloseDisplay(m_display);
    }

    bool connected() const { return m_display != nullptr; }

    // No window manager here: the window takes the focus itself, before every line.
    void takeFocus() {
        XSetInputFocus(m_display, m_window, RevertToParent, CurrentTime);
        XSync(m_display, False);
    }

    // Discards what arrived so far; returns how many presses of the key were among it.
    int drain() {
        XSync(m_display, False);
        int presses = 0;
        while (XPending(m_display) > 0)
            presses += isKeyPress(next()) ? 1 : 0;
        return presses;
    }

    // The time the next press of the key arrives, or nullopt after `timeout`.
    std::optional<Clock::time_point> waitForPress(Clock::duration timeout) {
        const auto deadline = Clock::now() + timeout;
        for (;;) {
            while (XPending(m_display) > 0) {
                if (isKeyPress(next()))
                    return Clock::now();
            }
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            if (left <= 0ms)
                return std::nullopt;
            pollfd connection{ConnectionNumber(m_display), POLLIN, 0};
            poll(&connection, 1, static_cast<int>(left.count()) + 1);
        }
    }

private:
    XEvent next() {
        XEvent event;
        XNextEvent(m_display, &event);
        return event;
    }
    bool isKeyPress(XEvent event) {
        return event.type == KeyPress && XLookupKeysym(&event.xkey, 0) == m_key;
    }

    Display* m_display;
    Window m_window = None;
    KeySym m_key;
};

// A subject's shell command, in a process group of its own so that all of it can be ended.
class Subject {
public:
    explicit Subject(const std::string& command) {
        posix_spawnattr_t attributes;
        posix_spawnattr_init(&attributes);
        posix_spawnattr_setpgroup(&attributes, 0);
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
        const char* argv[] = {"bash", "-c", command.c_str(), nullptr};
        if (posix_spawnp(&m_pid, "bash", nullptr, &attributes, const_cast<char**>(argv), environ) !=
            0)
            m_pid = 0;
        posix_spawnattr_destroy(&attributes);
    }
    ~Subject() {
        if (m_pid <= 0)
            return;
        kill(-m_pid, SIGTERM);
        for (int i = 0; i < 200 && waitpid(m_pid, nullptr, WNOHANG) == 0; ++i)
            std::this_thread::sleep_for(10ms);
        kill(-m_pid, SIGKILL);
        waitpid(m_pid, nullptr, WNOHANG);
    }
    bool running() const { return m_pid > 0 && waitpid(m_pid, nullptr, WNOHANG) == 0; }

private:
    pid_t m_pid = 0;
};

// The game appends a line and flushes it, as an engine does with -condebug.
void appendLine(const fs::path& log, const std::string& line) {
    const int file = open(log.c_str(), O_WRONLY | O_APPEND | O_CREAT, 0644);
    const std::string bytes = line + "\n";
    if (write(file, bytes.data(), bytes.size()) < 0)
        std::perror("write");
    close(file);
}

struct Figures {
    std::string name;
    std::vector<double> milliseconds;
    int lost = 0;
    int extra = 0;
    std::string load;

    // Nearest rank.
    double percentile(double fraction) const {
        if (milliseconds.empty())
            return 0;
        std::vector<double> sorted = milliseconds;
        std::sort(sorted.begin(), sorted.end());
        const auto rank = static_cast<std::size_t>(fraction * static_cast<double>(sorted.size()));
        return sorted[std::min(rank, sorted.size() - 1)];
    }
};

std::optional<Figures> measure(const std::string& name, const std::string& command, int lines,
                               const std::string& word, Receiver& receiver,
                               const fs::path& scratch) {
    const fs::path quake = scratch / name;
    fs::create_directories(quake / "id1");
    const fs::path log = quake / "id1" / "qconsole.log";
    const fs::path ready = quake / "ready";
    std::ofstream(log) << "]condebug\n";
    setenv("LOG", log.c_str(), 1);
    setenv("QUAKE_DIR", quake.c_str(), 1);
    setenv("READY", ready.c_str(), 1);

    Subject subject(command);
    const auto setUpBy = Clock::now() + 60s;
    while (!fs::exists(ready) && subject.running() && Clock::now() < setUpBy)
        std::this_thread::sleep_for(20ms);
    bool warm = false;
    for (int attempt = 0; attempt < 30 && !warm && subject.running(); ++attempt) {
        receiver.takeFocus();
        receiver.drain();
        appendLine(log, "(warm-up): " + word);
        warm = receiver.waitForPress(1s).has_value();
    }
    if (!warm) {
        std::fprintf(stderr, "%s: no key arrived for the warm-up lines\n", name.c_str());
        return std::nullopt;
    }
    std::this_thread::sleep_for(500ms);
    receiver.drain();

    Figures figures{name, {}, 0, 0, loadAverages()};
    std::mt19937 random(7);
    std::uniform_int_distribution<int> pause(30, 60);
    for (int i = 0; i < lines; ++i) {
        // The game's lines come at any moment, not in step with a timer.
        std::this_thread::sleep_for(std::chrono::milliseconds(pause(random)));
        receiver.takeFocus();
        figures.extra += receiver.drain();
        const auto written = Clock::now();
        appendLine(log, "(Bob): " + word + " at the red armor, line " + std::to_string(i));
        const auto arrived = receiver.waitForPress(2s);
        if (!arrived) {
            ++figures.lost;
            continue;
        }
        figures.milliseconds.push_back(
            std::chrono::duration<double, std::milli>(*arrived - written).count());
    }
    std::this_thread::sleep_for(200ms);
    figures.extra += receiver.drain();
    figures.load += " .. " + loadAverages();
    return figures;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 6 || (argc - 4) % 2 != 0) {
        std::fprintf(stderr, "usage: %s LINES WORD KEY NAME COMMAND [NAME COMMAND ...]\n", argv[0]);
        return 2;
    }
    const int lines = std::atoi(argv[1]);
    const std::string word = argv[2];
    const KeySym key = XStringToKeysym(argv[3]);
    Receiver receiver(key);
    if (!receiver.connected() || key == NoSymbol) {
        std::fprintf(stderr, "no X display, or no key called %s\n", argv[3]);
        return 2;
    }
    const fs::path scratch =
        fs::temp_directory_path() / ("yelpcue-latency-" + std::to_string(getpid()));

    std::vector<Figures> results;
    for (int i = 4; i + 1 < argc; i += 2) {
        if (auto figures = measure(argv[i], argv[i + 1], lines, word, receiver, scratch))
            results.push_back(*figures);
    }
    std::error_code ignored;
    fs::remove_all(scratch, ignored);

    std::printf("%d lines, each %s followed by the press of %s:\n", lines, word.c_str(), argv[3]);
    for (const Figures& f : results) {
        std::printf("  %-10s p50 %7.2f ms   p99 %7.2f ms   max %7.2f ms   (%zu arrived, %d lost, "
                    "%d extra; load %s)\n",
                    f.name.c_str(), f.percentile(0.50), f.percentile(0.99), f.percentile(1.0),
                    f.milliseconds.size(), f.lost, f.extra, f.load.c_str());
    }
    for (std::size_t i = 1; i < results.size(); ++i) {
        std::printf("  %s / %s: p50 x%.2f, p99 x%.2f\n", results[0].name.c_str(),
                    results[i].name.c_str(),
                    results[0].percentile(0.5) / results[i].percentile(0.5),
                    results[0].percentile(0.99) / results[i].percentile(0.99));
    }
    const bool complete = results.size() == static_cast<std::size_t>((argc - 4) / 2) &&
                          std::all_of(results.begin(), results.end(),
                                      [](const Figures& f) { return f.lost == 0 && f.extra == 0; });
    return complete ? 0 : 1;
}
