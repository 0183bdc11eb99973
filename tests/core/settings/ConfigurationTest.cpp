#include "core/settings/Configuration.h"

#include "support/FakeSettingsStore.h"

#include <gtest/gtest.h>

namespace {

TEST(ConfigurationTest, EmptyStoreGivesTheDefaults) {
    const FakeSettingsStore store;
    Configuration configuration;
    configuration.Active_Mod_Dir = "left over";
    configuration.Console_Log = "left over";
    configuration.Selected_Key = "F2";
    configuration.load(store);
    EXPECT_EQ(Configuration::readVersion(store), "NONE");
    EXPECT_EQ(configuration, Configuration{});
    EXPECT_EQ(configuration.Selected_Key, "PAUSE");
    EXPECT_TRUE(configuration.AutoCopy && configuration.QconsoleDel);
}

TEST(ConfigurationTest, OnlyFalseInAnyCaseTurnsAnOptionOff) {
    for (const char* off : {"False", "FALSE", "false", "fAlSe"})
        EXPECT_FALSE(settings::readYesNoOption(off)) << off;
    for (const char* on : {"True", "no", "0", "", "FALSE "})
        EXPECT_TRUE(settings::readYesNoOption(on)) << on;
}

TEST(ConfigurationTest, SavedConfigurationReadsBackAsSaved) {
    Configuration saved;
    saved.Quake_Dir = "/games/quake";
    saved.Quake_Id1_sound = "/games/quake/id1/sound";
    saved.TF_Dir = "/games/quake/fortress";
    saved.CTF_Dir = "/games/quake/ctf";
    saved.DM_Dir = saved.Active_Mod_Dir = "/games/quake/qw";
    saved.Console_Log = "/games/quake/qw/qconsole.log";
    saved.Selected_Key = "F2";
    saved.AutoCopy = false;
    saved.Game_Family = GameFamily::QuakeIII;
    FakeSettingsStore store;
    ASSERT_TRUE(saved.save(store));
    EXPECT_EQ(store.get("Hornwise Params", "reg_version"), "2");
    EXPECT_EQ(store.get("Hornwise Params", "AutoCopy"), "False");
    EXPECT_EQ(store.get("Hornwise Params", "QconsoleDel"), "True");
    EXPECT_EQ(store.get("Hornwise Params", "Game_Family"), "Quake III");
    Configuration loaded;
    loaded.load(store);
    EXPECT_EQ(loaded, saved);

    store.syncSucceeds = false;
    EXPECT_FALSE(saved.save(store)) << "a store that cannot be written is reported";
}

} // namespace
