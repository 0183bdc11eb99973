// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/about/frmAbout.h"

#include "support/Controls.h"
#include "support/FakeLauncher.h"
#include "support/Patience.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(frmAboutTest, SystemInfoStartsAProgramOrSaysItCannotAndEscapeOrEnterCloses) {
    FakeLauncher launcher;
    FakePrompter prompter;
    frmAbout about(launcher, prompter);
    click(about, "cmdSysInfo");
    EXPECT_NE(launcher.started.empty(), prompter.shown.empty()) << "exactly one of the two";
    launcher.started.clear();
    prompter.shown.clear();
    for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
        about.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&about, kPatienceMs));
        QTest::keyClick(&about, key);
        EXPECT_FALSE(about.isVisible()) << key;
        EXPECT_TRUE(launcher.started.empty() && prompter.shown.empty())
            << "Enter is OK's, not System Info's";
    }
}

} // namespace
