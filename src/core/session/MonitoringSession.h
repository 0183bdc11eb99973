// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/session/ConsoleLogFollower.h"
#include "core/session/PlayScript.h"
#include "core/session/RunawayGuard.h"
#include "core/session/TriggerCalls.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>

class ActivityList;
class Clock;
class Prompter;
class SessionView;
class TriggerList;
struct Configuration;
struct TimeOfDay;

// The text of `lblLength`: whole kilobytes followed by "k".
std::string lblLengthText(std::int64_t bytes);

// The key string pushed after a match for the `Selected_Key` setting: a name starting with
// a lower-case letter or a digit is typed as it stands, any other is a named key in
// braces ("PAUSE" gives "{PAUSE}", "k" gives "k"). Empty for an empty setting.
std::string selectedKeyString(std::string_view selectedKey);

// "h:m:s" or "h-m-s": a time of day without leading zeros.
std::string timeOfDayText(const TimeOfDay& time, char separator);

// A monitoring session over the console log. Every check measures the log; when it has
// grown, a pass reads the new text and queues its lines. The lines are dispatched one at
// a time (`dispatchNextLine`), so the caller can let the event loop run between them;
// each line is matched against the triggers, and a match writes the play script, adds its
// entries to the list and pushes the selected key. A pass never runs inside another: new
// text is read only when the queue is empty.
class MonitoringSession {
public:
    using PushKeysFunction = std::function<void(const std::string& keyString)>;

    MonitoringSession(const Configuration& configuration, const TriggerList& triggers,
                      ActivityList& activity, SessionView& view, Clock& clock, Prompter& prompter,
                      PushKeysFunction pushKeys);

    // The console log watched; the configure window may point it at another file.
    const std::string& ConsoleLogPath() const { return m_consoleLogPath; }
    void setConsoleLogPath(std::string path) { m_consoleLogPath = std::move(path); }
    // The file that ConsoleLogPath names.
    std::filesystem::path logPath() const;

    // The log's length as last measured.
    std::int64_t LogLength() const { return m_log.length(); }
    // The number of bytes of the log read so far; 0 reads it from its first byte.
    std::int64_t ReadPosition() const { return m_log.position(); }
    bool isRunning() const { return m_running; }

    // Measures the log and sets the read position to its end, so the text it holds now is
    // never processed (at start-up and when the game mode changes).
    void skipExistingText();

    // The work of the main window's cmdStart_Click: starts the session if it is idle, and
    // runs a pass.
    void start();
    // The work of tickFileSize_Timer: measures the log, and runs a pass when it has unread
    // text. Does nothing while the session is idle.
    void checkLog();
    // The work of cmdStop_Click: ends the session; the next session reads only what the log gains
    // after Stop. With the QconsoleDel option on, saves the log as a match file and then clears it;
    // the next session then reads it from its first byte. Lines already queued are still
    // dispatched.
    void stop();

    bool hasPendingLines() const { return !m_pending.empty(); }
    // Processes the oldest queued line.
    void dispatchNextLine();

    // Hands the key string for `Selected_Key` to the key pusher.
    void PushSelectedKey();

    // How lines are answered, shared with the trigger tester, and what was counted.
    TriggerCalls& calls() { return m_calls; }

private:
    void showMeasurement();
    void readNewText();
    // Whether the log was saved and cleared.
    bool backUpConsoleLog();
    bool clearConsoleLog();

    std::string m_consoleLogPath;
    const Configuration& m_configuration;
    ActivityList& m_activity;
    SessionView& m_view;
    Clock& m_clock;
    Prompter& m_prompter;
    PushKeysFunction m_pushKeys;
    TriggerCalls m_calls;
    PlayScriptDispatch m_dispatch;
    RunawayGuard m_runaway;

    ConsoleLogFollower m_log;
    std::deque<std::string> m_pending;
    bool m_running = false;
    // Stop's questions and messages let the event loop run; no pass starts meanwhile.
    bool m_stopping = false;
};
