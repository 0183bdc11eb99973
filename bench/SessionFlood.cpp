// SPDX-License-Identifier: GPL-3.0-or-later
// A flood of console text through a whole session: the log grows by 20 MB at once while
// 1,000 triggers are set, and the session processes it on the event loop, a few
// milliseconds of lines per turn. Prints the time taken, the longest time between two turns of the
// event loop (how long the windows would freeze at worst) and the peak memory against the growth.
//
// Usage: bench_session_flood [megabytes] [triggers]

#include "BenchSupport.h"
#include "core/platform/Clock.h"
#include "core/session/MonitoringSession.h"
#include "core/settings/Configuration.h"
#include "core/triggers/TriggerList.h"
#include "gui/main/SessionDriver.h"

#include <QCoreApplication>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace {

using namespace bench;
namespace fs = std::filesystem;
using Stopwatch = std::chrono::steady_clock;

// Gaps between event-loop turns in steps of 0.1 ms, so recording them takes no memory
// that would show in the figures.
class GapHistogram {
public:
    void add(std::chrono::nanoseconds gap) {
        const auto step = static_cast<std::size_t>(gap.count() / 100'000);
        ++m_counts[std::min(step, m_counts.size() - 1)];
        ++m_total;
        m_longest = std::max(m_longest, gap);
    }
    // The gap that `fraction` of all gaps do not exceed, in milliseconds.
    double percentileMs(double fraction) const {
        const auto wanted = static_cast<long>(fraction * static_cast<double>(m_total));
        long seen = 0;
        for (std::size_t step = 0; step < m_counts.size(); ++step) {
            seen += m_counts[step];
            if (seen >= wanted)
                return static_cast<double>(step + 1) / 10.0;
        }
        return longestMs();
    }
    double longestMs() const {
        return std::chrono::duration<double, std::milli>(m_longest).count();
    }
    long turns() const { return m_total; }

private:
    std::array<long, 10000> m_counts{};
    long m_total = 0;
    std::chrono::nanoseconds m_longest{0};
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const std::int64_t megabytes = argc > 1 ? std::stoll(argv[1]) : 20;
    const int triggerCount = argc > 2 ? std::stoi(argv[2]) : 1000;

    const ScratchDir scratch;
    const fs::path& dir = scratch.path();
    const fs::path log = dir / "qconsole.log";
    std::ofstream(log) << "]condebug\r\n";

    std::mt19937 random(42);
    const auto keywords = makeKeywords(random, triggerCount);
    TriggerList triggers;
    for (int i = 0; i < triggerCount; ++i)
        triggers.append({"trigger" + std::to_string(i), keywords[static_cast<std::size_t>(i)],
                         "sound" + std::to_string(i) + ".wav"});

    Configuration configuration;
    configuration.Quake_Dir = dir.string();
    configuration.Active_Mod_Dir = dir.string();
    configuration.QconsoleDel = false;
    CountingActivity activity;
    SilentView view;
    SystemClock clock;
    AnsweringPrompter prompter;
    long keysPushed = 0;
    MonitoringSession session(configuration, triggers, activity, view, clock, prompter,
                              [&](const std::string&) { ++keysPushed; });
    session.setConsoleLogPath(log.string());
    SessionDriver driver(session);
    session.skipExistingText();

    const long lines = writeConsoleText(log, megabytes << 20, keywords, random);
    const auto growth = static_cast<double>(fs::file_size(log));
    const long residentBefore = currentResidentKiB();

    // The longest gap between two turns of the event loop is the longest time the windows
    // would not respond.
    GapHistogram gaps;
    auto lastTurn = Stopwatch::now();
    const auto start = lastTurn;
    const double cpuBefore = cpuSeconds();
    runUntilAllRead(driver, session, static_cast<std::int64_t>(growth), [&] {
        const auto now = Stopwatch::now();
        gaps.add(now - lastTurn);
        lastTurn = now;
    });
    const double seconds = std::chrono::duration<double>(Stopwatch::now() - start).count();
    const double cpu = cpuSeconds() - cpuBefore;
    driver.stop();

    const double growthMiB = growth / (1 << 20);
    std::printf("growth:               %.1f MiB, %ld lines, %d triggers (load %s)\n", growthMiB,
                lines, triggerCount, loadAverages().c_str());
    std::printf("time:                 %.2f s wall, %.2f s CPU (%.0f lines/s, %.2f MiB/s of CPU)\n",
                seconds, cpu, static_cast<double>(lines) / cpu, growthMiB / cpu);
    std::printf("matches:              %ld keys pushed, %ld list entries\n", keysPushed,
                activity.entries);
    std::printf("event-loop gaps:      %ld turns; p50 %.1f ms, p99 %.1f ms, p99.9 %.1f ms, "
                "longest %.2f ms\n",
                gaps.turns(), gaps.percentileMs(0.5), gaps.percentileMs(0.99),
                gaps.percentileMs(0.999), gaps.longestMs());
    std::printf("resident memory:      %.1f MiB before, peak %.1f MiB (peak - before = %.1f MiB, "
                "%.0f%% of the growth)\n",
                residentBefore / 1024.0, peakResidentKiB() / 1024.0,
                (peakResidentKiB() - residentBefore) / 1024.0,
                100.0 * (peakResidentKiB() - residentBefore) * 1024.0 / growth);
    return keysPushed == (lines + 99) / 100 ? 0 : 1;
}
