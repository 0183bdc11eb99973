// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct Configuration;

// The keys the player can have pushed after each match, in the order of the configure
// window's list. The position of the chosen key, counted from 0, is stored as Trigger_Cfg.
namespace keylist {

// "F1" to "F12", "a" to "z", "0" to "9", then the named keys of the game.
const std::vector<std::string>& entries();

// The position a stored Trigger_Cfg names; nullopt when it names no entry.
std::optional<int> positionFromSetting(std::string_view triggerCfg);

// Choosing the entry at `position` makes it the pushed key at once.
void choose(Configuration& configuration, int position);

} // namespace keylist
