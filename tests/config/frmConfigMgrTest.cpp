#include "config/frmConfigMgr.h"
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

class frmConfigMgrTest : public testing::Test {
protected:
    TempDir dir;
    FakePrompter prompter;

    std::unique_ptr<frmConfigMgr> open(const std::vector<std::string>& ChosenConfigFiles,
                                       const std::string& key = "F2") {
        auto window = std::make_unique<frmConfigMgr>(prompter, ChosenConfigFiles, key);
        window->show();
        return window;
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
    EXPECT_EQ(cboFiles(*window)->currentIndex(), 0);
    EXPECT_EQ(txtFile(*window), QStringLiteral("exec config.cfg\n"));
    EXPECT_TRUE(window->findChild<QPlainTextEdit*>(QStringLiteral("txtFile"))->isReadOnly());
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(frmConfigMgrTest, ApplyOnAnEmptyScriptLeavesExactlyTheBlockAndCloses) {
    writeFile(dir / "empty.cfg", "");
    const auto window = open({(dir / "empty.cfg").string()});

    cmdApply(*window)->click();

    EXPECT_EQ(readFile(dir / "empty.cfg"), "//** INSERTED BY YELPCUE **\r\n"
                                           "bind F2 \"exec bellcast.cfg\"\r\n"
                                           "//**         END         **\r\n");
    EXPECT_EQ(window->result(), QDialog::Accepted);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(frmConfigMgrTest, ApplyingInTwoOpeningsLeavesTwoBlocks) {
    writeFile(dir / "config.cfg", "bind w +forward");
    for (int opening = 0; opening < 2; ++opening)
        cmdApply(*open({(dir / "config.cfg").string()}))->click();
    EXPECT_EQ(readFile(dir / "config.cfg"), "bind w +forward\r\n"
                                            "//** INSERTED BY YELPCUE **\r\n"
                                            "bind F2 \"exec bellcast.cfg\"\r\n"
                                            "//**         END         **\r\n"
                                            "//** INSERTED BY YELPCUE **\r\n"
                                            "bind F2 \"exec bellcast.cfg\"\r\n"
                                            "//**         END         **\r\n");
    EXPECT_EQ(prompter.shown.size(), 2u);
}

TEST_F(frmConfigMgrTest, ChoosingAnotherScriptShowsIt) {
    writeFile(dir / "a.cfg", "first\r\n");
    writeFile(dir / "b.cfg", "second\r\n");
    const auto window =
        open({dir.path().string(), (dir / "a.cfg").string(), (dir / "b.cfg").string()});
    EXPECT_EQ(txtFile(*window), QStringLiteral("second\n"));

    cboFiles(*window)->setCurrentIndex(0);

    EXPECT_EQ(txtFile(*window), QStringLiteral("first\n"));
    cmdApply(*window)->click();
    EXPECT_NE(readFile(dir / "a.cfg"), "first\r\n") << "Apply works on the script shown";
    EXPECT_EQ(readFile(dir / "b.cfg"), "second\r\n");
}

TEST_F(frmConfigMgrTest, UnreadableScriptAtOpeningIsAProblemWithFilesPassed) {
    const auto window = open({(dir / "gone.cfg").string()});
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, "Problem with files passed");
    EXPECT_EQ(prompter.shown[0].title, "");
    EXPECT_EQ(prompter.shown[0].icon, Prompter::Icon::None);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(txtFile(*window), QString());
}

TEST_F(frmConfigMgrTest, ScriptThatCannotBeReadOrAppendedIsReportedAndLeftAlone) {
    writeFile(dir / "a.cfg", "first\r\n");
    writeFile(dir / "b.cfg", "second\r\n");
    const auto window =
        open({dir.path().string(), (dir / "a.cfg").string(), (dir / "b.cfg").string()});
    fs::remove(dir / "a.cfg");

    cboFiles(*window)->setCurrentIndex(0);

    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_NE(prompter.shown[0].text.find((dir / "a.cfg").string()), std::string::npos);
    EXPECT_EQ(txtFile(*window), QString()) << "no text of another script is left showing";

    cmdApply(*window)->click();

    ASSERT_EQ(prompter.shown.size(), 2u);
    EXPECT_NE(prompter.shown[1].text.find((dir / "a.cfg").string()), std::string::npos);
    EXPECT_EQ(prompter.shown[1].icon, Prompter::Icon::Warning);
    EXPECT_FALSE(fs::exists(dir / "a.cfg")) << "no script is made up";
    EXPECT_TRUE(window->isVisible()) << "the player can pick another script";
    EXPECT_EQ(window->result(), 0);
}

TEST_F(frmConfigMgrTest, EnterInTheListDoesNotChangeTheScript) {
    writeFile(dir / "config.cfg", "bind w +forward\r\n");
    const auto window = open({(dir / "config.cfg").string()});
    cboFiles(*window)->setFocus();
    QTest::keyClick(cboFiles(*window), Qt::Key_Return);
    EXPECT_EQ(readFile(dir / "config.cfg"), "bind w +forward\r\n");
}

} // namespace
