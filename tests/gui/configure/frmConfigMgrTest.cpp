#include "gui/configure/frmConfigMgr.h"

#include "support/Controls.h"
#include "support/FakePrompter.h"
#include "support/TempDir.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QTest>

#include <gmock/gmock.h>
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
    // Two chosen scripts: their directory, then each; the last is offered.
    std::unique_ptr<frmConfigMgr> openTwo() {
        writeFile(dir / "a.cfg", "first\r\n");
        writeFile(dir / "b.cfg", "second\r\n");
        return open({dir.path().string(), (dir / "a.cfg").string(), (dir / "b.cfg").string()});
    }
    static QString shown(frmConfigMgr& window) {
        return child<QPlainTextEdit>(window, "txtFile")->toPlainText();
    }
};

TEST_F(frmConfigMgrTest, ChoosingAnotherScriptShowsItAndApplyUsesIt) {
    const auto window = openTwo();
    auto* cboFiles = child<QComboBox>(*window, "cboFiles");
    cboFiles->setFocus();
    QTest::keyClick(cboFiles, Qt::Key_Return);
    EXPECT_EQ(readFile(dir / "b.cfg"), "second\r\n") << "Enter in the list changes nothing";

    cboFiles->setCurrentIndex(0);
    EXPECT_EQ(shown(*window), QStringLiteral("first\n"));
    click(*window, "cmdApply");
    EXPECT_EQ(readFile(dir / "a.cfg"), "first\r\n" + kF2Block);
    EXPECT_EQ(readFile(dir / "b.cfg"), "second\r\n");
    EXPECT_EQ(window->result(), QDialog::Accepted);
}

TEST_F(frmConfigMgrTest, ScriptThatCannotBeReadOrAppendedIsReportedAndLeftAlone) {
    open({(dir / "gone.cfg").string()});
    EXPECT_EQ(shownTexts(prompter), std::vector<std::string>{"Problem with files passed"});

    prompter.shown.clear();
    const auto window = openTwo();
    fs::remove(dir / "a.cfg");
    child<QComboBox>(*window, "cboFiles")->setCurrentIndex(0);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_THAT(prompter.shown[0].text, testing::HasSubstr((dir / "a.cfg").string()));
    EXPECT_EQ(shown(*window), QString()) << "no text of another script is left showing";

    click(*window, "cmdApply");
    EXPECT_EQ(prompter.shown.size(), 2u);
    EXPECT_FALSE(fs::exists(dir / "a.cfg")) << "no script is made up";
    EXPECT_TRUE(window->isVisible()) << "the player can pick another script";
}

} // namespace
