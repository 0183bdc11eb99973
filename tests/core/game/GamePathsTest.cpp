#include "core/game/GamePaths.h"

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
    EXPECT_EQ(gamepaths::playScript("", ""), std::nullopt);
}

} // namespace
