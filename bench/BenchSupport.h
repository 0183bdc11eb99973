// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/platform/Prompter.h"
#include "core/session/ActivityList.h"
#include "core/session/SessionView.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

class MonitoringSession;
class SessionDriver;

// What the benchmarks share: console text as the game writes it, quiet stand-ins for the
// windows, and the machine's figures.
namespace bench {

// `count` keywords, one word or two as players write them ("QUAD", "GET QUAD"); every third
// has two words.
std::vector<std::string> makeKeywords(std::mt19937& random, int count);

// Appends about `bytes` of team talk to the log, one line in a hundred holding a keyword.
// With `quakeColours`, as DarkPlaces and QuakeWorld clients write it: every line starts
// with a colour code and every eighth name is in red (high-bit) letters, none of which
// touches a keyword. Returns the number of lines.
long writeConsoleText(const std::filesystem::path& log, std::int64_t bytes,
                      const std::vector<std::string>& keywords, std::mt19937& random,
                      bool quakeColours = false);

// A fresh directory under the system's temporary directory, removed with the object.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

class CountingActivity final : public ActivityList {
public:
    void add(const std::string&) override { ++entries; }
    long entries = 0;
};

class SilentView final : public SessionView {
public:
    void showLogSize(const std::string&) override {}
    void showRunning(bool) override {}
    void hideMainWindow() override {}
    void animateTray(bool) override {}
};

class AnsweringPrompter final : public Prompter {
public:
    Answer ask(const Message& message) override { return message.defaultButton; }
};

// Starts the session and runs the event loop until the session has read the log up to
// `length` and dispatched every line; `eachTurn` runs once in every turn of the loop.
void runUntilAllRead(SessionDriver& driver, const MonitoringSession& session, std::int64_t length,
                     const std::function<void()>& eachTurn = {});

// CPU time of this process (user and system), in seconds.
double cpuSeconds();
// CPU time of the finished child processes that have been waited for, in seconds.
double childCpuSeconds();
long currentResidentKiB();
long peakResidentKiB();
// The load averages of the last 1, 5 and 15 minutes, as `uptime` shows them.
std::string loadAverages();

} // namespace bench
