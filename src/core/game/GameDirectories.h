// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/settings/Configuration.h"

#include <filesystem>
#include <optional>
#include <string>

// Where an engine keeps its files, told by the place of the console log it writes. The base
// directory is the one that holds the base game's directory: id1, baseoa or baseq3.
struct GameLayout {
    std::string baseDir;
    // Where the play script and the sounds go, so that the engine's "exec" and "play" find
    // them: id1, ezQuake's qw, or the folder of a Quake III game.
    std::string gameDir;
    // Whether the engine writes its log into the directory of the game mode being played,
    // so that each game-mode button watches a log of its own.
    bool logFollowsGameMode = true;
    GameFamily family = GameFamily::Quake;
};

// - A log beside id1 is written where the game was started (quakespasm): the base directory
//   holds it, whatever the game mode.
// - A log in qw under a base directory that also holds ezQuake's own directory "ezquake" is
//   ezQuake's, which logs there whatever the game mode. The play script and the sounds go
//   into qw, which ezQuake always searches and which, unlike id1 in Debian's set-up of
//   ezQuake, belongs to the player.
// - A log in "baseoa" or "baseq3", or in a mod's folder beside one of them (and no id1), is a Quake
// III
//   game's (OpenArena, ioquake3), which logs into the folder of the game it plays and looks
//   for scripts and sounds there; the base directory is the folder above (its home).
// - Anywhere else, the log is in the directory of the game mode being played and the base
//   directory is the one above it (darkplaces, with or without -nohome).
// These names count in any letter case on Windows, in lower case elsewhere.
GameLayout recogniseGameLayout(const std::string& consoleLog);

// Finding the console log tells where the whole game is (recogniseGameLayout).
//
// Sets ConsoleLogPath to the chosen log, Active_Mod_Dir to its directory, Quake_Dir to the
// base directory, Game_Family to the layout's, TF_Dir, CTF_Dir and DM_Dir to the game's "fortress",
// "CTF" and "QW" under it, Quake_Id1_sound to "Sound" in the game directory (existing entries in
// any letter case), and Console_Log to the chosen log when it does not follow the game mode, else
// to nothing. Then the console logs of the game-mode directories that exist are cleared with the
// marker line, the sound directory is created with its parents, and the play script is created when
// it is missing.
//
// A game mode that is not installed is skipped without complaint; every other step still
// runs. Returns what could not be done, for the player, when anything failed.
std::optional<std::string> adoptConsoleLog(const std::string& chosenLog,
                                           Configuration& configuration,
                                           std::string& consoleLogPath);

// The log a session watches: Console_Log when the game writes one log whatever the game
// mode, else qconsole.log in the directory of the game mode being played.
std::filesystem::path watchedConsoleLog(const Configuration& configuration);

// Some engines (ezQuake) list their files once when they start and never find a script
// made later, so the play script is made, holding only a comment, as soon as the game
// directory is known, and stays between sessions. An existing script is left as it is.
// Returns why it could not be made, for the player.
std::optional<std::string> createPlayScriptIfMissing(const Configuration& configuration);
