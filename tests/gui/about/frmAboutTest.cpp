#include "gui/about/frmAbout.h"

#include "support/FakeLauncher.h"
#include "support/FakePrompter.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(frmAboutTest, ShowsTheProgramsVersion) {
    FakeLauncher launcher;
    FakePrompter prompter;
    frmAbout about(launcher, prompter);
    const auto* lblVersion = about.findChild<QLabel*>(QStringLiteral("lblVersion"));
    ASSERT_NE(lblVersion, nullptr);
    EXPECT_EQ(lblVersion->text(), QStringLiteral("Version 2.0.7"));
    EXPECT_EQ(about.findChild<QLabel*>(QStringLiteral("lblDescription"))->text(),
              QStringLiteral("Yelpcue"));
}

TEST(frmAboutTest, EscapeAndEnterBothCloseTheWindow) {
    for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
        FakeLauncher launcher;
        FakePrompter prompter;
        frmAbout about(launcher, prompter);
        about.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
        QTest::keyClick(&about, key);
        EXPECT_FALSE(about.isVisible()) << key;
        EXPECT_TRUE(launcher.started.empty());
    }
}

TEST(frmAboutTest, SystemInfoStartsAProgramOrSaysItIsUnavailable) {
    FakeLauncher launcher;
    FakePrompter prompter;
    frmAbout about(launcher, prompter);
    about.findChild<QPushButton*>(QStringLiteral("cmdSysInfo"))->click();
    const bool started = !launcher.started.empty();
    const bool told = prompter.shown.size() == 1 &&
                      prompter.shown[0].text == "System Information Is Unavailable At This Time";
    EXPECT_NE(started, told) << "exactly one of the two happens";
}

} // namespace
