#include "gui/configure/frmConfigure.h"

#include "core/session/MonitoringSession.h"
#include "core/settings/Configuration.h"
#include "core/triggers/TriggerList.h"
#include "gui/configure/frmConfigMgr.h"
#include "support/FakeClock.h"
#include "support/FakeFileChooser.h"
#include "support/FakePrompter.h"
#include "support/FakeSettingsStore.h"
#include "support/Recorders.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>
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
    template <typename Widget = QWidget> static Widget* child(QWidget& window, std::string name) {
        auto* widget = window.findChild<Widget*>(QString::fromStdString(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    static std::string text(QWidget& window, std::string name) {
        return child(window, name)->property("text").toString().toStdString();
    }
    std::string stored(const char* key) const { return store.get(settings::kParams, key, "-"); }
};

TEST_F(frmConfigureTest, ShowsEveryCaptionAsTheProgramWritesIt) {
    const auto window = open();
    EXPECT_EQ(window->objectName(), QStringLiteral("frmConfigure"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Conifgure - Yelpcue"));
    const std::vector<std::pair<std::string, std::string>> captions{
        {"lblKey", "Select an unbound key for Hornwise to use"},
        {"cmdFindQuake", "Find Qconsole.log"},
        {"cmdConfig", "Config Files"},
        {"lblName_0", "Quake directory"},
        {"lblName_1", "CTF game directory"},
        {"lblName_2", "TF game directory"},
        {"lblName_3", "DM game directory"},
        {"lblName_4", "Find the quake sound directory"},
        {"lblName_5", "Current Qconsole.log being monitored"},
        {"Label1_0", "Unknown"},
        {"Label1_5", "Unknown"},
        {"chkAutoCopy", "Auto copy selected trigger sounds to the correct directory?"},
        {"chkAutoDel", "Clear Qconsole.log after each session?"},
        {"chkBuiltIn", "Use built in sound checker?"},
        {"cmdApply", "Ok"}};
    for (const auto& [name, caption] : captions)
        EXPECT_EQ(text(*window, name), caption) << name;
    EXPECT_EQ(child<QComboBox>(*window, "cboKeylist")->count(), 61);
    auto* chkBuiltIn = child<QCheckBox>(*window, "chkBuiltIn");
    EXPECT_EQ(chkBuiltIn->checkState(), Qt::PartiallyChecked);
    EXPECT_FALSE(chkBuiltIn->isEnabled()) << "nothing can change it";
}

TEST_F(frmConfigureTest, StoredDefaultsSelectF2AndOkStoresIt) {
    configuration.load(store);
    const auto window = open();
    EXPECT_EQ(configuration.Selected_Key, "F2") << "in memory as soon as the window opens";
    EXPECT_TRUE(child<QCheckBox>(*window, "chkAutoDel")->isChecked());
    EXPECT_TRUE(store.sections().empty()) << "nothing is stored before Ok";

    child<QPushButton>(*window, "cmdApply")->click();

    EXPECT_EQ(window->result(), QDialog::Accepted);
    for (const auto& [key, value] :
         std::vector<std::pair<const char*, const char*>>{{"reg_version", "2"},
                                                          {"Selected_Key", "F2"},
                                                          {"Trigger_Cfg", "1"},
                                                          {"AutoCopy", "True"},
                                                          {"QconsoleDel", "True"}})
        EXPECT_EQ(stored(key), value) << key;
}

TEST_F(frmConfigureTest, UncheckedAutoCopyIsStoredAsFalseAndReadsBackOff) {
    configuration.load(store);
    const auto window = open();
    child<QCheckBox>(*window, "chkAutoCopy")->click();
    EXPECT_FALSE(configuration.AutoCopy) << "in memory at once";

    child<QPushButton>(*window, "cmdApply")->click();

    EXPECT_EQ(stored("AutoCopy"), "False");
    Configuration restarted;
    restarted.load(store);
    EXPECT_FALSE(restarted.AutoCopy);
    EXPECT_TRUE(restarted.QconsoleDel);
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
    child<QPushButton>(*window, "cmdApply")->click();
    EXPECT_EQ(stored("Selected_Key"), "PAUSE");
    EXPECT_EQ(stored("Trigger_Cfg"), "-1");
}

TEST_F(frmConfigureTest, OkThatCannotStoreSaysSoAndStaysOpen) {
    store.syncSucceeds = false;
    const auto window = open();
    child<QPushButton>(*window, "cmdApply")->click();
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

    child<QPushButton>(*window, "cmdFindQuake")->click(); // cancelled
    EXPECT_EQ(session.ConsoleLogPath(), "");
    EXPECT_EQ(text(*window, "Label1_5"), "Unknown");

    fileChooser.results = {log.string()};
    child<QPushButton>(*window, "cmdFindQuake")->click();

    EXPECT_EQ(fileChooser.shown[0].title, "Find QConsole.Log");
    EXPECT_EQ(fileChooser.shown[0].filter, "Qconsole.log (*.log)|Qconsole.log|");
    const std::vector<fs::path> shown{game,        game / "ctf",           game / "fortress",
                                      game / "qw", game / "id1" / "sound", log};
    for (std::size_t index = 0; index < shown.size(); ++index)
        EXPECT_EQ(text(*window, "Label1_" + std::to_string(index)), shown[index].string());
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_NE(prompter.shown[0].text.find((game / "qw" / "qconsole.log").string()),
              std::string::npos)
        << prompter.shown[0].text;

    child<QPushButton>(*window, "cmdApply")->click();
    EXPECT_EQ(stored("Active_Mod_Dir"), (game / "fortress").string());
}

TEST_F(frmConfigureTest, ConfigFilesShowsTheChosenScriptsAndApplyAddsTheBind) {
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
        auto* cboFiles = child<QComboBox>(*configMgr, "cboFiles");
        EXPECT_EQ(cboFiles->count(), 2);
        EXPECT_EQ(cboFiles->itemText(0).toStdString(), a.string());
        EXPECT_EQ(cboFiles->currentText().toStdString(), b.string());
        EXPECT_EQ(child<QPlainTextEdit>(*configMgr, "txtFile")->toPlainText(),
                  QStringLiteral("bind w +forward\nbind s +back\n"));
        child<QPushButton>(*configMgr, "cmdApply")->click();
        inspected = true;
        configMgr->reject(); // never left open, whatever went wrong
    });
    child<QPushButton>(*window, "cmdConfig")->click();

    EXPECT_TRUE(inspected);
    EXPECT_EQ(fileChooser.shown[0].title, "Find the config files you use");
    EXPECT_EQ(fileChooser.shown[0].filter,
              "Config Files.cfg (*.cfg)|*.cfg|Config Files.cfg (*.rc)|*.rc");
    EXPECT_EQ(fileChooser.shown[0].initialDirectory, dir.path().string());
    EXPECT_EQ(readFile(b), "bind w +forward\r\nbind s +back\r\n"
                           "//** INSERTED BY YELPCUE **\r\n"
                           "bind F7 \"exec bellcast.cfg\"\r\n"
                           "//**         END         **\r\n");
    EXPECT_EQ(readFile(a), "name player\r\n");
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text,
              "bind F7 \"exec bellcast.cfg\"\r\nWas added to the end of your chosen config script");
    EXPECT_EQ(prompter.shown[0].title, "Completed Update");
    EXPECT_EQ(prompter.shown[0].icon, Prompter::Icon::Information);
    EXPECT_TRUE(window->isVisible()) << "only the script window closed";
}

} // namespace
