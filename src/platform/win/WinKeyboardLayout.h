// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/platform/KeyboardLayout.h"

// The lookups of the user's current keyboard layout.
class WinKeyboardLayout final : public KeyboardLayout {
public:
    std::uint16_t vkKeyScan(unsigned char ansiCharacter) const override;
    std::uint32_t oemKeyScan(std::uint16_t oemCharacter) const override;
    unsigned char charToOem(unsigned char ansiCharacter) const override;
    std::uint32_t mapVirtualKey(std::uint32_t virtualKey) const override;
};
