#include "core/settings/WindowSettings.h"

#include "core/settings/Configuration.h"
#include "support/FakeSettingsStore.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using Edge = WindowGeometry::Edge;

class FakeWindow final : public WindowGeometry {
public:
    double twips(Edge edge) const override { return edges.at(edge); }
    void setTwips(Edge edge, double value) override { edges[edge] = value; }
    bool isNormalState() const override { return normal; }

    std::map<Edge, double> edges{
        {Edge::Top, 100}, {Edge::Left, 200}, {Edge::Width, 7800}, {Edge::Height, 3705}};
    bool normal = true;
};

TEST(WindowSettingsTest, EmptyStoreKeepsTheDesignGeometry) {
    const FakeSettingsStore store;
    FakeWindow window;
    const auto designed = window.edges;
    Configuration configuration;
    mainwindow::Load_Window_Settings(store, window, configuration);
    EXPECT_EQ(window.edges, designed);
}

TEST(WindowSettingsTest, AValueThatIsNotANumberLeavesOnlyThatEdge) {
    FakeSettingsStore store;
    store.save("frmSoundProcessor", "top", "abc");
    store.save("frmSoundProcessor", "left", "1500");
    store.save("frmSoundProcessor", "width", "9000.5");
    store.save("frmSoundProcessor", "height", "4000");
    FakeWindow window;
    Configuration configuration;
    mainwindow::Load_Window_Settings(store, window, configuration);

    EXPECT_EQ(window.edges[Edge::Top], 100);
    EXPECT_EQ(window.edges[Edge::Left], 1500);
    EXPECT_EQ(window.edges[Edge::Width], 9000.5);
    EXPECT_EQ(window.edges[Edge::Height], 4000);
}

TEST(WindowSettingsTest, NumbersNoScreenCanShowLeaveTheirEdge) {
    for (const char* stored : {"nan", "inf", "-inf", "infinity", "1e39", "3e9", "-3e9"}) {
        FakeSettingsStore store;
        for (const char* key : {"top", "left", "width", "height"})
            store.save("frmSoundProcessor", key, stored);
        FakeWindow window;
        const auto designed = window.edges;
        Configuration configuration;
        mainwindow::Load_Window_Settings(store, window, configuration);
        EXPECT_EQ(window.edges, designed) << stored;
    }
    FakeSettingsStore store;
    store.save("frmSoundProcessor", "top", "-2e9");
    FakeWindow window;
    Configuration configuration;
    mainwindow::Load_Window_Settings(store, window, configuration);
    EXPECT_EQ(window.edges[Edge::Top], -2e9) << "within 32 bits a number is still taken";
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
    EXPECT_EQ(store.get("frmSoundProcessor", "top"), "100");
    EXPECT_EQ(store.get("frmSoundProcessor", "left"), "1234.5");
    EXPECT_EQ(store.get("frmSoundProcessor", "width"), "7800");
    EXPECT_EQ(store.get("frmSoundProcessor", "height"), "3705");
}

struct ModeCase {
    const char* active;
    std::optional<GameMode> selected;
};

class GameModeSelectionTest : public testing::TestWithParam<ModeCase> {};

TEST_P(GameModeSelectionTest, ActiveDirectorySelectsItsMode) {
    FakeSettingsStore store;
    store.save("Hornwise Params", "TF_Dir", "/q/fortress");
    store.save("Hornwise Params", "DM_Dir", "/q/qw");
    store.save("Hornwise Params", "CTF_Dir", "/q/fortress"); // same as TF: the later test wins
    store.save("Hornwise Params", "Active_Mod_Dir", GetParam().active);
    FakeWindow window;
    Configuration configuration;
    EXPECT_EQ(mainwindow::Load_Window_Settings(store, window, configuration), GetParam().selected);
    EXPECT_EQ(configuration.Active_Mod_Dir, GetParam().active);
}

INSTANTIATE_TEST_SUITE_P(Modes, GameModeSelectionTest,
                         testing::Values(ModeCase{"/q/qw", GameMode::DM},
                                         ModeCase{"/q/fortress", GameMode::CTF},
                                         ModeCase{"/q/QW", std::nullopt},
                                         ModeCase{"/elsewhere", std::nullopt}));

} // namespace
