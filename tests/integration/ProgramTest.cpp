// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/QtSettingsStore.h"
#include "support/PrivateXServer.h"
#include "support/TempDir.h"
#include "support/X11Desktop.h"

#include <gtest/gtest.h>

#include <chrono>
#include <sys/stat.h>
#include <thread>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// Yelpcue with a configuration and a runtime directory of the test's own, on the test
// script's X server or the one named.
std::unique_ptr<ChildProcess> startYelpcue(const fs::path& home, const std::string& display = {}) {
    std::vector<std::string> changes = {"XDG_CONFIG_HOME=" + (home / "config").string(),
                                        "XDG_RUNTIME_DIR=" + (home / "runtime").string(),
                                        "QT_QPA_PLATFORM=xcb"};
    if (!display.empty())
        changes.push_back("DISPLAY=" + display);
    return std::make_unique<ChildProcess>(std::vector<std::string>{YELPCUE_PROGRAM}, changes);
}

class ProgramTest : public testing::Test {
protected:
    ProgramTest() {
        fs::create_directories(home / "config");
        fs::create_directories(home / "runtime");
        chmod((home / "runtime").c_str(), 0700);
        for (const char* dir : {"id1", "fortress", "qw", "ctf"})
            fs::create_directories(quake / dir);
        std::string ini = "[Hornwise%20Params]\nreg_version=2\nQuake_Dir=Q\n"
                          "Quake_Id1_sound=Q/id1/sound\nTF_Dir=Q/fortress\nDM_Dir=Q/qw\n"
                          "CTF_Dir=Q/ctf\nActive_Mod_Dir=Q/fortress\nSelected_Key=F2\n"
                          "QconsoleDel=False\n[Application_params]\nRecordCount=1\n"
                          "[1]\nt_name=Shotgun\nt_keyword=SHOTGUN\nt_file=shotgun.wav\n";
        for (std::size_t at = 0; (at = ini.find("=Q", at)) != std::string::npos; ++at)
            ini.replace(at + 1, 1, quake.string());
        writeFile(settingsFile(), ini);
        writeFile(log, "(Bob): SHOTGUN, written before the program started\r\n");
    }

    void SetUp() override { REQUIRE_X_DISPLAY(); }

    fs::path settingsFile() const { return home / "config" / "Bellcast.ini"; }

    TempDir home;
    X11Desktop desktop;
    fs::path quake = home / "quake";
    fs::path log = quake / "fortress" / "qconsole.log";
};

TEST_F(ProgramTest, MatchingLineWritesThePlayScriptAndPushesTheKeyIntoTheFocusedWindow) {
    const auto program = startYelpcue(home.path());
    ASSERT_GT(program->pid(), 0);
    const auto mainWindow = desktop.awaitWindow("Yelpcue");
    ASSERT_TRUE(mainWindow) << "the main window shows without asking to be configured";

    // Start has the focus in the main window: Space presses it.
    ASSERT_TRUE(desktop.focus(*mainWindow));
    desktop.pressKey("space");

    // The game has the focus during the match.
    KeyReceiver game;
    ASSERT_TRUE(game.hasFocus());
    appendFile(log, "(Al): SHOTGUN please\r\n");

    const fs::path script = quake / "id1" / "bellcast.cfg";
    ASSERT_TRUE(waitFor([&] { return readFile(script) == "play shotgun.wav\r\n"; }))
        << "play script: " << readFile(script);
    Arrivals arrived;
    EXPECT_TRUE(waitFor([&] {
        const Arrivals more = game.take();
        arrived.insert(arrived.end(), more.begin(), more.end());
        return arrived.size() >= 2;
    }));
    EXPECT_EQ(arrived, (Arrivals{"down F2", "up F2"})) << "once: the old line is not processed";
}

TEST_F(ProgramTest, SecondStartHandsOverToTheFirstAndEnds) {
    struct Row {
        const char* first;
        const char* settings; // none: as the fixture wrote them
        const char* forward;  // the first instance's window that comes forward
    };
    for (const Row row : {Row{"configured", nullptr, "Yelpcue"},
                          Row{"in its first-run configuration", "",
                              "Upgrades and New Installations require configuration"}}) {
        SCOPED_TRACE(row.first);
        if (row.settings)
            writeFile(settingsFile(), row.settings);
        const auto first = startYelpcue(home.path());
        const auto forward = desktop.awaitWindow(row.forward);
        ASSERT_TRUE(forward);
        KeyReceiver elsewhere; // another program has the focus

        const auto second = startYelpcue(home.path());
        const auto notice = desktop.awaitWindow("...duplicate instance");
        ASSERT_TRUE(notice) << "the second start says it hands over";
        ASSERT_TRUE(desktop.focus(*notice));
        desktop.pressKey("Return");

        EXPECT_EQ(second->waitForExit(kPatience), 0);
        // Without a window manager Qt cannot take the focus for itself; the window is raised.
        EXPECT_TRUE(waitFor([&] { return desktop.isAbove(*forward, elsewhere.window()); }))
            << "the first instance's window comes forward";
        EXPECT_TRUE(desktop.findWindow(row.forward).has_value()) << "the first instance still runs";
    }
}

TEST_F(ProgramTest, TrayIconAppearsWithANotificationAreaAndOpensItsMenuOnTheRightButton) {
    const auto program = startYelpcue(home.path());
    const auto mainWindow = desktop.awaitWindow("Yelpcue");
    ASSERT_TRUE(mainWindow);

    // The notification area appears after the program has started. One that a test before
    // ended may still own the tray for a moment.
    ASSERT_TRUE(waitFor([&] { return !desktop.hasNotificationArea(); }));
    std::optional<ChildProcess> notificationArea;
    notificationArea.emplace(std::vector<std::string>{"trayer"});
    const auto icon = desktop.awaitWindow("Yelpcue", true);
    ASSERT_TRUE(icon) << "the icon joins the notification area (is trayer installed?)";

    const int popups = desktop.popupCount();
    desktop.click(*icon, 1);
    std::this_thread::sleep_for(500ms);
    EXPECT_EQ(desktop.popupCount(), popups) << "a left click opens nothing";
    desktop.click(*icon, 3);
    EXPECT_TRUE(waitFor([&] { return desktop.popupCount() > popups; })) << "the menu opens";
    desktop.pressKey("Escape");
    ASSERT_TRUE(waitFor([&] { return desktop.popupCount() == popups; }));

    // With a notification area to bring it back from, Start hides the main window.
    ASSERT_TRUE(desktop.focus(*mainWindow));
    desktop.pressKey("space");
    EXPECT_TRUE(waitFor([&] { return !desktop.findWindow("Yelpcue"); }));

    notificationArea.reset();
    EXPECT_TRUE(waitFor([&] { return !desktop.hasNotificationArea(); }));
}

// Under a window manager the frame is part of the stored place and size, yet Qt places a
// window's inside before it is first shown; the stored values must still come back unchanged
// from start to start. The manager runs on a server of its own, away from the other tests.
TEST_F(ProgramTest, MainWindowKeepsItsStoredPlaceAndSizeUnderAWindowManager) {
    const PrivateXServer server;
    ASSERT_FALSE(server.display().empty()) << "Xvfb starts";
    ChildProcess windowManager({"openbox"}, {"DISPLAY=" + server.display()});
    X11Desktop managed(server.display());
    ASSERT_TRUE(waitFor([&] { return managed.hasWindowManager(); }))
        << "openbox runs (is it installed?)";
    // 1 px is 15 twips at the server's 96 dots per inch.
    appendFile(settingsFile(),
               "[frmSoundProcessor]\ntop=1500\nleft=3000\nwidth=10500\nheight=6750\n");
    const auto stored = [&] {
        const QtSettingsStore settings(QString::fromStdString(settingsFile().string()));
        std::string values;
        for (const char* key : {"top", "left", "width", "height"})
            values += settings.get("frmSoundProcessor", key) + ' ';
        return values;
    };

    for (int start = 1; start <= 3; ++start) {
        const auto program = startYelpcue(home.path(), server.display());
        const auto window = managed.awaitWindow("Yelpcue", true);
        ASSERT_TRUE(window) << "start " << start << ": the main window shows in a frame";
        EXPECT_TRUE(waitFor(
            [&] {
                return managed.outerRect(*window) == WindowRect{200, 100, 700, 450};
            },
            kPatience))
            << "start " << start << ": the frame stands at the stored place and size";
        managed.close(*window);
        ASSERT_EQ(program->waitForExit(kPatience), 0);
        EXPECT_EQ(stored(), "1500 3000 10500 6750 ") << "after start " << start;
    }
}

} // namespace
