#pragma once

#include <optional>
#include <string>

struct Configuration;

// Finding the console log tells where the whole game is: the log lies in the directory of
// the game mode being played, and the game directory is the one above it.
//
// Sets ConsoleLogPath to the chosen log, Active_Mod_Dir to its directory, Quake_Dir to the
// directory above, and TF_Dir, CTF_Dir, DM_Dir and Quake_Id1_sound to the game's
// "fortress", "CTF", "QW" and "ID1/Sound" under it (existing entries in any letter case).
// Then the console logs of the game-mode directories that exist are cleared with the
// marker line, and the sound directory is created with its parents.
//
// A game mode that is not installed is skipped without complaint; every other step still
// runs. Returns what could not be done, for the player, when anything failed.
std::optional<std::string> adoptConsoleLog(const std::string& chosenLog,
                                           Configuration& configuration,
                                           std::string& consoleLogPath);
