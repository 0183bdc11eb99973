// SPDX-License-Identifier: GPL-3.0-or-later
// Huge and odd inputs, each in a process of its own so that its peak memory is its own:
// a console log beyond 2 GiB, a line of 100 MB without a line end, 20 MB of lines of random
// bytes, a trigger file of 100,000 lines, and a settings file of random bytes. Prints the
// time each took and its peak memory against the memory of the process before it began.
//
// Usage: bench_huge_inputs [scenario ...]   (default: all)

#include "BenchSupport.h"
#include "core/platform/Clock.h"
#include "core/session/MonitoringSession.h"
#include "core/session/SessionView.h"
#include "core/settings/Configuration.h"
#include "core/triggers/TriggerImport.h"
#include "core/triggers/TriggerList.h"
#include "core/triggers/TriggerStore.h"
#include "platform/qt/QtSettingsStore.h"

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Stopwatch = std::chrono::steady_clock;

// Keeps what the log-size label would show.
class LabelView final : public SessionView {
public:
    void showLogSize(const std::string& text) override { label = text; }
    void showRunning(bool) override {}
    void hideMainWindow() override {}
    void animateTray(bool) override {}
    std::string label;
};

// A session over `log` with one trigger, "SHOTGUN", as the program runs it.
struct Session {
    explicit Session(const fs::path& dir, const fs::path& log) {
        fs::create_directories(dir / "id1");
        configuration.Quake_Dir = dir.string();
        configuration.Active_Mod_Dir = dir.string();
        triggers.append({"Shotgun", "SHOTGUN", "shotgun.wav"});
        session.setConsoleLogPath(log.string());
    }
    // Checks and dispatches until everything the log holds is read.
    void followToTheEnd() {
        do {
            session.checkLog();
            while (session.hasPendingLines())
                session.dispatchNextLine();
        } while (session.ReadPosition() < session.LogLength());
    }

    Configuration configuration;
    TriggerList triggers;
    bench::CountingActivity activity;
    LabelView view;
    SystemClock clock;
    bench::AnsweringPrompter prompter;
    long keysPushed = 0;
    MonitoringSession session{
        configuration, triggers, activity, view, clock, prompter, [this](const std::string&) {
            ++keysPushed;
        }};
};

// A running session over a log that starts empty, as the game's does.
std::shared_ptr<Session> startedOnAnEmptyLog(const fs::path& dir, const fs::path& log) {
    std::ofstream(log, std::ios::binary).close();
    auto session = std::make_shared<Session>(dir, log);
    session->session.skipExistingText();
    session->session.start();
    return session;
}

// Appends random bytes in small blocks, so that preparing takes no memory that would show
// in the figures.
void writeRandomBytes(const fs::path& file, std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::ofstream out(file, std::ios::binary | std::ios::app);
    std::string block(64 << 10, '\0');
    for (std::size_t written = 0; written < size; written += block.size()) {
        for (char& c : block)
            c = static_cast<char>(random());
        out << block;
    }
}

struct Scenario {
    const char* name;
    // Prepares its files (not timed), then returns the timed part, which returns a note.
    std::function<std::function<std::string()>(const fs::path& dir)> prepare;
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const std::vector<Scenario> scenarios{
        {"log beyond 2 GiB",
         [](const fs::path& dir) {
             const fs::path log = dir / "qconsole.log";
             std::ofstream(log, std::ios::binary) << "]condebug\r\n";
             fs::resize_file(log, (std::uintmax_t{2} << 30) + 4096); // sparse
             auto session = std::make_shared<Session>(dir, log);
             session->session.skipExistingText();
             session->session.start();
             std::ofstream file(log, std::ios::binary | std::ios::app);
             for (int i = 0; i < 10000; ++i)
                 file << "\r\n(Player" << i % 16 << "): SHOTGUN at the bridge";
             return std::function<std::string()>([session] {
                 session->followToTheEnd();
                 return std::to_string(session->keysPushed) + " matches past 2 GiB, label " +
                        session->view.label + ", read position " +
                        std::to_string(session->session.ReadPosition());
             });
         }},
        {"line of 100 MB without end",
         [](const fs::path& dir) {
             const fs::path log = dir / "qconsole.log";
             auto session = startedOnAnEmptyLog(dir, log);
             std::ofstream file(log, std::ios::binary | std::ios::app);
             std::string block(1 << 20, 'x');
             block.replace(0, 15, "(Bob): SHOTGUN ");
             for (int i = 0; i < 100; ++i)
                 file << block;
             return std::function<std::string()>([session] {
                 session->followToTheEnd();
                 return std::to_string(session->keysPushed) + " matches in " +
                        std::to_string(session->session.ReadPosition() >> 20) + " MiB";
             });
         }},
        {"20 MB of lines of random bytes",
         [](const fs::path& dir) {
             const fs::path log = dir / "qconsole.log";
             auto session = startedOnAnEmptyLog(dir, log);
             writeRandomBytes(log, 20 << 20, 3);
             return std::function<std::string()>([session] {
                 session->followToTheEnd();
                 return std::to_string(session->activity.entries) + " list entries";
             });
         }},
        {"trigger file of 100,000 lines",
         [](const fs::path& dir) {
             const fs::path file = dir / "triggers.txt";
             std::ofstream out(file, std::ios::binary);
             for (int i = 0; i < 100000; ++i)
                 out << "\"Trigger " << i << "\",\"KEY" << i << "\",\"sound" << i % 50
                     << ".wav\"\r\n";
             out.close();
             return std::function<std::string()>([file] {
                 TriggerList list;
                 triggerimport::importFile(file.string(), triggerimport::ImportMode::Merge, list);
                 return std::to_string(list.TriggerCount()) + " triggers imported";
             });
         }},
        {"settings file of 1 MiB of random bytes",
         [](const fs::path& dir) {
             const fs::path file = dir / "Bellcast.ini";
             writeRandomBytes(file, 1 << 20, 7);
             return std::function<std::string()>([file] {
                 QtSettingsStore store(QString::fromStdString(file.string()));
                 Configuration configuration;
                 configuration.load(store);
                 TriggerList triggers;
                 triggerstore::loadTriggerList(store, triggers);
                 const bool saved = configuration.save(store);
                 return std::string("read as defaults (key ") + configuration.Selected_Key +
                        "), save " + (saved ? "written" : "FAILED") + ", " +
                        std::to_string(fs::file_size(file)) + " bytes now";
             });
         }},
    };

    std::vector<std::string> wanted(argv + 1, argv + argc);
    for (const Scenario& scenario : scenarios) {
        if (!wanted.empty() &&
            std::find(wanted.begin(), wanted.end(), scenario.name) == wanted.end())
            continue;
        std::fflush(stdout);
        const pid_t child = fork();
        if (child == 0) {
            const fs::path dir =
                fs::temp_directory_path() / ("yelpcue-huge-" + std::to_string(getpid()));
            fs::create_directories(dir);
            const auto timed = scenario.prepare(dir);
            const long before = bench::currentResidentKiB();
            const auto start = Stopwatch::now();
            const std::string note = timed();
            const double seconds = std::chrono::duration<double>(Stopwatch::now() - start).count();
            const long peak = bench::peakResidentKiB();
            std::printf(
                "%-40s %8.2f s   peak %7.1f MiB (%+.1f MiB over the %.1f MiB before)   %s\n",
                scenario.name, seconds, peak / 1024.0, (peak - before) / 1024.0, before / 1024.0,
                note.c_str());
            std::fflush(stdout);
            fs::remove_all(dir);
            _exit(0);
        }
        int status = 0;
        waitpid(child, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
            std::printf("%-40s did not finish\n", scenario.name);
    }
    return 0;
}
