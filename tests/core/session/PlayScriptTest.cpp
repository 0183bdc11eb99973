// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/session/PlayScript.h"

#include "core/session/TriggerCalls.h"
#include "core/settings/Configuration.h"
#include "core/triggers/TriggerList.h"
#include "support/FakeClock.h"
#include "support/FullDisk.h"
#include "support/Recorders.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

class PlayScriptDispatchTest : public testing::Test {
protected:
    PlayScriptDispatchTest() {
        fs::create_directory(game / "Id1"); // found in any letter case
        configuration.Quake_Dir = game.path().string();
    }
    fs::path script() const { return game / "Id1" / "bellcast.cfg"; }

    TempDir game;
    Configuration configuration;
    TriggerList triggers;
    RecordingActivityList activity;
    FakeClock clock;
    TriggerCalls calls{triggers, clock};
    PlayScriptDispatch dispatch{calls, configuration, activity};
};

// A trigger's sound and what the play script then holds; a refused name leaves the old script,
// and a script that cannot be written leaves the match standing.
TEST_F(PlayScriptDispatchTest, TheScriptPlaysTheSoundsFileNameOrRefusesACommand) {
    using Row = std::tuple<const char*, const char*, GameFamily>;
    constexpr GameFamily q1 = GameFamily::Quake, q3 = GameFamily::QuakeIII;
    // The game stops when the name it looks up (with the .wav it adds) has 64 characters.
    const std::string name63(59, 's'), name64(60, 's'), play63 = "play " + name63 + ".wav\r\n";
    for (const auto& [sound, written, family] :
         {Row{"C:\\Sounds\\shotgun.wav", "play shotgun.wav\r\n", q1},
          Row{"/home/p/sounds/shotgun.wav", "play shotgun.wav\r\n", q1},
          Row{"C:\\Sounds\\get quad.wav", "play \"get quad.wav\"\r\n", q1},
          // The game plays the wave made from any other kind of file.
          Row{"C:\\Sounds\\cue.mp3", "play cue.wav\r\n", q1},
          Row{"/home/p/Cue.WAV", "play Cue.WAV\r\n", q1}, Row{"x;quit.wav", nullptr, q1},
          Row{"x\"; rcon.wav", nullptr, q1}, Row{"x\nquit", nullptr, q1},
          Row{"x\rquit", nullptr, q1}, Row{"a\tb.wav", nullptr, q1},
          Row{name63.c_str(), play63.c_str(), q1}, Row{name64.c_str(), nullptr, q1},
          // Quake III plays a path in the game folder; "/*" starts a comment.
          Row{"/home/p/beep.wav", "play sound/beep.wav\r\n", q3},
          Row{"C:\\Sounds\\get quad.wav", "play \"sound/get quad.wav\"\r\n", q3},
          Row{"*beep.wav", "play \"sound/*beep.wav\"\r\n", q3}}) {
        configuration.Game_Family = family;
        writeFile(script(), "play a much longer old sound name.wav\r\n");
        triggers.resize(0);
        triggers.append({"t", "SHOTGUN", sound});
        activity.entries.clear();
        EXPECT_EQ(dispatch.create_play_script("(Bob): SHOTGUN"), written != nullptr) << sound;
        EXPECT_EQ(readFile(script()),
                  written ? written : "play a much longer old sound name.wav\r\n");
        ASSERT_EQ(activity.entries.size(), written ? 1u : 2u) << sound;
        EXPECT_EQ(activity.entries[0], "Found Keywords : SHOTGUN");
    }
    EXPECT_FALSE(dispatch.create_play_script("nothing to see"));
    EXPECT_FALSE(dispatch.create_play_script(""));

    for (const std::string& quakeDir : {(game / "missing").string(), std::string()}) {
        configuration.Quake_Dir = quakeDir;
        activity.entries.clear();
        EXPECT_TRUE(dispatch.create_play_script("(Bob): SHOTGUN")) << quakeDir;
        ASSERT_EQ(activity.entries.size(), 2u);
        EXPECT_NE(activity.entries[1].find("Play script not written"), std::string::npos);
    }
    EXPECT_FALSE(fs::exists(game / "missing"));
}

#ifndef _WIN32
TEST_F(PlayScriptDispatchTest, AFullDiskIsTheListsEntryAndTheMatchStands) {
    triggers.append({"Shotgun", "SHOTGUN", "shotgun.wav"});
    writeFile(script(), "play a.wav\r\n");
    EXPECT_TRUE(underFileSizeLimit(14, [&] {
        return dispatch.create_play_script("(Bob): SHOTGUN") && activity.entries.size() == 2 &&
               activity.entries[1] == "Play script not written: cannot write " + script().string();
    })) << "the match is told and the key is pushed all the same";
    EXPECT_EQ(readFile(script()), "") << "nothing of a cut-short command is left to run";
}
#endif

} // namespace
