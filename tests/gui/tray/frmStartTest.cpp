#include "gui/tray/frmStart.h"

#include <QAction>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(frmStartTest, MenuHasTheSixItemsWithTheirCaptionsAndShortcuts) {
    frmStart tray;
    EXPECT_EQ(tray.trayIcon().toolTip(), QStringLiteral("Yelpcue!"));
    EXPECT_EQ(tray.mnuTray()->title(), QStringLiteral("Systray"));
    const QList<QAction*> items = tray.mnuTray()->actions();
    ASSERT_EQ(items.size(), 6);
    const struct {
        const char* caption;
        const char* shortcut;
    } expected[] = {{"Show &Yelpcue", "Ctrl+Q"}, {"", ""}, {"&Start Yelpcue", "Ctrl+S"},
                    {"S&top Yelpcue", "Ctrl+O"}, {"", ""}, {"E&xit", "Ctrl+X"}};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(items[i]->objectName(), QStringLiteral("mnustart%1").arg(i));
        EXPECT_EQ(items[i]->isSeparator(), expected[i].caption[0] == '\0');
        EXPECT_EQ(items[i]->text(), QString::fromLatin1(expected[i].caption));
        EXPECT_EQ(items[i]->shortcut(), QKeySequence(QString::fromLatin1(expected[i].shortcut)));
    }
}

TEST(frmStartTest, MenuItemsAskForTheirCommands) {
    frmStart tray;
    QSignalSpy show(&tray, &frmStart::showMainWindowRequested);
    QSignalSpy start(&tray, &frmStart::startRequested);
    QSignalSpy stop(&tray, &frmStart::stopRequested);
    QSignalSpy exit(&tray, &frmStart::exitRequested);
    const QList<QAction*> items = tray.mnuTray()->actions();
    for (const int index : {0, 2, 3, 5, 1, 4})
        items[index]->trigger();
    EXPECT_EQ(show.count(), 1);
    EXPECT_EQ(start.count(), 1);
    EXPECT_EQ(stop.count(), 1);
    EXPECT_EQ(exit.count(), 1);
}

TEST(frmStartTest, AnimationCyclesFiveFramesAndANewSessionGoesOnFromTheLastOne) {
    frmStart tray;
    EXPECT_EQ(tray.IconFrame(), 0);
    tray.setAnimating(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return tray.IconFrame() == 3; }, 2000));
    tray.setAnimating(false);
    const int stoppedAt = tray.IconFrame();
    QTest::qWait(250);
    EXPECT_EQ(tray.IconFrame(), stoppedAt) << "the icon keeps its last frame when stopped";

    tray.setAnimating(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return tray.IconFrame() != stoppedAt; }, 2000));
    EXPECT_EQ(tray.IconFrame(), 4) << "the cycle goes on from the frame after the last one";
    ASSERT_TRUE(QTest::qWaitFor([&] { return tray.IconFrame() == 1; }, 2000)) << "5 wraps to 1";
    tray.setAnimating(false);
}

TEST(frmStartTest, RepeatedStartsDoNotHoldTheAnimationStill) {
    frmStart tray;
    QTimer passes; // a pass every 30 ms switches the animation on each time
    QObject::connect(&passes, &QTimer::timeout, &tray, [&] { tray.setAnimating(true); });
    passes.start(30);
    EXPECT_TRUE(QTest::qWaitFor([&] { return tray.IconFrame() >= 2; }, 2000));
}

} // namespace
