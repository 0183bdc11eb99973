// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/settings/SettingsLayout.h"

#include <string>

class SettingsStore;

// The engines a game runs on: Quake's (darkplaces, quakespasm, ezQuake), or Quake III's
// (ioquake3, OpenArena), whose "play" takes a path in the game folder and whose log is
// written only when the config asks for it.
enum class GameFamily { Quake, QuakeIII };

// The in-memory copy of every key of "Hornwise Params", shared by all windows. Each member
// has the name of its key.
struct Configuration {
    std::string Quake_Dir;
    std::string Quake_Id1_sound;
    std::string TF_Dir;
    std::string CTF_Dir;
    std::string DM_Dir;
    std::string Active_Mod_Dir;
    // The console log when the game writes the same one whatever the game mode; empty when
    // it is qconsole.log in Active_Mod_Dir, as for every configuration stored before.
    std::string Console_Log;
    GameFamily Game_Family = GameFamily::Quake;
    std::string Selected_Key = "PAUSE";
    std::string Trigger_Cfg = "1";
    bool AutoCopy = true;
    bool QconsoleDel = true;

    // The stored configuration version, "NONE" when nothing was ever stored.
    static std::string readVersion(const SettingsStore& store);
    // Reads every key but reg_version, with the default of each.
    void load(const SettingsStore& store);
    // Writes reg_version "2" and every key, in the order the configure window's "Ok" uses;
    // false when the store could not be written.
    bool save(SettingsStore& store) const;

    bool operator==(const Configuration&) const = default;
};
