#include "core/game/GameDirectories.h"

#include "core/game/GamePaths.h"
#include "core/settings/Configuration.h"
#include "core/text/PathText.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

constexpr const char* kCleared = "** CLEARED BY HORNWISE **\r\n";

class GameDirectoriesTest : public testing::Test {
protected:
    TempDir dir;
    fs::path game = dir / "quake";
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
};

TEST_F(GameDirectoriesTest, LogInFortressGivesEveryDirectoryAndClearsTheInstalledModes) {
    makeGame({"fortress", "qw"}); // no CTF installed
    const fs::path log = game / "fortress" / "qconsole.log";

    EXPECT_EQ(adopt(log), std::nullopt);

    EXPECT_EQ(consoleLogPath, log.string());
    EXPECT_EQ(configuration.Active_Mod_Dir, (game / "fortress").string());
    EXPECT_EQ(configuration.Quake_Dir, game.string());
    EXPECT_EQ(configuration.TF_Dir, (game / "fortress").string());
    EXPECT_EQ(configuration.CTF_Dir, (game / gamepaths::systemSpelling("CTF")).string());
    EXPECT_EQ(configuration.DM_Dir, (game / "qw").string());
    EXPECT_EQ(
        configuration.Quake_Id1_sound,
        (game / gamepaths::systemSpelling("ID1") / gamepaths::systemSpelling("Sound")).string());
    EXPECT_EQ(readFile(game / "fortress" / "qconsole.log"), kCleared);
    EXPECT_EQ(readFile(game / "qw" / "qconsole.log"), kCleared);
    EXPECT_FALSE(fs::exists(game / "ctf")) << "nothing is made for a missing mode";
    EXPECT_TRUE(fs::is_directory(game / "id1" / "sound")) << "made with its parents";
}

TEST_F(GameDirectoriesTest, ExistingDirectoriesAreFoundInAnyLetterCase) {
    makeGame({"Fortress", "CTF", "Qw"});
    fs::create_directories(game / "ID1" / "Sound");
    fs::rename(game / "CTF" / "qconsole.log", game / "CTF" / "Qconsole.log");

    EXPECT_EQ(adopt(game / "Qw" / "qconsole.log"), std::nullopt);

    EXPECT_EQ(configuration.TF_Dir, (game / "Fortress").string());
    EXPECT_EQ(configuration.CTF_Dir, (game / "CTF").string());
    EXPECT_EQ(configuration.DM_Dir, (game / "Qw").string());
    EXPECT_EQ(configuration.Quake_Id1_sound, (game / "ID1" / "Sound").string());
    EXPECT_EQ(readFile(game / "CTF" / "Qconsole.log"), kCleared);
    EXPECT_EQ(std::distance(fs::directory_iterator(game / "CTF"), fs::directory_iterator()), 1)
        << "the existing log is cleared, no second one made";
    EXPECT_EQ(std::distance(fs::directory_iterator(game), fs::directory_iterator()), 4)
        << "no second spelling of any directory is made";
}

TEST_F(GameDirectoriesTest, FailuresAreReportedAndEveryOtherStepStillRuns) {
    makeGame({"fortress", "ctf", "qw"});
    // A log that cannot be written, and an ID1 that is a file, fail even for root.
    fs::remove(game / "ctf" / "qconsole.log");
    fs::create_directory(game / "ctf" / "qconsole.log");
    writeFile(game / "id1", "not a directory");

    const auto problem = adopt(game / "fortress" / "qconsole.log");

    ASSERT_TRUE(problem.has_value());
    EXPECT_NE(problem->find((game / "ctf" / "qconsole.log").string()), std::string::npos)
        << *problem;
    EXPECT_NE(problem->find((game / "id1" / gamepaths::systemSpelling("Sound")).string()),
              std::string::npos)
        << *problem;
    EXPECT_NE(problem->find("\r\n"), std::string::npos) << "one line for each problem";
    EXPECT_EQ(readFile(game / "fortress" / "qconsole.log"), kCleared);
    EXPECT_EQ(readFile(game / "qw" / "qconsole.log"), kCleared) << "the step after the failure";
    EXPECT_EQ(configuration.DM_Dir, (game / "qw").string());
}

// Settings hold the directories as text, from which they must name the same directories.
TEST_F(GameDirectoriesTest, DirectoriesBeyondAsciiAreKeptAsTheyAreSpelt) {
    game = dir.path() / text::toPath(kNameBeyondAscii);
    makeGame({"fortress", "qw"});

    EXPECT_EQ(adopt(game / "fortress" / "qconsole.log"), std::nullopt);

    EXPECT_EQ(configuration.Quake_Dir, text::fromPath(game));
    EXPECT_EQ(configuration.DM_Dir, text::fromPath(game / "qw"));
    for (const std::string* directory :
         {&configuration.Quake_Dir, &configuration.Active_Mod_Dir, &configuration.TF_Dir,
          &configuration.DM_Dir, &configuration.Quake_Id1_sound})
        EXPECT_TRUE(fs::is_directory(text::toPath(*directory))) << *directory;
    EXPECT_EQ(readFile(game / "qw" / "qconsole.log"), kCleared);
}

// Where each engine writes its log (under the test's directory), and what follows from it.
struct EngineLayout {
    const char* name;
    std::vector<const char*> directories;
    const char* log;
    const char* quakeDir;
    // Where the play script and the sounds go.
    const char* gameDir;
    bool logStaysInEveryGameMode;
};

class GameLayoutTest : public GameDirectoriesTest,
                       public testing::WithParamInterface<EngineLayout> {};

TEST_P(GameLayoutTest, BaseDirectoryPlayScriptAndWatchedLogFollowFromTheLog) {
    const EngineLayout& layout = GetParam();
    for (const char* directory : layout.directories)
        fs::create_directories(dir / directory);
    const fs::path log = dir / layout.log;
    const fs::path script = dir / layout.gameDir / "bellcast.cfg";
    writeFile(script, "play last.wav\r\n");

    EXPECT_EQ(adopt(log), std::nullopt);

    const fs::path gameDir = dir / layout.gameDir;
    EXPECT_EQ(fs::path(configuration.Quake_Dir), dir / layout.quakeDir);
    EXPECT_EQ(fs::path(configuration.Active_Mod_Dir), log.parent_path());
    EXPECT_EQ(fs::path(configuration.Quake_Id1_sound),
              gameDir / gamepaths::systemSpelling("Sound"));
    EXPECT_TRUE(fs::is_directory(configuration.Quake_Id1_sound));
    EXPECT_EQ(configuration.Console_Log, layout.logStaysInEveryGameMode ? log.string() : "");
    EXPECT_EQ(watchedConsoleLog(configuration), log);
    EXPECT_EQ(readFile(script), "play last.wav\r\n") << "an existing play script is left as it is";

    fs::remove(script);
    EXPECT_EQ(adopt(log), std::nullopt);
    EXPECT_EQ(readFile(script), "// Yelpcue writes the sound to play here\r\n")
        << "made before the game starts, without a play command";
}

INSTANTIATE_TEST_SUITE_P(
    Logs, GameLayoutTest,
    testing::Values(
        // quakespasm, in the directory it was started from.
        EngineLayout{"BesideId1", {"quake/id1"}, "quake/qconsole.log", "quake", "quake/id1", true},
        EngineLayout{"EzQuakeInQw",
                     {"quake/id1", "quake/qw", "quake/ezquake"},
                     "quake/qw/qconsole.log",
                     "quake",
                     "quake/qw",
                     true},
        // A QuakeWorld client that logs in the game mode's directory.
        EngineLayout{"QwWithoutEzQuake",
                     {"quake/id1", "quake/qw"},
                     "quake/qw/qconsole.log",
                     "quake",
                     "quake/id1",
                     false},
        EngineLayout{"DarkPlacesWithoutHome",
                     {"quake/id1"},
                     "quake/id1/qconsole.log",
                     "quake",
                     "quake/id1",
                     false},
        EngineLayout{"DarkPlacesInItsHome",
                     {"home/.darkplaces/id1"},
                     "home/.darkplaces/id1/qconsole.log",
                     "home/.darkplaces",
                     "home/.darkplaces/id1",
                     false}),
    [](const testing::TestParamInfo<EngineLayout>& info) { return std::string(info.param.name); });

#ifndef _WIN32
TEST_F(GameDirectoriesTest, LogAtTheTopOfTheFileSystemLooksForNothingElsewhere) {
    configuration.TF_Dir = "old";
    EXPECT_EQ(adoptConsoleLog("/qconsole.log", configuration, consoleLogPath), std::nullopt);
    EXPECT_EQ(consoleLogPath, "/qconsole.log");
    EXPECT_EQ(configuration.Quake_Dir, "");
    EXPECT_EQ(configuration.TF_Dir, "");
    EXPECT_EQ(configuration.Quake_Id1_sound, "");
}
#endif

} // namespace
