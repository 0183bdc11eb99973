// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The characters after the path's last "\" or "/"; the whole path when it has neither.
// Both separators count, so trigger files from either system work on the other.
std::string BaseFileName(std::string_view path);

// The name of the game's copy of a chosen sound file, which the play script names: a wave's
// own name, in the letter case it has (as stored triggers name it), any other file's name
// with ".wav" for its extension, since the copy is a wave made from it.
std::string gameSoundName(std::string_view chosen);

// Why a sound name must not go into the play script, a line of game commands: ";" and
// line breaks start another command, a double quote changes how the line is cut into
// words, "$" makes engines with console-variable expansion (DarkPlaces, FTE, ezQuake) put a
// variable's value (a password, say) into the command and so into the console log, control
// characters have no place in a file name, and a name the game would look up with
// kMaxSoundNameLength characters or more makes it quit. nullopt when it is safe.
inline constexpr std::size_t kMaxSoundNameLength = 64;
std::optional<std::string> soundNameProblem(std::string_view soundName);
