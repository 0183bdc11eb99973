// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/tray/frmStart.h"

#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// What the menu's items ask for is the main window's test.
TEST(frmStartTest, AnimationCyclesFiveFramesAndEachNewPassGoesOnFromTheLastOne) {
    frmStart tray;
    EXPECT_EQ(tray.IconFrame(), 0);
    tray.setAnimating(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return tray.IconFrame() == 3; }, 2000));
    tray.setAnimating(false);
    const int stoppedAt = tray.IconFrame();
    QTest::qWait(250);
    EXPECT_EQ(tray.IconFrame(), stoppedAt) << "the icon keeps its last frame when stopped";

    // A pass every 30 ms switches the animation on each time, which must not hold it still.
    QTimer passes;
    QObject::connect(&passes, &QTimer::timeout, &tray, [&] { tray.setAnimating(true); });
    passes.start(30);
    ASSERT_TRUE(QTest::qWaitFor([&] { return tray.IconFrame() != stoppedAt; }, 2000));
    EXPECT_EQ(tray.IconFrame(), 4) << "the cycle goes on from the frame after the last one";
    ASSERT_TRUE(QTest::qWaitFor([&] { return tray.IconFrame() == 5; }, 2000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return tray.IconFrame() == 1; }, 2000)) << "5 wraps to 1";
}

} // namespace
