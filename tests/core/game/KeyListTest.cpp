#include "core/game/KeyList.h"

#include <gtest/gtest.h>

namespace {

TEST(KeyListTest, HoldsTheSixtyOneKeysInListOrder) {
    const auto& keys = keylist::entries();
    ASSERT_EQ(keys.size(), 61u);
    const std::vector<std::pair<std::size_t, std::string>> expected{
        {0, "F1"},         {1, "F2"},          {11, "F12"},    {12, "a"},       {37, "z"},
        {38, "0"},         {47, "9"},          {48, "DEL"},    {49, "END"},     {50, "ENTER"},
        {51, "ESCAPE"},    {52, "HOME"},       {53, "INSERT"}, {54, "UPARROW"}, {55, "DOWNARROW"},
        {56, "LEFTARROW"}, {57, "RIGHTARROW"}, {58, "PGDN"},   {59, "PGUP"},    {60, "TAB"}};
    for (const auto& [position, key] : expected)
        EXPECT_EQ(keys[position], key) << "position " << position;
    EXPECT_EQ(keys[12 + ('q' - 'a')], "q");
    EXPECT_EQ(keys[38 + 5], "5");
}

TEST(KeyListTest, StoredPositionNamesAnEntryOnlyWithinTheList) {
    const std::vector<std::pair<std::string, std::optional<int>>> cases{
        {"1", 1},
        {"0", 0},
        {"60", 60},
        {"61", std::nullopt},
        {"-1", std::nullopt},
        {"abc", std::nullopt},
        {"", std::nullopt},
        {"99999999999999999999", std::nullopt}};
    for (const auto& [stored, position] : cases)
        EXPECT_EQ(keylist::positionFromSetting(stored), position) << "'" << stored << "'";
}

} // namespace
