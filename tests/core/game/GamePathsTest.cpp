#include "core/game/GamePaths.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

TEST(GamePathsTest, ExistingEntryIsFoundInAnyLetterCase) {
    TempDir game;
    fs::create_directory(game / "Fortress");
    EXPECT_EQ(gamepaths::entry(game.path(), "fortress"), game / "Fortress");
    EXPECT_EQ(gamepaths::entry(game.path(), "FORTRESS"), game / "Fortress");
}

TEST(GamePathsTest, MissingEntryTakesTheGamesOwnSpelling) {
    TempDir game;
    EXPECT_EQ(gamepaths::entry(game.path(), "ID1"), game / gamepaths::systemSpelling("ID1"));
#ifndef _WIN32
    EXPECT_EQ(gamepaths::systemSpelling("ID1"), "id1");
#endif
}

TEST(GamePathsTest, SystemSpellingWinsWhenSeveralSpellingsExist) {
    TempDir game;
    fs::create_directory(game / "ID1");
    fs::create_directory(game / gamepaths::systemSpelling("ID1"));
    EXPECT_EQ(gamepaths::entry(game.path(), "Id1"), game / gamepaths::systemSpelling("ID1"));
}

TEST(GamePathsTest, EmptySettingsNameNothing) {
    EXPECT_EQ(gamepaths::playScript("", ""), std::nullopt);
    EXPECT_TRUE(gamepaths::consoleLog("").empty());
}

TEST(GamePathsTest, ConsoleLogIsInTheGameModeDirectory) {
    TempDir game;
    EXPECT_EQ(gamepaths::consoleLog(game.path().string()), game / "qconsole.log");
}

} // namespace
