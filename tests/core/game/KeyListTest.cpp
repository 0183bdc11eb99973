#include "core/game/KeyList.h"

#include <gtest/gtest.h>

namespace {

// The stored Selected_Key is a position in the list of the game's key names.
TEST(KeyListTest, StoredPositionNamesTheGamesKeyOnlyWithinTheList) {
    const auto& keys = keylist::entries();
    for (const auto& [stored, key] : {std::pair{"0", "F1"},
                                      {"11", "F12"},
                                      {"12", "a"},
                                      {"38", "0"},
                                      {"59", "PGUP"},
                                      {"60", "TAB"},
                                      {"61", ""},
                                      {"-1", ""},
                                      {"abc", ""},
                                      {"99999999999999999999", ""}}) {
        const auto position = keylist::positionFromSetting(stored);
        EXPECT_EQ(position ? keys[static_cast<std::size_t>(*position)] : "", key) << stored;
    }
}

} // namespace
