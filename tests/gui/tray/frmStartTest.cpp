// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/tray/frmStart.h"

#include "support/Patience.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// The frames the icon shows next, each one seen: a turn of the event loop fires the tray's
// timer at most once, so however slow the machine, no frame goes by unseen.
std::vector<int> nextFrames(const frmStart& tray, int count) {
    std::vector<int> frames;
    const QDeadlineTimer patience(kPatienceMs);
    QTimer wake; // so that the limit ends a wait for a frame that never comes
    wake.start(1000);
    while (std::ssize(frames) < count && !patience.hasExpired()) {
        const int before = tray.IconFrame();
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        if (tray.IconFrame() != before)
            frames.push_back(tray.IconFrame());
    }
    return frames;
}

// What the menu's items ask for is the main window's test.
TEST(frmStartTest, AnimationCyclesFiveFramesAndEachNewPassGoesOnFromTheLastOne) {
    frmStart tray;
    EXPECT_EQ(tray.IconFrame(), 0);
    tray.setAnimating(true);
    EXPECT_EQ(nextFrames(tray, 3), (std::vector{1, 2, 3}));
    tray.setAnimating(false);
    QTest::qWait(250);
    EXPECT_EQ(tray.IconFrame(), 3) << "the icon keeps its last frame when stopped";

    // A pass every 30 ms switches the animation on each time, which must not hold it still.
    QTimer passes;
    QObject::connect(&passes, &QTimer::timeout, &tray, [&] { tray.setAnimating(true); });
    passes.start(30);
    EXPECT_EQ(nextFrames(tray, 4), (std::vector{4, 5, 1, 2}))
        << "the cycle goes on from the frame after the last one, and 5 wraps to 1";
}

} // namespace
