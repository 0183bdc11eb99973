// SPDX-License-Identifier: GPL-3.0-or-later
// Matching at scale: 1,000 triggers (one- and two-word keywords) against a 100 MB console
// log with Quake colour codes and red names, as the engines write it. Prints lines per
// second through the matcher alone, each line folded to Quake text first as the session
// does, and through the whole pass (a monitoring session on the event loop, whose answered
// calls are counted), and as the reference in the same run `grep -c -i -F -f words log`
// over the one-word keywords, with the ratios of the times. Each figure is the best of
// three runs; the ratios use CPU time, which the other work on the machine disturbs less
// than the wall clock.
//
// Usage: bench_matching [megabytes] [triggers]

#include "BenchSupport.h"
#include "core/platform/Clock.h"
#include "core/session/MonitoringSession.h"
#include "core/session/TriggerMatcher.h"
#include "core/settings/Configuration.h"
#include "core/text/ChatLine.h"
#include "core/text/QuakeText.h"
#include "core/triggers/TriggerList.h"
#include "gui/main/SessionDriver.h"

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace bench;
namespace fs = std::filesystem;
using Stopwatch = std::chrono::steady_clock;

constexpr int kRuns = 3;

struct Timing {
    double wall = 0;
    double cpu = 0;
    long count = 0;
};

// The best of kRuns runs of `run`, which returns a count that must not change between runs.
template <typename Run> Timing bestOf(Run&& run, double (*cpuClock)()) {
    Timing best{1e30, 1e30, 0};
    for (int i = 0; i < kRuns; ++i) {
        const auto wallBefore = Stopwatch::now();
        const double cpuBefore = cpuClock();
        best.count = run();
        best.cpu = std::min(best.cpu, cpuClock() - cpuBefore);
        best.wall = std::min(best.wall,
                             std::chrono::duration<double>(Stopwatch::now() - wallBefore).count());
    }
    return best;
}

long grepCount(const std::string& locale, const fs::path& words, const fs::path& log) {
    const std::string command =
        "LC_ALL=" + locale + " grep -c -i -F -f '" + words.string() + "' '" + log.string() + "'";
    FILE* output = popen(command.c_str(), "r");
    long count = -1;
    if (output) {
        if (std::fscanf(output, "%ld", &count) != 1)
            count = -1;
        pclose(output);
    }
    return count;
}

// The log's lines as the session cuts them, empty ones left out.
std::vector<std::string_view> cutLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        if (i > start)
            lines.push_back(text.substr(start, i - start));
        start = i + 1;
    }
    return lines;
}

TriggerList triggerListOf(const std::vector<std::string>& keywords) {
    TriggerList triggers;
    for (std::size_t i = 0; i < keywords.size(); ++i)
        triggers.append({"trigger" + std::to_string(i), keywords[i], "sound.wav"});
    return triggers;
}

long matchingLines(const TriggerList& triggers, const std::vector<std::string_view>& lines) {
    TriggerMatcher matcher(triggers);
    std::string folded;
    long matched = 0;
    for (const std::string_view line : lines) {
        const std::string_view text = text::foldQuakeText(line, folded);
        matched += matcher.firstMatch(text, text::readChatLine(text)).position ? 1 : 0;
    }
    return matched;
}

void printTiming(const char* what, const Timing& timing, long lines, const Timing& reference) {
    std::printf("%-38s %6.3f s CPU, %6.3f s wall, %9.0f lines/s; %ld matching; "
                "x%.2f of grep (CPU), x%.2f (wall)  [load %s]\n",
                what, timing.cpu, timing.wall, static_cast<double>(lines) / timing.cpu,
                timing.count, timing.cpu / reference.cpu, timing.wall / reference.wall,
                loadAverages().c_str());
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const std::int64_t megabytes = argc > 1 ? std::stoll(argv[1]) : 100;
    const int triggerCount = argc > 2 ? std::stoi(argv[2]) : 1000;

    const ScratchDir scratch;
    const fs::path log = scratch.path() / "qconsole.log";
    const fs::path wordsFile = scratch.path() / "words";
    std::mt19937 random(42);
    const std::vector<std::string> keywords = makeKeywords(random, triggerCount);
    writeConsoleText(log, megabytes << 20, keywords, random, true);
    std::vector<std::string> oneWordKeywords;
    std::copy_if(keywords.begin(), keywords.end(), std::back_inserter(oneWordKeywords),
                 [](const std::string& keyword) { return keyword.find(' ') == std::string::npos; });
    {
        std::ofstream words(wordsFile);
        for (const std::string& word : oneWordKeywords)
            words << word << '\n';
    }

    std::string text;
    {
        std::ifstream file(log, std::ios::binary);
        text.assign(std::istreambuf_iterator<char>(file), {});
    }
    const std::vector<std::string_view> lines = cutLines(text);
    const auto lineCount = static_cast<long>(lines.size());
    std::printf("log: %.1f MiB, %ld lines; %d triggers (%zu one-word, %zu two-word)\n",
                static_cast<double>(text.size()) / (1 << 20), lineCount, triggerCount,
                oneWordKeywords.size(), keywords.size() - oneWordKeywords.size());

    // grep in the C locale is its fastest; the locale of the environment is shown beside it.
    const char* environmentLocale = std::getenv("LANG");
    const std::string userLocale =
        environmentLocale && *environmentLocale ? environmentLocale : "C.UTF-8";
    const Timing grepC = bestOf([&] { return grepCount("C", wordsFile, log); }, childCpuSeconds);
    const Timing grepUser =
        bestOf([&] { return grepCount(userLocale, wordsFile, log); }, childCpuSeconds);
    std::printf("%-38s %6.3f s CPU, %6.3f s wall, %9.0f lines/s; %ld matching  [load %s]\n",
                "grep -c -i -F -f words (LC_ALL=C)", grepC.cpu, grepC.wall,
                static_cast<double>(lineCount) / grepC.cpu, grepC.count, loadAverages().c_str());
    std::printf("%-38s %6.3f s CPU, %6.3f s wall, %9.0f lines/s; %ld matching  [load %s]\n",
                ("grep ... (LC_ALL=" + userLocale + ")").c_str(), grepUser.cpu, grepUser.wall,
                static_cast<double>(lineCount) / grepUser.cpu, grepUser.count,
                loadAverages().c_str());

    const TriggerList oneWordTriggers = triggerListOf(oneWordKeywords);
    const Timing oneWordMatcher =
        bestOf([&] { return matchingLines(oneWordTriggers, lines); }, cpuSeconds);
    printTiming("folding + matcher, one-word keywords", oneWordMatcher, lineCount, grepC);
    std::printf("  agrees with grep's count: %s\n",
                oneWordMatcher.count == grepC.count ? "yes" : "NO");

    const TriggerList triggers = triggerListOf(keywords);
    const Timing matcher = bestOf([&] { return matchingLines(triggers, lines); }, cpuSeconds);
    printTiming("folding + matcher, all keywords", matcher, lineCount, grepC);

    Configuration configuration;
    configuration.Quake_Dir = scratch.path().string();
    configuration.Active_Mod_Dir = scratch.path().string();
    configuration.QconsoleDel = false;
    configuration.Selected_Key = "F2";
    const auto logLength = static_cast<std::int64_t>(text.size());
    const Timing pass = bestOf(
        [&] {
            CountingActivity activity;
            SilentView view;
            SystemClock clock;
            AnsweringPrompter prompter;
            MonitoringSession session(configuration, triggers, activity, view, clock, prompter,
                                      [](const std::string&) {});
            session.setConsoleLogPath(log.string());
            SessionDriver driver(session);
            runUntilAllRead(driver, session, logLength);
            driver.stop();
            // The calls the session answered; it presses fewer keys, as the flood calls each
            // trigger faster than a team can type and its safety net holds them.
            long calls = 0;
            for (const MatchStats::Row& row : session.calls().stats().rows)
                calls += row.calls;
            return calls;
        },
        cpuSeconds);
    printTiming("whole pass (session, event loop)", pass, lineCount, grepC);
    std::printf("  calls answered agree with the matcher: %s\n",
                pass.count == matcher.count ? "yes" : "NO");
    std::printf("goals: folding + matcher within 2x of grep: %s; whole pass within 5x: %s\n",
                matcher.cpu <= 2 * grepC.cpu ? "met" : "MISSED",
                pass.cpu <= 5 * grepC.cpu ? "met" : "MISSED");
    return oneWordMatcher.count == grepC.count && pass.count == matcher.count ? 0 : 1;
}
