// SPDX-License-Identifier: GPL-3.0-or-later
// Key events through keybd_event into a real window that has the keyboard focus. Under Wine
// the test script gives windows its display-less graphics driver.

#include "platform/win/WinKeyOutput.h"

#include "core/keys/ModPushKeys.h"
#include "platform/win/WinKeyboardLayout.h"
#include "support/FakeClock.h"
#include "support/RecordingKeyOutput.h"
#include "support/WinKeyReceiver.h"

#include <gtest/gtest.h>

namespace {

TEST(WinKeyOutputTest, KeyStringReachesTheFocusedWindowEventByEvent) {
    WinKeyReceiver receiver;
    ASSERT_TRUE(receiver.exists()) << "no window: under Wine, the graphics driver must be null";
    ASSERT_TRUE(receiver.hasFocus());
    const WinKeyboardLayout layout;
    FakeClock clock;
    RecordingKeyOutput recorded;
    WinKeyOutput output;
    // Shift held by a group, Ctrl and Alt prefixes, and the arrow keys that would be extended
    // keys on a keyboard.
    const std::string keys = "+(ab){LEFT}^{F4}%a{DOWN}";
    ModPushKeys(recorded, layout, clock).PushKeys(keys);
    ModPushKeys(output, layout, clock).PushKeys(keys);

    const KeyArrivals arrivals = receiver.take(recorded.events.size());
    EXPECT_EQ(arrivals.events, recorded.events);
    EXPECT_EQ(arrivals.extended, 0) << "no event carries KEYEVENTF_EXTENDEDKEY";
}

} // namespace
