#include "gui/about/frmAbout.h"

#include "support/FakeLauncher.h"
#include "support/FakePrompter.h"

#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(frmAboutTest, EscapeOrEnterCloses) {
    for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
        FakeLauncher launcher;
        FakePrompter prompter;
        frmAbout about(launcher, prompter);
        about.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
        QTest::keyClick(&about, key);
        EXPECT_FALSE(about.isVisible()) << key;
        EXPECT_TRUE(launcher.started.empty()) << "Enter is OK's, not System Info's";
    }
}

TEST(frmAboutTest, SystemInfoStartsAProgramOrSaysItIsUnavailable) {
    FakeLauncher launcher;
    FakePrompter prompter;
    frmAbout about(launcher, prompter);
    about.findChild<QPushButton*>(QStringLiteral("cmdSysInfo"))->click();
    EXPECT_NE(launcher.started.empty(), prompter.shown.empty()) << "exactly one of the two";
}

} // namespace
