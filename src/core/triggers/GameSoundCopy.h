// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/settings/Configuration.h"
#include "core/sound/GameWave.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

class Progress;

// The game's copy of a trigger's sound: a wave every engine of the game family plays, in the
// game's sound directory under the name the play script asks for (gameSoundName).
namespace gamesound {

// The rate the copy is made at: the engines' own mixing rate, so that none of them has to
// resample it (ezQuake and Quake III do that crudely, by nearest neighbour).
int copyRate(GameFamily family);

// The file a trigger's sound names: a name with a directory as it stands; a bare name in the
// game's sound directory, found there in any letter case. nullopt for an empty name, and
// for a bare name while the sound directory is unknown.
std::optional<std::filesystem::path> chosenFile(std::string_view soundFile,
                                                std::string_view soundDirectory);

// Where the game looks for the copy of `chosen`: the sound directory's entry of that name
// in any letter case, or the name as it will be written. nullopt while the sound directory
// is unknown.
std::optional<std::filesystem::path> copyPath(std::string_view soundDirectory,
                                              std::string_view chosen);

// The game's copy of `chosen` when it is there.
std::optional<std::filesystem::path> existingCopy(std::string_view soundDirectory,
                                                  std::string_view chosen);

// What a game that is running needs before it plays a copy just placed, in a player's
// words: ezQuake finds only the files there at its start, and every engine keeps a sound it
// has loaded (Quake III also a name that failed to load) until told to load it again.
std::string runningGameAdvice(GameFamily family);

// The game-ready wave made from a chosen file, in memory, or why there is none. `progress`,
// when given, goes from 0 to 90.
sound::Outcome<std::string> convert(const std::filesystem::path& chosen, GameFamily family,
                                    Progress* progress);

// Where a file that the copy replaces is kept: a folder of the sound directory.
inline constexpr const char* kKeptFolder = "yelpcue-originals";

struct Placement {
    bool written = false;
    // Where the file that stood at the destination was moved to.
    std::optional<std::filesystem::path> kept;
};
// Writes `wave` at `destination`, which is replaced only by a complete file. With
// `keepExisting`, a file standing there is first moved into kKeptFolder beside it (under its
// own name, in a numbered folder below when that name is taken), and moved back when the
// write fails, so that it is never lost.
Placement placeWave(const std::filesystem::path& destination, std::string_view wave,
                    bool keepExisting);

} // namespace gamesound
