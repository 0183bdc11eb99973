// SPDX-License-Identifier: GPL-3.0-or-later
// Trigger files, console lines and settings are text from outside; what reaches the game's
// command language from them must stay one "play" command in the play script and the bind
// block in a config script. The game's reading of those files is modelled on the engines'
// own: commands end at ";" outside quotes and at line breaks, "//" starts a comment, and
// words are cut at spaces, double quotes and the characters that are words of their own.
// QuakeSpasm, like the original Quake, reads a byte beyond ASCII as a negative char, below
// the space, so outside quotes such a byte cuts a word there too.

#include "core/game/ConfigScript.h"
#include "core/session/ActivityList.h"
#include "core/session/PlayScript.h"
#include "core/session/TriggerCalls.h"
#include "core/settings/Configuration.h"
#include "core/triggers/TriggerImport.h"
#include "core/triggers/TriggerList.h"
#include "core/triggers/TriggerStore.h"
#include "support/FakeSettingsStore.h"
#include "support/Recorders.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Command = std::vector<std::string>;

enum class HighBytes { InWords, CutWords };

// The commands a game runs from a script's text, each as its words.
std::vector<Command> gameCommands(std::string_view script,
                                  HighBytes highBytes = HighBytes::InWords) {
    const auto isSpace = [highBytes](char c) {
        return highBytes == HighBytes::CutWords ? static_cast<signed char>(c) <= ' '
                                                : static_cast<unsigned char>(c) <= ' ';
    };
    const auto isWordOfItsOwn = [](char c) {
        return std::string_view("{}()':").find(c) != std::string_view::npos;
    };
    std::vector<Command> commands(1);
    for (std::size_t i = 0, next = 1; i < script.size(); i = next, next = i + 1) {
        const char c = script[i];
        if (c == ';' || c == '\n' || c == '\r') {
            commands.emplace_back();
        } else if (script.substr(i, 2) == "//") {
            next = std::min(script.find_first_of("\r\n", i), script.size());
        } else if (c == '"') {
            const std::size_t close = std::min(script.find('"', i + 1), script.size());
            commands.back().emplace_back(script.substr(i + 1, close - i - 1));
            next = close + 1;
        } else if (isWordOfItsOwn(c)) {
            commands.back().emplace_back(1, c);
        } else if (!isSpace(c)) {
            while (next < script.size() && !isSpace(script[next]) &&
                   !isWordOfItsOwn(script[next]) && script[next] != ';' && script[next] != '"')
                ++next;
            commands.back().emplace_back(script.substr(i, next - i));
        }
    }
    std::erase_if(commands, [](const Command& command) { return command.empty(); });
    return commands;
}

// A name from outside: in a sound file's name, a console line and a key name.
const std::vector<std::string> kHostileTexts{
    // Before the extension, which the name of the game's copy keeps (gameSoundName).
    "x;quit.wav",
    "x\";rcon_password evil.wav",
    "x\r\nquit.wav",
    "x\nquit.wav",
    "x\rquit.wav",
    "x//quit.wav",
    "x.wav //\nquit",
    "$rcon_password",
    "x$name.wav",
    "\xE9\xE8\xFF.wav",      // bytes that are not UTF-8
    "\xC3\xA9t\xC3\xA9.wav", // UTF-8
    std::string(70, 'a') + ".wav",
    "x\tquit.wav",
    std::string("x\0quit.wav", 10),
};

class GameCommandLanguageTest : public testing::Test {
protected:
    GameCommandLanguageTest() {
        fs::create_directory(game / "id1");
        configuration.Quake_Dir = game.path().string();
    }

    fs::path playScript() const { return game / "id1" / "bellcast.cfg"; }

    // The play script after a console line holding the keyword of the only trigger.
    std::string playScriptAfterMatch(const std::string& consoleLine) {
        writeFile(playScript(), "play before.wav\r\n");
        SystemClock clock;
        TriggerCalls calls(triggers, clock);
        PlayScriptDispatch dispatch(calls, configuration, activity);
        dispatch.create_play_script(consoleLine);
        return readFile(playScript());
    }

    // Holds when the script is the one written before or a single "play" of one sound.
    static void expectOnePlayCommand(const std::string& script, const std::string& from) {
        const auto commands = gameCommands(script);
        ASSERT_EQ(commands.size(), 1u) << from << ": " << script;
        EXPECT_EQ(commands[0][0], "play") << from;
        for (const std::string& word : commands[0])
            EXPECT_EQ(word.find('$'), std::string::npos) << from;
        EXPECT_TRUE(script.ends_with("\r\n")) << from;
        EXPECT_EQ(script.find_first_of("\r\n"), script.size() - 2) << from << ": one line";
    }

    TempDir game;
    Configuration configuration;
    TriggerList triggers;
    RecordingActivityList activity;
};

// KEYA to KEYN: none is the start of another, as KEY1 is of KEY10.
std::string keyword(std::size_t i) {
    return "KEY" + std::string(1, static_cast<char>('A' + i));
}

// A trigger file to import and the settings store, each holding every hostile text as a
// sound: what the game can play is written with its bytes as they stand, the rest refused.
TEST_F(GameCommandLanguageTest,
       TriggersFromAFileOrTheSettingsCanOnlyEverPutOnePlayInThePlayScript) {
    std::string file;
    FakeSettingsStore store;
    store.save("Application_params", "RecordCount", std::to_string(kHostileTexts.size()));
    for (std::size_t i = 0; i < kHostileTexts.size(); ++i) {
        std::string quoted;
        for (const char c : kHostileTexts[i])
            quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
        const std::string key = keyword(i), section = std::to_string(i + 1);
        file += "\"" + key + "\",\"" + key + "\",\"" + quoted + "\"\r\n";
        store.save(section, "t_name", key);
        store.save(section, "t_keyword", key);
        store.save(section, "t_file", kHostileTexts[i]);
    }
    writeFile(game / "shared.txt", file);

    for (const bool fromFile : {true, false}) {
        SCOPED_TRACE(fromFile ? "trigger file" : "settings store");
        triggers.resize(0);
        if (fromFile)
            triggerimport::importFile((game / "shared.txt").string(),
                                      triggerimport::ImportMode::Add, triggers);
        else
            triggerstore::loadTriggerList(store, triggers);
        std::vector<std::string> played;
        for (std::size_t i = 0; i < kHostileTexts.size(); ++i) {
            const std::string script = playScriptAfterMatch("(Bob): " + keyword(i) + " ; quit");
            expectOnePlayCommand(script, kHostileTexts[i]);
            if (script != "play before.wav\r\n")
                played.push_back(script);
        }
        EXPECT_EQ(played,
                  (std::vector<std::string>{"play quit.wav\r\n", "play \"\xE9\xE8\xFF.wav\"\r\n",
                                            "play \"\xC3\xA9t\xC3\xA9.wav\"\r\n"}));
    }
}

TEST_F(GameCommandLanguageTest, ASoundNameReachesTheGameAsOneWord) {
    for (const char* sound : {"Need Shotgun.wav", "caf\xE9.wav", "\xC3\xA9t\xC3\xA9.wav",
                              "quad(1).wav", "it's.wav", "a:b.wav", "{quad}.wav"}) {
        triggers.resize(0);
        triggers.append({"Sound", "SHOTGUN", sound});
        EXPECT_EQ(gameCommands(playScriptAfterMatch("(Bob): SHOTGUN"), HighBytes::CutWords),
                  (std::vector<Command>{{"play", sound}}))
            << sound;
    }
    triggers.resize(0);
    triggers.append({"Sound", "SHOTGUN", "Shot_gun-2.wav"});
    EXPECT_EQ(playScriptAfterMatch("(Bob): SHOTGUN"), "play Shot_gun-2.wav\r\n")
        << "a name the game reads as one word stays as it was written";
}

TEST_F(GameCommandLanguageTest, AConsoleLineOnlyChoosesTheTrigger) {
    triggers.append({"Shotgun", "SHOTGUN", "shotgun.wav"});
    for (const std::string& line : kHostileTexts)
        EXPECT_EQ(playScriptAfterMatch("(Bob): SHOTGUN " + line), "play shotgun.wav\r\n") << line;
}

TEST_F(GameCommandLanguageTest, AKeyNameFromTheSettingsCanOnlyAddTheBindBlock) {
    const std::string before = "name player\r\n";
    std::vector<std::string> keys = kHostileTexts;
    keys.insert(keys.end(), {"F2", "//", "F2//", "$bindkey", "\xE9"});
    for (const std::string& key : keys) {
        FakeSettingsStore store;
        store.save(settings::kParams, "Selected_Key", key);
        Configuration stored;
        stored.load(store);
        const fs::path script = game / "autoexec.cfg";
        writeFile(script, before);

        const auto problem = AppendBindBlock(script, stored.Selected_Key, GameFamily::Quake);

        const std::string after = readFile(script);
        if (problem) {
            EXPECT_EQ(after, before) << key;
            continue;
        }
        ASSERT_TRUE(after.starts_with(before)) << key;
        const auto added = gameCommands(after.substr(before.size()));
        EXPECT_EQ(added, (std::vector<Command>{{"bind", key, "exec bellcast.cfg"}})) << key;
    }
}

TEST(SoundNameTest, TheRulesNameTheirReason) {
    // 63 characters fit; the game adds ".wav" to a name without a dot.
    const std::string fits(59, 'a'), tooLong(60, 'a');
    for (const std::string& name : {std::string("shotgun.wav"), fits + ".wav", fits})
        EXPECT_EQ(soundNameProblem(name), std::nullopt) << name;
    for (const std::string& name : {tooLong + ".wav", tooLong})
        EXPECT_NE(soundNameProblem(name).value_or("").find("too long"), std::string::npos) << name;
    EXPECT_NE(soundNameProblem("$rcon_password").value_or("").find("$"), std::string::npos);
}

} // namespace
