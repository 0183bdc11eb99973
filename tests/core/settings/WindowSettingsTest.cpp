// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/WindowSettings.h"

#include "core/settings/Configuration.h"
#include "support/FakeSettingsStore.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using Edge = WindowGeometry::Edge;
using Edges = std::map<Edge, double>;

class FakeWindow final : public WindowGeometry {
public:
    double twips(Edge edge) const override { return edges.at(edge); }
    void setTwips(Edge edge, double value) override { edges[edge] = value; }
    bool isNormalState() const override { return normal; }

    Edges edges{{Edge::Top, 100}, {Edge::Left, 200}, {Edge::Width, 7800}, {Edge::Height, 3705}};
    bool normal = true;
};

// A stored top edge, and where the window's top is then: a number within 32 bits is taken,
// anything else (no number, text after one, or one no screen can show) leaves the design's 100.
TEST(WindowSettingsTest, EachStoredNumberPlacesItsEdgeAndAnythingElseLeavesTheDesign) {
    const std::vector<std::pair<std::string, double>> cases{
        {"1500", 1500}, {"9000.5", 9000.5}, {"-2e9", -2e9},    {"2147483647", 2147483647},
        {"", 100},      {"abc", 100},       {"12px", 100},     {"1,500", 100},
        {"nan", 100},   {"-inf", 100},      {"infinity", 100}, {"1e39", 100},
        {"3e9", 100},   {"-3e9", 100},      {"-1e39", 100}};
    for (const auto& [stored, top] : cases) {
        FakeSettingsStore store;
        for (const auto& [key, value] :
             {std::pair{"top", stored}, {"left", "1"}, {"width", "2"}, {"height", "3"}})
            store.save("frmSoundProcessor", key, value);
        FakeWindow window;
        Configuration configuration;
        mainwindow::Load_Window_Settings(store, window, configuration);
        EXPECT_EQ(window.edges,
                  (Edges{{Edge::Top, top}, {Edge::Left, 1}, {Edge::Width, 2}, {Edge::Height, 3}}))
            << stored;
    }
}

TEST(WindowSettingsTest, SavedGeometryIsSingleDecimalTextAndOnlyInNormalState) {
    FakeSettingsStore store;
    FakeWindow window;
    window.edges[Edge::Left] = 1234.5;
    window.normal = false;
    mainwindow::Save_Window_Settings(store, window);
    EXPECT_TRUE(store.sections().empty()) << "a minimised or maximised window saves nothing";

    window.normal = true;
    mainwindow::Save_Window_Settings(store, window);
    EXPECT_EQ(store.sections().at("frmSoundProcessor"),
              (FakeSettingsStore::Section{
                  {"top", "100"}, {"left", "1234.5"}, {"width", "7800"}, {"height", "3705"}}));
}

TEST(WindowSettingsTest, ActiveDirectorySelectsItsMode) {
    FakeSettingsStore store;
    store.save("Hornwise Params", "TF_Dir", "/q/fortress");
    store.save("Hornwise Params", "DM_Dir", "/q/qw");
    store.save("Hornwise Params", "CTF_Dir", "/q/fortress"); // same as TF: the later test wins
    const std::vector<std::pair<std::string, std::optional<GameMode>>> cases{
        {"/q/qw", GameMode::DM}, {"/q/fortress", GameMode::CTF}, {"/q/QW", std::nullopt}};
    for (const auto& [active, selected] : cases) {
        store.save("Hornwise Params", "Active_Mod_Dir", active);
        FakeWindow window;
        Configuration configuration;
        EXPECT_EQ(mainwindow::Load_Window_Settings(store, window, configuration), selected)
            << active;
        EXPECT_EQ(configuration.Active_Mod_Dir, active);
    }
}

TEST(ConfigurationTest, EmptyStoreGivesTheDefaultsAndASavedConfigurationReadsBackAsSaved) {
    FakeSettingsStore store;
    Configuration configuration;
    configuration.Active_Mod_Dir = "left over";
    configuration.Console_Log = "left over";
    configuration.Selected_Key = "F2";
    configuration.load(store);
    EXPECT_EQ(Configuration::readVersion(store), "NONE");
    EXPECT_EQ(configuration, Configuration{});
    EXPECT_EQ(configuration.Selected_Key, "PAUSE");
    EXPECT_TRUE(configuration.AutoCopy && configuration.QconsoleDel);

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
    ASSERT_TRUE(saved.save(store));
    EXPECT_EQ(store.get("Hornwise Params", "reg_version"), "2");
    EXPECT_EQ(store.get("Hornwise Params", "AutoCopy"), "False");
    EXPECT_EQ(store.get("Hornwise Params", "QconsoleDel"), "True");
    EXPECT_EQ(store.get("Hornwise Params", "Game_Family"), "Quake III");
    configuration.load(store);
    EXPECT_EQ(configuration, saved);

    store.syncSucceeds = false;
    EXPECT_FALSE(saved.save(store)) << "a store that cannot be written is reported";
}

TEST(ConfigurationTest, OnlyFalseInAnyCaseTurnsAnOptionOff) {
    for (const char* off : {"False", "FALSE", "false", "fAlSe"})
        EXPECT_FALSE(settings::readYesNoOption(off)) << off;
    for (const char* on : {"True", "no", "0", "", "FALSE "})
        EXPECT_TRUE(settings::readYesNoOption(on)) << on;
}

} // namespace
