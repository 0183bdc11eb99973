// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/text/ChatLine.h"

#include <optional>
#include <string>
#include <string_view>

class SettingsStore;

// Every section and key of the settings store, spelled as stored, with its default, and the
// rules by which stored text is read. Nothing else in the program spells a key.
namespace settings {

inline constexpr const char* kApplication = "Bellcast";

// A key of a section and the value read when it is missing.
struct Key {
    const char* name;
    const char* defaultValue;
};

// "Hornwise Params": the configuration, one key per member of Configuration.
inline constexpr const char* kParams = "Hornwise Params";
inline constexpr const char* kCurrentVersion = "2";
inline constexpr Key kVersion{"reg_version", "NONE"};
inline constexpr Key kQuakeDir{"Quake_Dir", ""};
inline constexpr Key kQuakeSoundDir{"Quake_Id1_sound", ""};
inline constexpr Key kTfDir{"TF_Dir", ""};
inline constexpr Key kCtfDir{"CTF_Dir", ""};
inline constexpr Key kDmDir{"DM_Dir", ""};
inline constexpr Key kActiveModDir{"Active_Mod_Dir", ""};
// The one log of a game that writes the same log whatever the game mode; missing (as in
// every store written before there was such a key) when the log is the game mode's.
inline constexpr Key kConsoleLog{"Console_Log", ""};
// The engine family of the game, when the console log was found in a Quake III game's
// folder; missing for the Quake engines, as in every store written before there was such a key.
inline constexpr Key kGameFamily{"Game_Family", ""};
inline constexpr const char* kQuakeIIIFamily = "Quake III";
inline constexpr Key kSelectedKey{"Selected_Key", "PAUSE"};
inline constexpr Key kTriggerCfg{"Trigger_Cfg", "1"};
inline constexpr Key kAutoCopy{"AutoCopy", "TRUE"};
inline constexpr Key kQconsoleDel{"QconsoleDel", "TRUE"};

// "Application_params": how many triggers the list holds.
inline constexpr const char* kCountSection = "Application_params";
inline constexpr Key kRecordCount{"RecordCount", "1"};

// One section per trigger, named by its position in decimal ("1", "2", ...).
inline constexpr Key kTriggerName{"t_name", "Test Trigger"};
inline constexpr Key kTriggerKeyword{"t_keyword", "SHOTGUN"};
inline constexpr Key kTriggerFile{"t_file", "Bitch.wav"};
// Written only for a trigger that has a quiet time.
inline constexpr Key kTriggerQuiet{"t_quiet_ms", "0"};
// Who may call the trigger: "all" or "any"; written only when it is not team talk.
inline constexpr Key kTriggerCallers{"t_callers", "team"};
// A spoken cue's text, voice and speed in words a minute; written only for a spoken cue.
inline constexpr Key kTriggerSpeech{"t_speech", ""};
inline constexpr Key kTriggerVoice{"t_voice", ""};
inline constexpr Key kTriggerSpeed{"t_speed", "175"};

// One section per window, named after the window: its place and size in twips, each read
// only when it is a number (a missing one leaves the window's design value).
inline constexpr const char* kTop = "top";
inline constexpr const char* kLeft = "left";
inline constexpr const char* kWidth = "width";
inline constexpr const char* kHeight = "height";

// The stored text of a key, or its default.
std::string read(const SettingsStore& store, std::string_view section, const Key& key);

// A yes/no option is off only when stored as "FALSE" in any letter case.
bool readYesNoOption(const std::string& storedText);
const char* yesNoText(bool on);

// RecordCount: a whole number from 0 to `maximum`; anything else is a damaged store.
std::optional<int> readRecordCount(const std::string& storedText, int maximum);

// t_quiet_ms: whole milliseconds, a number beyond 0 to `maximum` taken as the nearest of
// them; anything else (empty, not a number) is 0, no quiet time.
int readQuietMs(const std::string& storedText, int maximum);

// t_callers: "all" and "any" as written by callersText; anything else is team talk, the
// narrowest, so that a damaged value never lets more lines call.
text::Callers readCallers(const std::string& storedText);
const char* callersText(text::Callers callers);

} // namespace settings
