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
        store.save("frmSoundProcessor", "top", stored);
        store.save("frmSoundProcessor", "left", "1");
        store.save("frmSoundProcessor", "width", "2");
        store.save("frmSoundProcessor", "height", "3");
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

} // namespace
