// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/game/GameDirectories.h"

#include "core/game/GamePaths.h"
#include "core/settings/Configuration.h"
#include "core/text/PathText.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

constexpr const char* kCleared = "** CLEARED BY HORNWISE **\r\n";

// The settings hold directories as text in the system's encoding: the game lives in a
// directory named beyond ASCII, so every test also proves the same directories are named.
class GameDirectoriesTest : public testing::Test {
protected:
    TempDir dir;
    fs::path game = dir.path() / text::toPath(kNameBeyondAscii);
    Configuration configuration;
    std::string consoleLogPath = "old log";

    // A game directory with the given subdirectories, each holding a console log with text.
    void makeGame(const std::vector<std::string>& subdirectories) {
        for (const std::string& name : subdirectories) {
            fs::create_directories(game / name);
            writeFile(game / name / "qconsole.log", "old match text\r\n");
        }
    }
    std::optional<std::string> adopt(const fs::path& log) {
        return adoptConsoleLog(text::fromPath(log), configuration, consoleLogPath);
    }
    std::string at(const fs::path& path) const { return text::fromPath(path); }
};

TEST_F(GameDirectoriesTest, LogInAModeGivesEveryDirectoryInAnyLetterCaseAndClearsTheLogs) {
    makeGame({"Fortress", "Qw"}); // no CTF installed
    fs::create_directories(game / "ID1");
    fs::rename(game / "Qw" / "qconsole.log", game / "Qw" / "Qconsole.log");

    EXPECT_EQ(adopt(game / "Fortress" / "qconsole.log"), std::nullopt);

    EXPECT_EQ(consoleLogPath, at(game / "Fortress" / "qconsole.log"));
    EXPECT_EQ(configuration.Active_Mod_Dir, at(game / "Fortress"));
    EXPECT_EQ(configuration.Quake_Dir, at(game));
    EXPECT_EQ(configuration.TF_Dir, at(game / "Fortress"));
    EXPECT_EQ(configuration.CTF_Dir, at(game / gamepaths::systemSpelling("CTF")));
    EXPECT_EQ(configuration.DM_Dir, at(game / "Qw"));
    EXPECT_EQ(configuration.Quake_Id1_sound, at(game / "ID1" / gamepaths::systemSpelling("Sound")));
    EXPECT_EQ(readFile(game / "Fortress" / "qconsole.log"), kCleared);
    EXPECT_EQ(readFile(game / "Qw" / "Qconsole.log"), kCleared);
    EXPECT_EQ(std::ranges::distance(fs::directory_iterator(game / "Qw")), 1)
        << "the existing log is cleared, no second one made";
    EXPECT_EQ(std::ranges::distance(fs::directory_iterator(game)), 3)
        << "nothing made for a missing mode, no second spelling of any directory";
    EXPECT_TRUE(fs::is_directory(game / "ID1" / gamepaths::systemSpelling("Sound")));

    // Of several spellings the game's own wins.
    fs::create_directory(game / gamepaths::systemSpelling("ID1"));
    EXPECT_EQ(gamepaths::entry(game, "Id1"), game / gamepaths::systemSpelling("ID1"));
}

TEST_F(GameDirectoriesTest, FailuresAreReportedAndEveryOtherStepStillRuns) {
    makeGame({"fortress", "ctf", "qw"});
    // A log that cannot be written, and an ID1 that is a file, fail even for root.
    fs::remove(game / "ctf" / "qconsole.log");
    fs::create_directory(game / "ctf" / "qconsole.log");
    writeFile(game / "id1", "not a directory");

    const auto problem = adopt(game / "fortress" / "qconsole.log");

    ASSERT_TRUE(problem.has_value());
    // One line for each problem.
    for (const std::string& part : {at(game / "ctf" / "qconsole.log"), std::string("\r\n"),
                                    at(game / "id1" / gamepaths::systemSpelling("Sound"))})
        EXPECT_NE(problem->find(part), std::string::npos) << *problem;
    EXPECT_EQ(readFile(game / "qw" / "qconsole.log"), kCleared) << "the step after the failure";
}

// Where each engine writes its log, and whether that log stays in every game mode.
TEST_F(GameDirectoriesTest, BaseDirectoryPlayScriptAndWatchedLogFollowFromTheLog) {
    constexpr GameFamily q1 = GameFamily::Quake, q3 = GameFamily::QuakeIII;
    using Layout = std::tuple<const char*, std::vector<const char*>, const char*, const char*,
                              const char*, bool, GameFamily>;
    for (const auto& [engine, directories, logDir, quakeDir, gameDir, logStays, family] :
         {Layout{"quakespasm", {"a/id1"}, "a", "a", "a/id1", true, q1},
          Layout{"ezQuake", {"b/id1", "b/qw", "b/ezquake"}, "b/qw", "b", "b/qw", true, q1},
          Layout{"QuakeWorld", {"c/id1", "c/qw"}, "c/qw", "c", "c/id1", false, q1},
          Layout{"darkplaces", {"d/id1"}, "d/id1", "d", "d/id1", false, q1},
          Layout{"darkplaces at home", {"h/.dp/id1"}, "h/.dp/id1", "h/.dp", "h/.dp/id1", false, q1},
          Layout{"OpenArena", {"o/.oa/baseoa"}, "o/.oa/baseoa", "o/.oa", "o/.oa/baseoa", true, q3},
          Layout{
              "ioq3 mod", {"i/q3/baseq3", "i/q3/osp"}, "i/q3/osp", "i/q3", "i/q3/osp", true, q3}}) {
        SCOPED_TRACE(engine);
        for (const char* directory : directories)
            fs::create_directories(dir / directory);
        const fs::path log = dir / logDir / "qconsole.log";
        const fs::path script = dir / gameDir / "bellcast.cfg";
        writeFile(script, "play last.wav\r\n");
        configuration = {};

        EXPECT_EQ(adopt(log), std::nullopt);

        EXPECT_EQ(fs::path(configuration.Quake_Dir), dir / quakeDir);
        EXPECT_EQ(fs::path(configuration.Active_Mod_Dir), log.parent_path());
        EXPECT_EQ(fs::path(configuration.Quake_Id1_sound),
                  dir / gameDir / gamepaths::systemSpelling("Sound"));
        EXPECT_EQ(configuration.Console_Log, logStays ? log.string() : "");
        EXPECT_EQ(watchedConsoleLog(configuration), log);
        EXPECT_EQ(configuration.Game_Family, family);
        EXPECT_EQ(readFile(script), "play last.wav\r\n") << "an existing play script stays";

        fs::remove(script);
        EXPECT_EQ(adopt(log), std::nullopt);
        EXPECT_EQ(readFile(script), "// Yelpcue writes the sound to play here\r\n")
            << "made before the game starts, without a play command";
    }
}

// Before the game is found (a fresh install) no log, play script or directory is named, least
// of all one relative to wherever the program runs.
TEST_F(GameDirectoriesTest, EmptySettingsAndALogAtTheTopNameNothing) {
    EXPECT_EQ(gamepaths::fromSetting(""), fs::path());
    EXPECT_EQ(gamepaths::consoleLog(""), fs::path());
    EXPECT_EQ(gamepaths::playScript("", ""), std::nullopt);
    EXPECT_EQ(gamepaths::playScript("", "/q/id1/sound"), std::nullopt);
    EXPECT_EQ(watchedConsoleLog(configuration), fs::path());
    EXPECT_EQ(createPlayScriptIfMissing(configuration), std::nullopt);
    configuration.Console_Log = "/q/qconsole.log";
    EXPECT_EQ(watchedConsoleLog(configuration), fs::path("/q/qconsole.log"))
        << "no game mode needed";
#ifndef _WIN32
    configuration.TF_Dir = "old";
    EXPECT_EQ(adoptConsoleLog("/qconsole.log", configuration, consoleLogPath), std::nullopt);
    EXPECT_EQ(configuration.Quake_Dir, "");
    EXPECT_EQ(configuration.TF_Dir, "");
#endif
}

} // namespace
