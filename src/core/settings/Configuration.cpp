// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/Configuration.h"

#include "core/platform/SettingsStore.h"

using namespace settings;

std::string Configuration::readVersion(const SettingsStore& store) {
    return read(store, kParams, kVersion);
}

void Configuration::load(const SettingsStore& store) {
    const auto param = [&store](const Key& key) { return read(store, kParams, key); };
    Quake_Dir = param(kQuakeDir);
    Quake_Id1_sound = param(kQuakeSoundDir);
    TF_Dir = param(kTfDir);
    CTF_Dir = param(kCtfDir);
    DM_Dir = param(kDmDir);
    Active_Mod_Dir = param(kActiveModDir);
    Console_Log = param(kConsoleLog);
    Game_Family = param(kGameFamily) == kQuakeIIIFamily ? GameFamily::QuakeIII : GameFamily::Quake;
    AutoCopy = readYesNoOption(param(kAutoCopy));
    QconsoleDel = readYesNoOption(param(kQconsoleDel));
    Trigger_Cfg = param(kTriggerCfg);
    Selected_Key = param(kSelectedKey);
}

bool Configuration::save(SettingsStore& store) const {
    const auto write = [&store](const Key& key, const std::string& value) {
        store.save(kParams, key.name, value);
    };
    write(kVersion, kCurrentVersion);
    write(kTfDir, TF_Dir);
    write(kCtfDir, CTF_Dir);
    write(kDmDir, DM_Dir);
    write(kQuakeDir, Quake_Dir);
    write(kQuakeSoundDir, Quake_Id1_sound);
    write(kActiveModDir, Active_Mod_Dir);
    write(kConsoleLog, Console_Log);
    write(kGameFamily, Game_Family == GameFamily::QuakeIII ? kQuakeIIIFamily : "");
    write(kSelectedKey, Selected_Key);
    write(kTriggerCfg, Trigger_Cfg);
    write(kAutoCopy, yesNoText(AutoCopy));
    write(kQconsoleDel, yesNoText(QconsoleDel));
    return store.sync();
}
