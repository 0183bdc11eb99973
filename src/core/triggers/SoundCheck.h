// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

class Progress;
class TriggerList;
struct Configuration;

// Whether the game can play each trigger's sound: its copy in the game's sound directory is
// there and every engine of the family plays it right. A copy that is missing or wrong is
// made again from the trigger's chosen file.
namespace soundcheck {

struct Finding {
    int position = 0;
    // The copy's name, which the play script asks for.
    std::string soundName;
    // Why the game will not play it; empty when it will.
    std::string problem;
    // The file a new copy is made from, when it is there.
    std::optional<std::filesystem::path> source;

    bool ready() const { return problem.empty(); }
};

// A finding for every trigger that is not empty.
std::vector<Finding> check(const TriggerList& triggers, const Configuration& configuration);

// The main window's line for each trigger whose sound the game will not play; none while
// the game's sound folder is unknown.
std::vector<std::string> warnings(const TriggerList& triggers, const Configuration& configuration);

struct Repair {
    int made = 0;
    // "<sound>: <why>" for each copy that could not be made.
    std::vector<std::string> failures;
    // Where files that stood in the way of a copy were kept.
    std::vector<std::filesystem::path> kept;
};
// Makes the copy of every finding that is not ready and has a source, keeping any file that
// stands where a copy goes. `progress` goes over the findings made.
Repair makeCopies(const std::vector<Finding>& findings, const Configuration& configuration,
                  Progress& progress);

// What the repair did, in a player's words.
std::string report(const Repair& repair);

} // namespace soundcheck
