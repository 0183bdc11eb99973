// A flood of console text through a whole session: the log grows by 20 MB at once while
// 1,000 triggers are set, and the session processes it on the event loop, one line per
// turn. Prints the time taken, the longest time between two turns of the event loop (how
// long the windows would freeze at worst) and the peak memory against the growth.
//
// Usage: bench_session_flood [megabytes] [triggers]

#include "monitor/ActivityList.h"
#include "monitor/MonitoringSession.h"
#include "monitor/SessionDriver.h"
#include "monitor/SessionView.h"
#include "platform/Clock.h"
#include "platform/Prompter.h"
#include "shell/Configuration.h"
#include "triggers/TriggerList.h"

#include <QCoreApplication>
#include <QTimer>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include <sys/resource.h>

namespace {

namespace fs = std::filesystem;
using Stopwatch = std::chrono::steady_clock;

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

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

long peakResidentKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

long currentResidentKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    }
    return 0;
}

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

std::string randomWord(std::mt19937& random, int index) {
    std::uniform_int_distribution<int> length(4, 8);
    std::uniform_int_distribution<int> letter('a', 'z');
    std::string word;
    for (int i = length(random); i > 0; --i)
        word.push_back(static_cast<char>(letter(random)));
    return word + std::to_string(index);
}

// One- and two-word keywords, as players write them ("QUAD", "GET QUAD").
std::vector<std::string> makeKeywords(std::mt19937& random, int count) {
    std::vector<std::string> keywords;
    for (int i = 0; i < count; ++i) {
        std::string keyword = randomWord(random, i);
        if (i % 3 == 0)
            keyword = randomWord(random, i + count) + " " + keyword;
        keywords.push_back(keyword);
    }
    return keywords;
}

// Appends `bytes` of console lines; one line in a hundred holds a keyword. Returns the
// number of lines.
long writeGrowth(const fs::path& log, std::int64_t bytes, const std::vector<std::string>& keywords,
                 std::mt19937& random) {
    static const char* const talk[] = {"need armor at the quad",  "incoming from the bridge",
                                       "enemy flag carrier low",  "our base is clear",
                                       "rocket launcher spawned", "going up the lift now"};
    std::uniform_int_distribution<std::size_t> pickTalk(0, std::size(talk) - 1);
    std::uniform_int_distribution<std::size_t> pickKeyword(0, keywords.size() - 1);
    std::ofstream file(log, std::ios::binary | std::ios::app);
    std::string block;
    std::int64_t written = 0;
    long lines = 0;
    while (written < bytes) {
        std::string line = "(Player" + std::to_string(lines % 16) + "): " + talk[pickTalk(random)];
        if (lines % 100 == 0)
            line += " " + keywords[pickKeyword(random)];
        block += line + "\r\n";
        ++lines;
        if (block.size() >= 64 * 1024) {
            file << block;
            written += static_cast<std::int64_t>(block.size());
            block.clear();
        }
    }
    return lines;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const std::int64_t megabytes = argc > 1 ? std::stoll(argv[1]) : 20;
    const int triggerCount = argc > 2 ? std::stoi(argv[2]) : 1000;

    const fs::path dir =
        fs::temp_directory_path() / ("yelpcue-bench-" + std::to_string(std::random_device{}()));
    fs::create_directories(dir / "id1");
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
    session.ConsoleLogPath = log.string();
    SessionDriver driver(session);
    session.skipExistingText();

    const long lines = writeGrowth(log, megabytes << 20, keywords, random);
    const auto growth = static_cast<double>(fs::file_size(log));
    const long residentBefore = currentResidentKiB();

    // A zero timer fires once per turn of the event loop; the longest gap between two
    // firings is the longest time the windows would not respond.
    GapHistogram gaps;
    auto lastTurn = Stopwatch::now();
    const auto start = lastTurn;
    QTimer turns;
    QObject::connect(&turns, &QTimer::timeout, [&] {
        const auto now = Stopwatch::now();
        gaps.add(now - lastTurn);
        lastTurn = now;
        if (session.ReadPosition() == session.LogLength() && !session.hasPendingLines() &&
            session.LogLength() >= static_cast<std::int64_t>(growth))
            QCoreApplication::quit();
    });
    turns.start(0);
    const double cpuBefore = cpuSeconds();
    driver.cmdStart_Click();
    QCoreApplication::exec();
    const double seconds = std::chrono::duration<double>(Stopwatch::now() - start).count();
    const double cpu = cpuSeconds() - cpuBefore;
    driver.cmdStop_Click();

    const double growthMiB = growth / (1 << 20);
    std::printf("growth:               %.1f MiB, %ld lines, %d triggers\n", growthMiB, lines,
                triggerCount);
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

    std::error_code ignored;
    fs::remove_all(dir, ignored);
    return keysPushed == (lines + 99) / 100 ? 0 : 1;
}
