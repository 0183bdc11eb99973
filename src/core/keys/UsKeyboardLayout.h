// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/platform/KeyboardLayout.h"

// The US keyboard layout with the numbers Windows gives it, so that a key string yields the
// same virtual keys and scan codes on every system.
class UsKeyboardLayout final : public KeyboardLayout {
public:
    std::uint16_t vkKeyScan(unsigned char ansiCharacter) const override;
    std::uint32_t oemKeyScan(std::uint16_t oemCharacter) const override;
    unsigned char charToOem(unsigned char ansiCharacter) const override;
    std::uint32_t mapVirtualKey(std::uint32_t virtualKey) const override;
};
