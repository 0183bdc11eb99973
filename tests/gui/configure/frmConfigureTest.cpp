#include "gui/configure/frmConfigure.h"

#include "core/session/MonitoringSession.h"
#include "core/settings/Configuration.h"
#include "core/triggers/TriggerList.h"
#include "gui/configure/frmConfigMgr.h"
#include "support/Controls.h"
#include "support/FakeClock.h"
#include "support/FakeFileChooser.h"
#include "support/FakePrompter.h"
#include "support/FakeSettingsStore.h"
#include "support/Recorders.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

class frmConfigureTest : public testing::Test {
protected:
    FakeSettingsStore store;
    FakePrompter prompter;
    FakeFileChooser fileChooser;
    Configuration configuration;
    TriggerList triggers;
    RecordingActivityList activity;
    RecordingSessionView view;
    FakeClock clock;
    MonitoringSession session{
        configuration, triggers, activity, view, clock, prompter, [](const std::string&) {}};

    std::unique_ptr<frmConfigure> open() {
        auto window =
            std::make_unique<frmConfigure>(store, prompter, fileChooser, configuration, session);
        window->show();
        return window;
    }
    static void click(QWidget& window, const char* name) {
        child<QAbstractButton>(window, name)->click();
    }
    std::string stored(const char* key) const { return store.get(settings::kParams, key, "-"); }
};

TEST_F(frmConfigureTest, KeyAndOptionsAreInMemoryAtOnceAndStoredOnlyByOk) {
    const auto window = open();
    EXPECT_EQ(configuration.Selected_Key, "F2") << "the stored position 1";
    EXPECT_TRUE(child<QCheckBox>(*window, "chkAutoDel")->isChecked());
    click(*window, "chkAutoCopy");
    EXPECT_FALSE(configuration.AutoCopy);
    EXPECT_TRUE(store.sections().empty()) << "nothing is stored before Ok";

    click(*window, "cmdApply");
    EXPECT_EQ(window->result(), QDialog::Accepted);
    for (const auto& [key, value] :
         std::vector<std::pair<const char*, const char*>>{{"reg_version", "2"},
                                                          {"Selected_Key", "F2"},
                                                          {"Trigger_Cfg", "1"},
                                                          {"AutoCopy", "False"},
                                                          {"QconsoleDel", "True"}})
        EXPECT_EQ(stored(key), value) << key;
}

TEST_F(frmConfigureTest, ClosingByTheFrameKeepsTheKeyInMemoryButStoresNothing) {
    const auto window = open();
    child<QComboBox>(*window, "cboKeylist")->setCurrentIndex(12 + ('k' - 'a'));
    window->close();
    EXPECT_EQ(configuration.Selected_Key, "k");
    EXPECT_EQ(configuration.Trigger_Cfg, "22");
    EXPECT_TRUE(store.sections().empty());
}

TEST_F(frmConfigureTest, PositionNamingNoKeySelectsNothingAndKeepsTheKey) {
    configuration.Trigger_Cfg = "61";
    const auto window = open();
    EXPECT_EQ(child<QComboBox>(*window, "cboKeylist")->currentIndex(), -1);
    click(*window, "cmdApply");
    EXPECT_EQ(stored("Selected_Key"), "PAUSE");
    EXPECT_EQ(stored("Trigger_Cfg"), "-1");
}

TEST_F(frmConfigureTest, OkThatCannotStoreSaysSoAndStaysOpen) {
    store.syncSucceeds = false;
    const auto window = open();
    click(*window, "cmdApply");
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].icon, Prompter::Icon::Warning);
    EXPECT_TRUE(window->isVisible());
}

TEST_F(frmConfigureTest, TabVisitsTheControlsInOrderAndEnterPressesTheFocusedButton) {
    const auto window = open();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    child(*window, "cboKeylist")->setFocus();
    std::vector<std::string> visited{"cboKeylist"};
    for (int step = 0; step < 5; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.push_back(QApplication::focusWidget()->objectName().toStdString());
    }
    EXPECT_EQ(visited, (std::vector<std::string>{"cboKeylist", "cmdFindQuake", "cmdConfig",
                                                 "chkAutoCopy", "chkAutoDel", "cmdApply"}));

    child(*window, "cmdFindQuake")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(fileChooser.shown.size(), 1u) << "the search, not Ok";
    EXPECT_TRUE(store.sections().empty());
}

TEST_F(frmConfigureTest, FindingTheLogShowsWhatWasSetAndWhatFailed) {
    TempDir dir;
    const fs::path game = dir / "quake";
    fs::create_directories(game / "fortress");
    fs::create_directories(game / "qw" / "qconsole.log"); // cannot be cleared
    const fs::path log = game / "fortress" / "qconsole.log";
    const auto window = open();
    const auto label = [&](int index) {
        return child<QLabel>(*window, ("Label1_" + std::to_string(index)).c_str())
            ->text()
            .toStdString();
    };

    click(*window, "cmdFindQuake"); // cancelled
    EXPECT_EQ(session.ConsoleLogPath(), "");
    EXPECT_EQ(label(5), "Unknown");

    fileChooser.results = {log.string()};
    click(*window, "cmdFindQuake");
    const fs::path shown[] = {game,        game / "ctf",           game / "fortress",
                              game / "qw", game / "id1" / "sound", log};
    for (int index = 0; index < 6; ++index)
        EXPECT_EQ(label(index), shown[index].string());
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_NE(prompter.shown[0].text.find((game / "qw" / "qconsole.log").string()),
              std::string::npos)
        << prompter.shown[0].text;

    click(*window, "cmdApply");
    EXPECT_EQ(stored("Active_Mod_Dir"), (game / "fortress").string());
}

TEST_F(frmConfigureTest, ConfigFilesOffersTheLastChosenScriptAndApplyAddsTheBind) {
    TempDir dir;
    const fs::path a = dir / "my autoexec.cfg";
    const fs::path b = dir / "config.cfg";
    writeFile(a, "name player\r\n");
    writeFile(b, "bind w +forward\r\nbind s +back");
    configuration.Quake_Dir = dir.path().string();
    configuration.Trigger_Cfg = "6";
    fileChooser.multipleResults = {{a.string(), b.string()}};
    const auto window = open();

    bool inspected = false;
    QTimer::singleShot(0, [&] {
        auto* configMgr = qobject_cast<frmConfigMgr*>(QApplication::activeModalWidget());
        ASSERT_NE(configMgr, nullptr) << "frmConfigMgr is open and modal";
        EXPECT_EQ(child<QComboBox>(*configMgr, "cboFiles")->currentText().toStdString(),
                  b.string());
        click(*configMgr, "cmdApply");
        inspected = true;
        configMgr->reject(); // never left open, whatever went wrong
    });
    click(*window, "cmdConfig");

    EXPECT_TRUE(inspected);
    EXPECT_EQ(fileChooser.shown[0].initialDirectory, dir.path().string());
    EXPECT_EQ(readFile(b), "bind w +forward\r\nbind s +back\r\n"
                           "//** INSERTED BY YELPCUE **\r\n"
                           "bind F7 \"exec bellcast.cfg\"\r\n"
                           "//**         END         **\r\n");
    EXPECT_EQ(readFile(a), "name player\r\n");
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text,
              "bind F7 \"exec bellcast.cfg\"\r\nWas added to the end of your chosen config script");
    EXPECT_EQ(prompter.shown[0].icon, Prompter::Icon::Information);
    EXPECT_TRUE(window->isVisible()) << "only the script window closed";
}

} // namespace
