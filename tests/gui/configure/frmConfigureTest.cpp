// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/configure/frmConfigure.h"

#include "gui/configure/frmConfigMgr.h"
#include "support/Controls.h"
#include "support/FakeFileChooser.h"
#include "support/FakeSettingsStore.h"
#include "support/Patience.h"
#include "support/SessionFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

// The configure and script windows over the session of the shared fixture.
class frmConfigureTest : public SessionFixture {
protected:
    std::unique_ptr<frmConfigure> open() {
        auto window =
            std::make_unique<frmConfigure>(store, prompter, fileChooser, configuration, session);
        window->show();
        return window;
    }
    std::string stored(const char* key) const { return store.get(settings::kParams, key, "-"); }
    // The script window over two chosen scripts: their directory, then each; the last is
    // offered.
    std::unique_ptr<frmConfigMgr> openScripts(const std::string& key = "F2") {
        writeFile(dir / "a.cfg", "first\r\n");
        writeFile(dir / "b.cfg", "second\r\n");
        auto window = std::make_unique<frmConfigMgr>(
            prompter,
            std::vector<std::string>{dir.path().string(), (dir / "a.cfg").string(),
                                     (dir / "b.cfg").string()},
            key, GameFamily::Quake);
        window->show();
        return window;
    }
    static QString shown(frmConfigMgr& window) {
        return child<QPlainTextEdit>(window, "txtFile")->toPlainText();
    }

    FakeSettingsStore store;
    FakeFileChooser fileChooser;
};

// The key and each option change in memory at once, each on its own; only Ok stores them.
TEST_F(frmConfigureTest, EachChangeTakesEffectAtOnceAndOnlyOkStoresIt) {
    using Row = std::tuple<bool, bool, bool, bool, bool>;
    for (const auto& [copyWas, delWas, clickCopy, clickDel, ok] :
         {Row{true, true, true, false, false}, Row{true, true, true, false, true},
          Row{true, true, false, true, true}, Row{false, false, true, false, true},
          Row{false, false, false, true, true}, Row{false, true, true, true, true}}) {
        SCOPED_TRACE(testing::Message() << copyWas << delWas << clickCopy << clickDel << ok);
        store.deleteSection(settings::kParams);
        configuration.AutoCopy = copyWas;
        configuration.QconsoleDel = delWas;
        configuration.Trigger_Cfg = "1";
        auto window = open();
        EXPECT_EQ(configuration.Selected_Key, "F2") << "the stored position 1";
        EXPECT_EQ(std::pair(child<QCheckBox>(*window, "chkAutoCopy")->isChecked(),
                            child<QCheckBox>(*window, "chkAutoDel")->isChecked()),
                  std::pair(copyWas, delWas));
        child<QComboBox>(*window, "cboKeylist")->setCurrentIndex(12 + ('k' - 'a'));
        if (clickCopy)
            click(*window, "chkAutoCopy");
        if (clickDel)
            click(*window, "chkAutoDel");
        const bool autoCopy = copyWas != clickCopy, qconsoleDel = delWas != clickDel;
        EXPECT_EQ(std::tuple(configuration.AutoCopy, configuration.QconsoleDel,
                             configuration.Selected_Key, configuration.Trigger_Cfg),
                  std::tuple(autoCopy, qconsoleDel, "k", "22"));
        if (ok)
            click(*window, "cmdApply");
        else
            window->close();
        EXPECT_EQ(window->result(), ok ? QDialog::Accepted : QDialog::Rejected);
        const auto storedAs = [ok](bool on) { return ok ? (on ? "True" : "False") : "-"; };
        EXPECT_EQ(std::tuple(stored("AutoCopy"), stored("QconsoleDel"), stored("Selected_Key")),
                  std::tuple(storedAs(autoCopy), storedAs(qconsoleDel), ok ? "k" : "-"));
    }
}

TEST_F(frmConfigureTest, PositionNamingNoKeyKeepsTheKeyAndOkThatCannotStoreSaysSoAndStaysOpen) {
    configuration.Trigger_Cfg = "61";
    store.syncSucceeds = false;
    const auto window = open();
    EXPECT_EQ(child<QComboBox>(*window, "cboKeylist")->currentIndex(), -1);
    click(*window, "cmdApply");
    EXPECT_EQ(stored("Selected_Key"), "PAUSE");
    EXPECT_EQ(prompter.shown.size(), 1u);
    EXPECT_TRUE(window->isVisible());
}

TEST_F(frmConfigureTest, TabVisitsTheControlsInOrderAndEnterPressesTheFocusedButton) {
    const auto window = open();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get(), kPatienceMs));
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
    const fs::path game = dir / "quake";
    fs::create_directories(game / "fortress");
    fs::create_directories(game / "qw" / "qconsole.log"); // cannot be cleared
    const fs::path log = game / "fortress" / "qconsole.log";
    const auto window = open();
    const auto label = [&](int index) {
        return textOf(*window, ("Label1_" + std::to_string(index)).c_str());
    };

    const std::string before = label(5);
    click(*window, "cmdFindQuake"); // cancelled
    EXPECT_EQ(label(5), before);
    fileChooser.results = {log.string()};
    click(*window, "cmdFindQuake");
    EXPECT_EQ(label(2), (game / "fortress").string());
    EXPECT_EQ(label(5), log.string());
    EXPECT_EQ(session.ConsoleLogPath(), log.string());
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_THAT(prompter.shown[0].text,
                testing::HasSubstr((game / "qw" / "qconsole.log").string()));

    click(*window, "cmdApply");
    EXPECT_EQ(stored("Active_Mod_Dir"), (game / "fortress").string());
}

// The block's own form is the script's test; here, the chosen key in the offered script, and
// for a Quake III game also its log switched on and the place of the bind said.
TEST_F(frmConfigureTest, ConfigFilesOffersTheLastChosenScriptAndApplyAddsWhatTheGameNeeds) {
    const fs::path a = dir / "my autoexec.cfg";
    const fs::path b = dir / "config.cfg";
    writeFile(a, "name player\r\n");
    configuration.Quake_Dir = dir.path().string();
    configuration.Trigger_Cfg = "6";
    for (const GameFamily family : {GameFamily::Quake, GameFamily::QuakeIII}) {
        const bool quakeIII = family == GameFamily::QuakeIII;
        writeFile(b, "bind w +forward\r\nbind s +back");
        configuration.Game_Family = family;
        prompter.shown.clear();
        fileChooser.multipleResults = {{a.string(), b.string()}};
        const auto window = open();
        bool applied = false;
        onNextModal([&](QDialog& configMgr) {
            EXPECT_EQ(configMgr.objectName(), QStringLiteral("frmConfigMgr"));
            auto* advice = child<QLabel>(configMgr, "lblAdvice");
            EXPECT_EQ(advice->isVisible(), quakeIII);
            EXPECT_EQ(advice->text().contains(QStringLiteral("autoexec.cfg")), quakeIII);
            click(configMgr, "cmdApply");
            applied = !configMgr.isVisible();
        });
        click(*window, "cmdConfig");

        EXPECT_TRUE(applied);
        const std::string added =
            std::string(quakeIII ? "set logfile 2\r\n" : "") + "bind F7 \"exec bellcast.cfg\"\r\n";
        EXPECT_THAT(readFile(b), testing::HasSubstr("\r\n" + added));
        EXPECT_EQ(readFile(a), "name player\r\n");
        EXPECT_EQ(
            shownTexts(prompter),
            std::vector<std::string>{added + "Was added to the end of your chosen config script"});
        EXPECT_TRUE(window->isVisible()) << "only the script window closed";
    }
    EXPECT_EQ(fileChooser.shown[0].initialDirectory, dir.path().string());
}

TEST_F(frmConfigureTest, ChoosingAnotherScriptShowsItAndApplyUsesIt) {
    const auto window = openScripts();
    auto* cboFiles = child<QComboBox>(*window, "cboFiles");
    cboFiles->setFocus();
    QTest::keyClick(cboFiles, Qt::Key_Return);
    EXPECT_EQ(readFile(dir / "b.cfg"), "second\r\n") << "Enter in the list changes nothing";

    cboFiles->setCurrentIndex(0);
    EXPECT_EQ(shown(*window), QStringLiteral("first\n"));
    click(*window, "cmdApply");
    EXPECT_THAT(readFile(dir / "a.cfg"), testing::HasSubstr("bind F2"));
    EXPECT_EQ(readFile(dir / "b.cfg"), "second\r\n");
    EXPECT_EQ(window->result(), QDialog::Accepted);
}

TEST_F(frmConfigureTest, ScriptThatCannotBeReadOrAppendedIsReportedAndLeftAlone) {
    frmConfigMgr(prompter, {(dir / "gone.cfg").string()}, "F2", GameFamily::Quake);
    EXPECT_EQ(shownTexts(prompter), std::vector<std::string>{"Problem with files passed"});

    prompter.shown.clear();
    const auto window = openScripts();
    fs::remove(dir / "a.cfg");
    child<QComboBox>(*window, "cboFiles")->setCurrentIndex(0);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_THAT(prompter.shown[0].text, testing::HasSubstr((dir / "a.cfg").string()));
    EXPECT_EQ(shown(*window), QString()) << "no text of another script is left showing";

    click(*window, "cmdApply");
    EXPECT_EQ(prompter.shown.size(), 2u);
    EXPECT_FALSE(fs::exists(dir / "a.cfg")) << "no script is made up";
    EXPECT_TRUE(window->isVisible()) << "the player can pick another script";

    // A stored key name that would end the bind early is refused before the script is touched.
    prompter.shown.clear();
    const auto withSpace = openScripts("KP ENTER");
    click(*withSpace, "cmdApply");
    EXPECT_THAT(shownTexts(prompter), testing::ElementsAre(testing::HasSubstr("\"KP ENTER\"")));
    EXPECT_EQ(readFile(dir / "b.cfg"), "second\r\n");
    EXPECT_TRUE(withSpace->isVisible());
}

} // namespace
