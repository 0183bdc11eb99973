// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

// Where the game's directories and files are. The game runs on case-sensitive file systems
// too, where its engines use lower-case names, so a name is looked up among the entries
// that exist without regard to letter case.
namespace gamepaths {

// The spelling the game uses on this system when no entry exists yet: the name as given
// on Windows, lower case elsewhere.
std::string systemSpelling(std::string_view name);

// The entry of `directory` called `name` in any letter case (the system's spelling first
// when several exist); the system's spelling when none exists.
std::filesystem::path entry(const std::filesystem::path& directory, std::string_view name);

// Whether an entry's own name `found` is the game's `name`: in any letter case on Windows;
// on other systems the engines look for their directories in lower case, so only that
// spelling counts.
bool isSpelledAs(std::string_view found, std::string_view name);

// Whether `directory` holds a directory spelt as `name` (isSpelledAs).
bool holdsDirectory(const std::filesystem::path& directory, std::string_view name);

// The directory or file given by a setting; empty for an empty setting, so that nothing is
// ever looked for relative to the program's working directory.
std::filesystem::path fromSetting(std::string_view setting);

// The play script, under the name that the bind's "exec bellcast.cfg" finds: beside the
// game's sound directory (Quake_Id1_sound), in the game directory where the engine looks
// for both the scripts it executes and the sounds it plays; in the ID1 directory under
// Quake_Dir when no sound directory is set. nullopt when Quake_Dir is empty.
std::optional<std::filesystem::path> playScript(std::string_view quakeDir,
                                                std::string_view soundDir);

// The console log of a game-mode directory; empty for an empty directory setting.
std::filesystem::path consoleLog(std::string_view modDir);

} // namespace gamepaths
