#include "gui/configure/frmConfigMgr.h"

#include "support/Controls.h"
#include "support/FakePrompter.h"
#include "support/TempDir.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

const std::string kF2Block = "//** INSERTED BY YELPCUE **\r\n"
                             "bind F2 \"exec bellcast.cfg\"\r\n"
                             "//**         END         **\r\n";

class frmConfigMgrTest : public testing::Test {
protected:
    TempDir dir;
    FakePrompter prompter;

    std::unique_ptr<frmConfigMgr> open(const std::vector<std::string>& ChosenConfigFiles) {
        auto window = std::make_unique<frmConfigMgr>(prompter, ChosenConfigFiles, "F2");
        window->show();
        return window;
    }
    // Two chosen scripts: their directory, then each.
    std::unique_ptr<frmConfigMgr> openTwo() {
        writeFile(dir / "a.cfg", "first\r\n");
        writeFile(dir / "b.cfg", "second\r\n");
        return open({dir.path().string(), (dir / "a.cfg").string(), (dir / "b.cfg").string()});
    }
    static QString shown(frmConfigMgr& window) {
        return child<QPlainTextEdit>(window, "txtFile")->toPlainText();
    }
};

TEST_F(frmConfigMgrTest, TheOnlyChosenScriptIsShownAndApplyAddsTheBindAndCloses) {
    writeFile(dir / "autoexec.cfg", "exec config.cfg\r\n");
    const auto window = open({(dir / "autoexec.cfg").string()});
    EXPECT_EQ(child<QComboBox>(*window, "cboFiles")->count(), 1);
    EXPECT_EQ(shown(*window), QStringLiteral("exec config.cfg\n"));
    EXPECT_TRUE(prompter.shown.empty());

    child<QPushButton>(*window, "cmdApply")->click();
    EXPECT_EQ(readFile(dir / "autoexec.cfg"), "exec config.cfg\r\n" + kF2Block);
    EXPECT_EQ(window->result(), QDialog::Accepted);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(frmConfigMgrTest, ChoosingAnotherScriptShowsItAndApplyUsesIt) {
    const auto window = openTwo();
    child<QComboBox>(*window, "cboFiles")->setCurrentIndex(0);
    EXPECT_EQ(shown(*window), QStringLiteral("first\n"));
    child<QPushButton>(*window, "cmdApply")->click();
    EXPECT_EQ(readFile(dir / "a.cfg"), "first\r\n" + kF2Block);
    EXPECT_EQ(readFile(dir / "b.cfg"), "second\r\n");
}

TEST_F(frmConfigMgrTest, UnreadableScriptAtOpeningIsAProblemWithFilesPassed) {
    const auto window = open({(dir / "gone.cfg").string()});
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, "Problem with files passed");
    EXPECT_TRUE(window->isVisible());
}

TEST_F(frmConfigMgrTest, ScriptThatCannotBeReadOrAppendedIsReportedAndLeftAlone) {
    const auto window = openTwo();
    fs::remove(dir / "a.cfg");

    child<QComboBox>(*window, "cboFiles")->setCurrentIndex(0);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_NE(prompter.shown[0].text.find((dir / "a.cfg").string()), std::string::npos);
    EXPECT_EQ(shown(*window), QString()) << "no text of another script is left showing";

    child<QPushButton>(*window, "cmdApply")->click();
    ASSERT_EQ(prompter.shown.size(), 2u);
    EXPECT_EQ(prompter.shown[1].icon, Prompter::Icon::Warning);
    EXPECT_FALSE(fs::exists(dir / "a.cfg")) << "no script is made up";
    EXPECT_TRUE(window->isVisible()) << "the player can pick another script";
}

TEST_F(frmConfigMgrTest, EnterInTheListDoesNotChangeTheScript) {
    const auto window = openTwo();
    auto* cboFiles = child<QComboBox>(*window, "cboFiles");
    cboFiles->setFocus();
    QTest::keyClick(cboFiles, Qt::Key_Return);
    EXPECT_EQ(readFile(dir / "b.cfg"), "second\r\n");
}

} // namespace
