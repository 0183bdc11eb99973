#include "core/game/GamePaths.h"

#include "core/game/GameDirectories.h"
#include "core/settings/Configuration.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

// An entry is found in any letter case; of several spellings the game's own wins.
TEST(GamePathsTest, EntryIsFoundInAnyLetterCaseAndTheSystemSpellingWins) {
    TempDir game;
    fs::create_directory(game / "Fortress");
    EXPECT_EQ(gamepaths::entry(game.path(), "FORTRESS"), game / "Fortress");
    EXPECT_EQ(gamepaths::entry(game.path(), "ID1"), game / gamepaths::systemSpelling("ID1"));
    fs::create_directory(game / "ID1");
    fs::create_directory(game / gamepaths::systemSpelling("ID1"));
    EXPECT_EQ(gamepaths::entry(game.path(), "Id1"), game / gamepaths::systemSpelling("ID1"));
}

// Before the game is found (a fresh install) every setting is empty: no log, play script or
// directory is then named, least of all one relative to wherever the program runs.
TEST(GamePathsTest, EmptySettingsNameNothing) {
    EXPECT_EQ(gamepaths::fromSetting(""), fs::path());
    EXPECT_EQ(gamepaths::consoleLog(""), fs::path());
    EXPECT_EQ(gamepaths::playScript("", ""), std::nullopt);
    EXPECT_EQ(gamepaths::playScript("", "/q/id1/sound"), std::nullopt);
    Configuration none;
    EXPECT_EQ(watchedConsoleLog(none), fs::path());
    EXPECT_EQ(createPlayScriptIfMissing(none), std::nullopt);
    none.Console_Log = "/q/qconsole.log";
    EXPECT_EQ(watchedConsoleLog(none), fs::path("/q/qconsole.log")) << "no game mode needed";
}

} // namespace
