#include "core/settings/Configuration.h"

#include "support/FakeSettingsStore.h"

#include <gtest/gtest.h>

namespace {

TEST(ConfigurationTest, EmptyStoreGivesTheDefaults) {
    const FakeSettingsStore store;
    Configuration configuration;
    configuration.Active_Mod_Dir = "left over";
    configuration.Console_Log = "left over";
    configuration.load(store);

    EXPECT_EQ(Configuration::readVersion(store), "NONE");
    EXPECT_EQ(configuration.Selected_Key, "PAUSE");
    EXPECT_EQ(configuration.Trigger_Cfg, "1");
    EXPECT_TRUE(configuration.AutoCopy);
    EXPECT_TRUE(configuration.QconsoleDel);
    EXPECT_EQ(configuration.Active_Mod_Dir, "");
    EXPECT_EQ(configuration.Console_Log, "") << "as stored before: the log of the game mode";
    EXPECT_EQ(configuration.Quake_Dir, "");
}

TEST(ConfigurationTest, OnlyFalseInAnyCaseTurnsAnOptionOff) {
    for (const char* off : {"False", "FALSE", "false", "fAlSe"})
        EXPECT_FALSE(settings::readYesNoOption(off)) << off;
    for (const char* on : {"True", "TRUE", "no", "0", "", "FALSE "})
        EXPECT_TRUE(settings::readYesNoOption(on)) << on;

    FakeSettingsStore store;
    store.save("Hornwise Params", "AutoCopy", "false");
    Configuration configuration;
    configuration.load(store);
    EXPECT_FALSE(configuration.AutoCopy);
    EXPECT_TRUE(configuration.QconsoleDel) << "a missing key reads as on";
}

TEST(ConfigurationTest, SavedConfigurationReadsBackAsSaved) {
    Configuration saved;
    saved.Quake_Dir = "/games/quake";
    saved.Quake_Id1_sound = "/games/quake/id1/sound";
    saved.TF_Dir = "/games/quake/fortress";
    saved.CTF_Dir = "/games/quake/ctf";
    saved.DM_Dir = "/games/quake/qw";
    saved.Active_Mod_Dir = saved.DM_Dir;
    saved.Console_Log = "/games/quake/qw/qconsole.log";
    saved.Selected_Key = "F2";
    saved.Trigger_Cfg = "1";
    saved.AutoCopy = false;
    saved.QconsoleDel = true;

    FakeSettingsStore store;
    ASSERT_TRUE(saved.save(store));
    EXPECT_EQ(store.get("Hornwise Params", "reg_version"), "2");
    EXPECT_EQ(store.get("Hornwise Params", "AutoCopy"), "False");
    EXPECT_EQ(store.get("Hornwise Params", "QconsoleDel"), "True");

    Configuration loaded;
    loaded.load(store);
    EXPECT_EQ(loaded.Quake_Dir, saved.Quake_Dir);
    EXPECT_EQ(loaded.Quake_Id1_sound, saved.Quake_Id1_sound);
    EXPECT_EQ(loaded.TF_Dir, saved.TF_Dir);
    EXPECT_EQ(loaded.CTF_Dir, saved.CTF_Dir);
    EXPECT_EQ(loaded.DM_Dir, saved.DM_Dir);
    EXPECT_EQ(loaded.Active_Mod_Dir, saved.Active_Mod_Dir);
    EXPECT_EQ(loaded.Console_Log, saved.Console_Log);
    EXPECT_EQ(loaded.Selected_Key, "F2");
    EXPECT_FALSE(loaded.AutoCopy);
    EXPECT_TRUE(loaded.QconsoleDel);
}

TEST(ConfigurationTest, SaveReportsAStoreThatCannotBeWritten) {
    FakeSettingsStore store;
    store.syncSucceeds = false;
    EXPECT_FALSE(Configuration{}.save(store));
}

} // namespace
