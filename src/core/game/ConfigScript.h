// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/settings/Configuration.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The player's own game configuration scripts, and the bind added to one of them so that
// the game runs the play script when the pushed key arrives.

// The commands the game needs, one per line, lines separated by CR LF: bind <key> "exec
// bellcast.cfg"; for a Quake III game first "set logfile 2", since it writes its console
// log only when asked, does not keep that setting, and with "logfile 1" holds lines back
// for seconds.
std::string bindCommands(std::string_view keyName, GameFamily family);

// The commands between two marker lines, every line ended by CR LF.
std::string bindBlock(std::string_view keyName, GameFamily family);

// Where the commands belong, for the player; empty when the script they use everywhere will
// do. A Quake III game rewrites q3config.cfg when it quits and forgets "logfile" there.
std::string bindScriptAdvice(GameFamily family);

// ChosenConfigFiles from the files chosen in the dialog: one path as it is; several as
// their directory followed by their full paths, in the order chosen. Empty for none.
std::vector<std::string> chosenConfigFiles(const std::vector<std::string>& chosenPaths);

// The scripts the config-script window offers, and the position selected when it opens:
// the only script, or the second of several.
struct OfferedScripts {
    std::vector<std::string> paths;
    int selected = -1;
};
OfferedScripts scriptsToOffer(const std::vector<std::string>& ChosenConfigFiles);

// A script as the viewer shows it: each line, the last one included, followed by "\n".
// Lines may end in CR LF, LF or CR.
struct ScriptText {
    std::string text;
    // Why the script could not be read, for the player.
    std::optional<std::string> problem;
};
ScriptText readScriptForViewer(const std::filesystem::path& script);

// Whether a key name can stand in a bind line without changing what the line does: not
// empty, and no space, control character, double quote, ";" (the game's separator), "//"
// (a comment to the end of the line) or "$" (a console variable's value in some engines).
bool isBindableKeyName(std::string_view keyName);

// Appends the bind block after the script's last byte, starting a new line first when the
// script's last line has no line end. A script that does not exist is not created, and a
// key name that is not bindable is refused. On failure the script is left as it was and the
// problem, for the player, is returned.
std::optional<std::string> AppendBindBlock(const std::filesystem::path& script,
                                           std::string_view keyName, GameFamily family);
