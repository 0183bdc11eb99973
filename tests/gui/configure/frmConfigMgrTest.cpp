#include "gui/configure/frmConfigMgr.h"

#include "support/FakePrompter.h"
#include "support/TempDir.h"

#include <QComboBox>
#include <QLabel>
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
    std::unique_ptr<frmConfigMgr> openTwo() {
        writeFile(dir / "a.cfg", "first\r\n");
        writeFile(dir / "b.cfg", "second\r\n");
        return open({dir.path().string(), (dir / "a.cfg").string(), (dir / "b.cfg").string()});
    }
    static QComboBox* cboFiles(frmConfigMgr& w) {
        return w.findChild<QComboBox*>(QStringLiteral("cboFiles"));
    }
    static QString txtFile(frmConfigMgr& w) {
        return w.findChild<QPlainTextEdit*>(QStringLiteral("txtFile"))->toPlainText();
    }
    static QPushButton* cmdApply(frmConfigMgr& w) {
        return w.findChild<QPushButton*>(QStringLiteral("cmdApply"));
    }
};

TEST_F(frmConfigMgrTest, ShowsItsCaptionsAndTheOnlyChosenScript) {
    writeFile(dir / "autoexec.cfg", "exec config.cfg\r\n");
    const auto window = open({(dir / "autoexec.cfg").string()});

    EXPECT_EQ(window->objectName(), QStringLiteral("frmConfigMgr"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Integrate Your Config Files!"));
    EXPECT_EQ(cmdApply(*window)->text(), QStringLiteral("Apply"));
    EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("Label1"))->text(),
              QStringLiteral("Examine your config files then use apply to add the correct "
                             "Hornwise trigger bind to the file. ENSURE THAT THE CONFIG FILE "
                             "MODIFIED IS ONE USED BY ALL YOUR QUAKE TOTAL CONVERSIONS "
                             "(TF,CTF,DM) (No other modifications will be made)"));
    EXPECT_EQ(cboFiles(*window)->count(), 1);
    EXPECT_EQ(txtFile(*window), QStringLiteral("exec config.cfg\n"));
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(frmConfigMgrTest, ApplyingOnAnEmptyScriptAndAgainLeavesTwoExactBlocks) {
    writeFile(dir / "config.cfg", "");
    auto first = open({(dir / "config.cfg").string()});
    cmdApply(*first)->click();
    EXPECT_EQ(readFile(dir / "config.cfg"), kF2Block);
    EXPECT_EQ(first->result(), QDialog::Accepted);
    EXPECT_FALSE(first->isVisible());

    cmdApply(*open({(dir / "config.cfg").string()}))->click();
    EXPECT_EQ(readFile(dir / "config.cfg"), kF2Block + kF2Block);
}

TEST_F(frmConfigMgrTest, ChoosingAnotherScriptShowsItAndApplyUsesIt) {
    const auto window = openTwo();
    cboFiles(*window)->setCurrentIndex(0);
    EXPECT_EQ(txtFile(*window), QStringLiteral("first\n"));
    cmdApply(*window)->click();
    EXPECT_EQ(readFile(dir / "a.cfg"), "first\r\n" + kF2Block);
    EXPECT_EQ(readFile(dir / "b.cfg"), "second\r\n");
}

TEST_F(frmConfigMgrTest, UnreadableScriptAtOpeningIsAProblemWithFilesPassed) {
    const auto window = open({(dir / "gone.cfg").string()});
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, "Problem with files passed");
    EXPECT_EQ(prompter.shown[0].title, "");
    EXPECT_TRUE(window->isVisible());
}

TEST_F(frmConfigMgrTest, ScriptThatCannotBeReadOrAppendedIsReportedAndLeftAlone) {
    const auto window = openTwo();
    fs::remove(dir / "a.cfg");

    cboFiles(*window)->setCurrentIndex(0);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_NE(prompter.shown[0].text.find((dir / "a.cfg").string()), std::string::npos);
    EXPECT_EQ(txtFile(*window), QString()) << "no text of another script is left showing";

    cmdApply(*window)->click();
    ASSERT_EQ(prompter.shown.size(), 2u);
    EXPECT_EQ(prompter.shown[1].icon, Prompter::Icon::Warning);
    EXPECT_FALSE(fs::exists(dir / "a.cfg")) << "no script is made up";
    EXPECT_TRUE(window->isVisible()) << "the player can pick another script";
}

TEST_F(frmConfigMgrTest, EnterInTheListDoesNotChangeTheScript) {
    const auto window = openTwo();
    cboFiles(*window)->setFocus();
    QTest::keyClick(cboFiles(*window), Qt::Key_Return);
    EXPECT_EQ(readFile(dir / "b.cfg"), "second\r\n");
}

} // namespace
