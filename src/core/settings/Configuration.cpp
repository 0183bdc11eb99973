#include "core/settings/Configuration.h"

#include "core/platform/SettingsStore.h"
#include "core/text/Text.h"

bool readYesNoOption(const std::string& storedText) {
    return !text::equalsIgnoringCase(storedText, "FALSE");
}

const char* yesNoText(bool on) {
    return on ? "True" : "False";
}

std::string Configuration::readVersion(const SettingsStore& store) {
    return store.get(settings::kParams, "reg_version", "NONE");
}

void Configuration::load(const SettingsStore& store) {
    const auto read = [&store](const char* key, const char* defaultValue) {
        return store.get(settings::kParams, key, defaultValue);
    };
    Quake_Dir = read("Quake_Dir", "");
    Quake_Id1_sound = read("Quake_Id1_sound", "");
    TF_Dir = read("TF_Dir", "");
    CTF_Dir = read("CTF_Dir", "");
    DM_Dir = read("DM_Dir", "");
    Active_Mod_Dir = read("Active_Mod_Dir", "");
    AutoCopy = readYesNoOption(read("AutoCopy", "TRUE"));
    QconsoleDel = readYesNoOption(read("QconsoleDel", "TRUE"));
    Trigger_Cfg = read("Trigger_Cfg", "1");
    Selected_Key = read("Selected_Key", "PAUSE");
}

bool Configuration::save(SettingsStore& store) const {
    const auto write = [&store](const char* key, const std::string& value) {
        store.save(settings::kParams, key, value);
    };
    write("reg_version", settings::kCurrentVersion);
    write("TF_Dir", TF_Dir);
    write("CTF_Dir", CTF_Dir);
    write("DM_Dir", DM_Dir);
    write("Quake_Dir", Quake_Dir);
    write("Quake_Id1_sound", Quake_Id1_sound);
    write("Active_Mod_Dir", Active_Mod_Dir);
    write("Selected_Key", Selected_Key);
    write("Trigger_Cfg", Trigger_Cfg);
    write("AutoCopy", yesNoText(AutoCopy));
    write("QconsoleDel", yesNoText(QconsoleDel));
    return store.sync();
}
