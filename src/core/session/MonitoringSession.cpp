// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/session/MonitoringSession.h"

#include "core/files/Files.h"
#include "core/game/FileRoutines.h"
#include "core/game/GamePaths.h"
#include "core/platform/Clock.h"
#include "core/platform/Prompter.h"
#include "core/session/ActivityList.h"
#include "core/session/SessionView.h"
#include "core/settings/Configuration.h"

#include <fstream>

namespace fs = std::filesystem;

std::string lblLengthText(std::int64_t bytes) {
    return std::to_string(bytes / 1024) + "k";
}

std::string selectedKeyString(std::string_view selectedKey) {
    if (selectedKey.empty())
        return {};
    const char first = selectedKey.front();
    if ((first >= 'a' && first <= 'z') || (first >= '0' && first <= '9'))
        return std::string(selectedKey);
    return "{" + std::string(selectedKey) + "}";
}

std::string timeOfDayText(const TimeOfDay& time, char separator) {
    return std::to_string(time.hour) + separator + std::to_string(time.minute) + separator +
           std::to_string(time.second);
}

MonitoringSession::MonitoringSession(const Configuration& configuration,
                                     const TriggerList& triggers, ActivityList& activity,
                                     SessionView& view, Clock& clock, Prompter& prompter,
                                     PushKeysFunction pushKeys)
    : m_configuration(configuration)
    , m_activity(activity)
    , m_view(view)
    , m_clock(clock)
    , m_prompter(prompter)
    , m_pushKeys(std::move(pushKeys))
    , m_calls(triggers, clock)
    , m_dispatch(m_calls, configuration, activity)
    , m_runaway(clock, activity) {}

fs::path MonitoringSession::logPath() const {
    return gamepaths::fromSetting(m_consoleLogPath);
}

void MonitoringSession::showMeasurement() {
    m_view.showLogSize(lblLengthText(m_log.length()));
}

void MonitoringSession::skipExistingText() {
    m_log.skipToEnd(logPath());
    showMeasurement();
}

void MonitoringSession::start() {
    if (m_stopping)
        return;
    m_view.animateTray(true);
    m_log.measure(logPath());
    showMeasurement();
    if (!m_running)
        m_calls.sessionStarted();
    m_running = true;
    m_view.showRunning(true);
    m_view.hideMainWindow();
    readNewText();
}

void MonitoringSession::checkLog() {
    if (!m_running || m_stopping)
        return;
    m_log.measure(logPath());
    showMeasurement();
    if (m_log.hasUnreadText() && m_pending.empty())
        start();
}

void MonitoringSession::readNewText() {
    // Lines still waiting come first; what follows them is read once they are done.
    if (!m_pending.empty())
        return;
    for (std::string& line : m_log.readNewLines(logPath())) {
        // An empty line matches no trigger.
        if (!line.empty())
            m_pending.push_back(std::move(line));
    }
}

void MonitoringSession::dispatchNextLine() {
    if (m_pending.empty())
        return;
    const std::string line = std::move(m_pending.front());
    m_pending.pop_front();

    // Matched and shown as the player reads it; the log keeps the bytes as they are.
    const std::string_view text = m_calls.read(line);
    const std::string start = timeOfDayText(m_calls.readAt(), ':');
    if (m_calls.isEcho(line) || !m_dispatch.create_play_script(text))
        return;
    m_calls.played(m_dispatch.lastSoundName());
    const std::string stop = timeOfDayText(m_clock.timeOfDay(), ':');
    m_activity.add("Processing : " + std::string(text));
    m_activity.add("Time taken (Start) " + start + " (Stop) " + stop);
    if (m_runaway.mayPush(m_dispatch.lastKeyword()))
        PushSelectedKey();
}

void MonitoringSession::PushSelectedKey() {
    const std::string keyString = selectedKeyString(m_configuration.Selected_Key);
    if (keyString.empty())
        return;
    m_pushKeys(keyString);
    m_calls.keyPushed();
}

void MonitoringSession::stop() {
    m_view.animateTray(false);
    m_running = false;
    // The next session goes on from here, as one after loading does: reading the log from
    // its start would replay every call of the match just played. A log that Stop clears
    // holds only what comes after, and is read from its start.
    m_log.skipToEnd(logPath());
    if (m_configuration.QconsoleDel) {
        m_stopping = true;
        if (backUpConsoleLog())
            m_log.rewind();
        m_stopping = false;
    }
    m_view.showRunning(false);
}

bool MonitoringSession::backUpConsoleLog() {
    const std::string name = "MatchPlayed-" + timeOfDayText(m_clock.timeOfDay(), '-') + ".txt";
    // With no game-mode directory the match file would land wherever the program runs.
    // A game that writes one log whatever the game mode may never have made the mode's
    // directory.
    const fs::path modeDirectory = gamepaths::fromSetting(m_configuration.Active_Mod_Dir);
    std::error_code ignored;
    if (!modeDirectory.empty())
        fs::create_directories(modeDirectory, ignored);
    const bool copied = !modeDirectory.empty() &&
                        CopyFileWithPrompt(logPath(), modeDirectory / name, m_prompter) != 0;
    if (!copied) {
        m_prompter.inform("Unable to create a backup of console log file", "Error making backup",
                          Prompter::Icon::Information);
        return false;
    }
    if (!clearConsoleLog()) {
        m_prompter.inform("The console file was saved as a match file in your game directory,\r\n"
                          "but it could not be cleared.",
                          "Qconsole.log is not empty", Prompter::Icon::Warning);
        return false;
    }
    m_prompter.inform("The console file was saved\n\ras a match file in your game direcotry",
                      "Qconsole.log is empty", Prompter::Icon::Information);
    return true;
}

bool MonitoringSession::clearConsoleLog() {
    return files::clearConsoleLog(logPath(), "** Cleared by Yelpcue **\r\n");
}
