// SPDX-License-Identifier: GPL-3.0-or-later
#include "BenchSupport.h"

#include "core/session/MonitoringSession.h"
#include "gui/main/SessionDriver.h"

#include <QCoreApplication>
#include <QTimer>

#include <fstream>
#include <iterator>
#include <sys/resource.h>

namespace fs = std::filesystem;

namespace bench {

namespace {

std::string randomWord(std::mt19937& random, int index) {
    std::uniform_int_distribution<int> length(4, 8);
    std::uniform_int_distribution<int> letter('a', 'z');
    std::string word;
    for (int i = length(random); i > 0; --i)
        word.push_back(static_cast<char>(letter(random)));
    return word + std::to_string(index);
}

double seconds(const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
}

double cpuSecondsOf(int who) {
    rusage usage{};
    getrusage(who, &usage);
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

} // namespace

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

long writeConsoleText(const fs::path& log, std::int64_t bytes,
                      const std::vector<std::string>& keywords, std::mt19937& random,
                      bool quakeColours) {
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
        const bool red = quakeColours && lines % 8 == 0;
        std::string line = (quakeColours ? "^7(" : "(") +
                           std::string(red ? "\xD0\xEC\xE1\xF9\xE5\xF2" : "Player") +
                           std::to_string(lines % 16) + (quakeColours ? ")^7: " : "): ") +
                           talk[pickTalk(random)];
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

ScratchDir::ScratchDir()
    : m_path(fs::temp_directory_path() /
             ("yelpcue-bench-" + std::to_string(std::random_device{}()))) {
    fs::create_directories(m_path / "id1");
}

ScratchDir::~ScratchDir() {
    std::error_code ignored;
    fs::remove_all(m_path, ignored);
}

void runUntilAllRead(SessionDriver& driver, const MonitoringSession& session, std::int64_t length,
                     const std::function<void()>& eachTurn) {
    // A zero timer fires once in every turn of the event loop.
    QTimer turns;
    QObject::connect(&turns, &QTimer::timeout, [&] {
        if (eachTurn)
            eachTurn();
        if (session.ReadPosition() >= length && !session.hasPendingLines())
            QCoreApplication::quit();
    });
    turns.start(0);
    driver.start();
    QCoreApplication::exec();
}

double cpuSeconds() {
    return cpuSecondsOf(RUSAGE_SELF);
}

double childCpuSeconds() {
    return cpuSecondsOf(RUSAGE_CHILDREN);
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

long peakResidentKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

std::string loadAverages() {
    std::ifstream file("/proc/loadavg");
    std::string one, five, fifteen;
    file >> one >> five >> fifteen;
    return one + " " + five + " " + fifteen;
}

} // namespace bench
