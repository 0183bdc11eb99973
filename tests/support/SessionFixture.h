// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/session/MonitoringSession.h"
#include "core/settings/Configuration.h"
#include "core/text/PathText.h"
#include "core/triggers/TriggerList.h"
#include "support/FakeClock.h"
#include "support/FakePrompter.h"
#include "support/GameConsole.h"
#include "support/Recorders.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

// A monitoring session of the core's tests, with a game installed in "fortress" mode and one
// trigger, SHOTGUN. The game lives in a directory named beyond ASCII: the settings hold
// directories as text in the system's encoding, so every test also proves that the directory
// read and written is the game's.
class SessionFixture : public testing::Test {
protected:
    using Lines = std::vector<std::string>;

    SessionFixture() {
        std::filesystem::create_directories(quake / "id1");
        std::filesystem::create_directories(quake / "fortress");
        configuration.Quake_Dir = text::fromPath(quake);
        configuration.Active_Mod_Dir = text::fromPath(quake / "fortress");
        triggers.append({"Shotgun", "SHOTGUN", "C:\\Sounds\\shotgun.wav"});
        clock.time = {21, 5, 9};
        session.setConsoleLogPath(text::fromPath(game.path()));
    }

    // One turn of the log timer, then every queued line dispatched.
    void tick() {
        session.checkLog();
        drain();
    }
    void drain() {
        while (session.hasPendingLines())
            session.dispatchNextLine();
    }
    // The lines that matched, from the "Processing : " entries.
    Lines processed() const {
        Lines lines;
        const std::string prefix = "Processing : ";
        for (const auto& entry : activity.entries)
            if (entry.starts_with(prefix))
                lines.push_back(entry.substr(prefix.size()));
        return lines;
    }
    std::filesystem::path playScript() const { return quake / "id1" / "bellcast.cfg"; }
    // The backup of a log stopped at the clock's time.
    std::filesystem::path matchFile() const {
        return quake / "fortress" / "MatchPlayed-21-5-9.txt";
    }

    TempDir dir;
    std::filesystem::path quake = dir.path() / text::toPath(kNameBeyondAscii);
    Configuration configuration;
    TriggerList triggers;
    RecordingActivityList activity;
    RecordingSessionView view;
    FakeClock clock;
    FakePrompter prompter;
    Lines pushed;
    // Runs inside each key push, for tests of what happens meanwhile.
    std::function<void(const std::string&)> onPush;
    GameConsole game{quake / "fortress" / "qconsole.log"};
    MonitoringSession session{
        configuration, triggers, activity, view, clock, prompter, [this](const std::string& keys) {
            pushed.push_back(keys);
            if (onPush)
                onPush(keys);
        }};
};
