#include "config/frmConfigure.h"
#include "config/frmConfigMgr.h"
#include "shell/Configuration.h"
#include "support/FakeFileChooser.h"
#include "support/FakePrompter.h"
#include "support/FakeSettingsStore.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

namespace fs = std::filesystem;

class frmConfigureTest : public testing::Test {
protected:
    FakeSettingsStore store;
    FakePrompter prompter;
    FakeFileChooser fileChooser;
    Configuration configuration;
    std::string consoleLogPath;

    std::unique_ptr<frmConfigure> open() {
        return std::make_unique<frmConfigure>(store, prompter, fileChooser, configuration,
                                              consoleLogPath);
    }
    template <typename Widget> static Widget* child(QWidget& window, const char* name) {
        auto* widget = window.findChild<Widget*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    static QString valueLine(QWidget& window, int index) {
        return child<QLabel>(window, ("Label1_" + std::to_string(index)).c_str())->text();
    }
    std::string stored(const char* key) const { return store.get(settings::kParams, key, "-"); }
};

TEST_F(frmConfigureTest, ShowsEveryCaptionAsTheProgramWritesIt) {
    const auto window = open();
    EXPECT_EQ(window->objectName(), QStringLiteral("frmConfigure"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Conifgure - Yelpcue"));
    const std::vector<std::pair<const char*, const char*>> buttons{
        {"cmdFindQuake", "Find Qconsole.log"}, {"cmdConfig", "Config Files"}, {"cmdApply", "Ok"}};
    for (const auto& [name, caption] : buttons)
        EXPECT_EQ(child<QPushButton>(*window, name)->text(), QString::fromLatin1(caption));
    const std::vector<std::pair<const char*, const char*>> boxes{
        {"chkAutoCopy", "Auto copy selected trigger sounds to the correct directory?"},
        {"chkAutoDel", "Clear Qconsole.log after each session?"},
        {"chkBuiltIn", "Use built in sound checker?"}};
    for (const auto& [name, caption] : boxes)
        EXPECT_EQ(child<QCheckBox>(*window, name)->text(), QString::fromLatin1(caption));
    const char* captions[] = {"Quake directory",
                              "CTF game directory",
                              "TF game directory",
                              "DM game directory",
                              "Find the quake sound directory",
                              "Current Qconsole.log being monitored"};
    for (int index = 0; index < 6; ++index) {
        EXPECT_EQ(child<QLabel>(*window, ("lblName_" + std::to_string(index)).c_str())->text(),
                  QString::fromLatin1(captions[index]));
        EXPECT_EQ(valueLine(*window, index), QStringLiteral("Unknown"));
    }
    EXPECT_EQ(child<QLabel>(*window, "lblKey")->text(),
              QStringLiteral("Select an unbound key for Hornwise to use"));
    EXPECT_EQ(child<QComboBox>(*window, "cboKeylist")->count(), 61);

    auto* chkBuiltIn = child<QCheckBox>(*window, "chkBuiltIn");
    EXPECT_EQ(chkBuiltIn->checkState(), Qt::PartiallyChecked);
    EXPECT_FALSE(chkBuiltIn->isEnabled()) << "nothing can change it";
}

TEST_F(frmConfigureTest, StoredDefaultsSelectF2AndOkStoresIt) {
    configuration.load(store);
    const auto window = open();
    EXPECT_EQ(child<QComboBox>(*window, "cboKeylist")->currentText(), QStringLiteral("F2"));
    EXPECT_EQ(configuration.Selected_Key, "F2") << "in memory as soon as the window opens";
    EXPECT_TRUE(child<QCheckBox>(*window, "chkAutoCopy")->isChecked());
    EXPECT_TRUE(child<QCheckBox>(*window, "chkAutoDel")->isChecked());
    EXPECT_TRUE(store.sections().empty()) << "nothing is stored before Ok";

    child<QPushButton>(*window, "cmdApply")->click();

    EXPECT_EQ(window->result(), QDialog::Accepted);
    EXPECT_EQ(stored("reg_version"), "2");
    EXPECT_EQ(stored("Selected_Key"), "F2");
    EXPECT_EQ(stored("Trigger_Cfg"), "1");
    EXPECT_EQ(stored("AutoCopy"), "True");
    EXPECT_EQ(stored("QconsoleDel"), "True");
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
    window->show();
    child<QComboBox>(*window, "cboKeylist")->setCurrentIndex(12 + ('k' - 'a'));
    EXPECT_EQ(configuration.Selected_Key, "k");
    EXPECT_EQ(configuration.Trigger_Cfg, "22");

    window->close();

    EXPECT_EQ(window->result(), QDialog::Rejected);
    EXPECT_EQ(configuration.Selected_Key, "k");
    EXPECT_TRUE(store.sections().empty());
}

TEST_F(frmConfigureTest, PositionNamingNoKeySelectsNothingAndKeepsTheKey) {
    configuration.Trigger_Cfg = "61";
    const auto window = open();
    EXPECT_EQ(child<QComboBox>(*window, "cboKeylist")->currentIndex(), -1);
    EXPECT_EQ(configuration.Selected_Key, "PAUSE");

    child<QPushButton>(*window, "cmdApply")->click();

    EXPECT_EQ(stored("Selected_Key"), "PAUSE");
    EXPECT_EQ(stored("Trigger_Cfg"), "-1");
}

TEST_F(frmConfigureTest, OkThatCannotStoreSaysSoAndStaysOpen) {
    store.syncSucceeds = false;
    const auto window = open();
    window->show();
    child<QPushButton>(*window, "cmdApply")->click();
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].icon, Prompter::Icon::Warning);
    EXPECT_TRUE(window->isVisible());
}

TEST_F(frmConfigureTest, FindingTheLogSetsAndShowsEveryDirectory) {
    TempDir dir;
    const fs::path game = dir / "quake";
    for (const char* mode : {"fortress", "qw"})
        fs::create_directories(game / mode);
    const fs::path log = game / "fortress" / "qconsole.log";
    fileChooser.results = {log.string()};
    const auto window = open();

    child<QPushButton>(*window, "cmdFindQuake")->click();

    ASSERT_EQ(fileChooser.shown.size(), 1u);
    EXPECT_EQ(fileChooser.shown[0].title, "Find QConsole.Log");
    EXPECT_EQ(fileChooser.shown[0].filter, "Qconsole.log (*.log)|Qconsole.log|");
    EXPECT_EQ(consoleLogPath, log.string());
    const std::vector<fs::path> shown{game,        game / "ctf",           game / "fortress",
                                      game / "qw", game / "id1" / "sound", log};
    for (int index = 0; index < 6; ++index)
        EXPECT_EQ(valueLine(*window, index).toStdString(), shown[index].string()) << index;
    EXPECT_TRUE(fs::is_directory(game / "id1" / "sound"));
    EXPECT_FALSE(fs::exists(game / "ctf"));
    EXPECT_TRUE(prompter.shown.empty());

    // Ok stores what was found.
    child<QPushButton>(*window, "cmdApply")->click();
    EXPECT_EQ(stored("Active_Mod_Dir"), (game / "fortress").string());
    EXPECT_EQ(stored("Quake_Id1_sound"), (game / "id1" / "sound").string());
}

TEST_F(frmConfigureTest, CancellingTheSearchChangesNothing) {
    configuration.Quake_Dir = "/games/quake";
    consoleLogPath = "/games/quake/qw/qconsole.log";
    const auto window = open();
    child<QPushButton>(*window, "cmdFindQuake")->click();
    EXPECT_EQ(consoleLogPath, "/games/quake/qw/qconsole.log");
    EXPECT_EQ(configuration.Quake_Dir, "/games/quake");
    EXPECT_EQ(valueLine(*window, 0), QStringLiteral("/games/quake"));
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(frmConfigureTest, LogThatCannotBeClearedIsReportedAndTheValuesAreShown) {
    TempDir dir;
    const fs::path game = dir / "quake";
    fs::create_directories(game / "fortress");
    fs::create_directories(game / "qw" / "qconsole.log");
    fileChooser.results = {(game / "fortress" / "qconsole.log").string()};
    const auto window = open();

    child<QPushButton>(*window, "cmdFindQuake")->click();

    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_NE(prompter.shown[0].text.find((game / "qw" / "qconsole.log").string()),
              std::string::npos)
        << prompter.shown[0].text;
    EXPECT_EQ(prompter.shown[0].icon, Prompter::Icon::Warning);
    EXPECT_EQ(valueLine(*window, 3).toStdString(), (game / "qw").string());
    EXPECT_TRUE(fs::is_directory(game / "id1" / "sound"));
}

TEST_F(frmConfigureTest, TabVisitsTheControlsInOrderAndEnterPressesTheFocusedButton) {
    const auto window = open();
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    child<QComboBox>(*window, "cboKeylist")->setFocus();
    std::vector<std::string> visited{"cboKeylist"};
    for (int step = 0; step < 5; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.push_back(QApplication::focusWidget()->objectName().toStdString());
    }
    EXPECT_EQ(visited, (std::vector<std::string>{"cboKeylist", "cmdFindQuake", "cmdConfig",
                                                 "chkAutoCopy", "chkAutoDel", "cmdApply"}));

    child<QPushButton>(*window, "cmdFindQuake")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(fileChooser.shown.size(), 1u) << "the search, not Ok";
    EXPECT_TRUE(store.sections().empty());
}

// Runs `inspect` on the config-script window once it is open and modal, then makes sure it
// closes so the test cannot hang.
void whenConfigMgrOpens(std::function<void(frmConfigMgr&)> inspect) {
    QTimer::singleShot(0, [inspect = std::move(inspect)] {
        auto* configMgr = qobject_cast<frmConfigMgr*>(QApplication::activeModalWidget());
        ASSERT_NE(configMgr, nullptr) << "frmConfigMgr is open and modal";
        inspect(*configMgr);
        if (configMgr->isVisible())
            configMgr->reject();
    });
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
    window->show();

    bool inspected = false;
    whenConfigMgrOpens([&](frmConfigMgr& configMgr) {
        auto* cboFiles = configMgr.findChild<QComboBox*>(QStringLiteral("cboFiles"));
        ASSERT_EQ(cboFiles->count(), 2);
        EXPECT_EQ(cboFiles->itemText(0).toStdString(), a.string());
        EXPECT_EQ(cboFiles->itemText(1).toStdString(), b.string());
        EXPECT_EQ(cboFiles->currentIndex(), 1);
        EXPECT_EQ(configMgr.findChild<QPlainTextEdit*>(QStringLiteral("txtFile"))->toPlainText(),
                  QStringLiteral("bind w +forward\nbind s +back\n"));
        configMgr.findChild<QPushButton*>(QStringLiteral("cmdApply"))->click();
        inspected = true;
    });
    child<QPushButton>(*window, "cmdConfig")->click();

    EXPECT_TRUE(inspected);
    ASSERT_EQ(fileChooser.shown.size(), 1u);
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

TEST_F(frmConfigureTest, CancelledConfigFilesOpensNothing) {
    const auto window = open();
    child<QPushButton>(*window, "cmdConfig")->click();
    EXPECT_EQ(fileChooser.shown.size(), 1u);
    EXPECT_TRUE(prompter.shown.empty());
}

} // namespace
