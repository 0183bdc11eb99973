// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/settings/Configuration.h"
#include "core/triggers/TriggerList.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

class Progress;
class Speech;

// Whether the game can play each trigger's sound: its copy in the game's sound directory is
// there and every engine of the family plays it right. A copy that is missing or wrong is
// made again from the trigger's chosen file, or for a spoken cue from its text.
namespace soundcheck {

struct Finding {
    int position = 0;
    // The copy's name, which the play script asks for.
    std::string soundName;
    // Why the game will not play it; empty when it will.
    std::string problem;
    // The file the trigger names, and what it says when it is a spoken cue.
    std::optional<std::filesystem::path> chosen;
    std::optional<SpokenText> spoken;
    // Whether a new copy can be made: from the chosen file when it is there, or the text.
    bool makeable = false;

    bool ready() const { return problem.empty(); }
};

// A finding for every trigger that is not empty.
std::vector<Finding> check(const TriggerList& triggers, const Configuration& configuration);

// What the check found, in a player's words ("The game will not play 1 of the 2 sounds ...").
std::string summary(const std::vector<Finding>& findings);
// Whether a copy can be made for any sound the game will not play.
bool anyToMake(const std::vector<Finding>& findings);

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
// Makes the copy of every finding that is not ready and can be made, keeping any file that
// stands where a copy goes; a spoken cue's own file is made again too where it is missing.
// `progress` goes over the findings made.
Repair makeCopies(const std::vector<Finding>& findings, const Configuration& configuration,
                  Speech& speech, Progress& progress);

// What the repair did, in a player's words, with what a game that is running needs.
std::string report(const Repair& repair, GameFamily family);

} // namespace soundcheck
