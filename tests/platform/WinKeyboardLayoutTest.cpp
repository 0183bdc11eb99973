// SPDX-License-Identifier: GPL-3.0-or-later
// The US table that stands in for the layout calls on other systems, against the calls of
// Windows with a US layout.

#include "platform/win/WinKeyboardLayout.h"

#include "core/keys/UsKeyboardLayout.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

TEST(WinKeyboardLayoutTest, UsTableGivesWhatWindowsGivesForEveryCharacter) {
    ASSERT_EQ(LOWORD(GetKeyboardLayout(0)), 0x0409) << "the comparison needs the US layout";
    const UsKeyboardLayout table;
    const WinKeyboardLayout windows;
    for (int c = 0; c < 256; ++c) {
        const auto character = static_cast<unsigned char>(c);
        SCOPED_TRACE(c);
        EXPECT_EQ(table.vkKeyScan(character), windows.vkKeyScan(character));
        EXPECT_EQ(table.charToOem(character), windows.charToOem(character));
        EXPECT_EQ(table.oemKeyScan(character), windows.oemKeyScan(character));
    }
}

} // namespace
