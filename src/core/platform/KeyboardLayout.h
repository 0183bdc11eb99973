// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// The keyboard-layout lookups of the Windows API, with Windows numbering everywhere.
class KeyboardLayout {
public:
    virtual ~KeyboardLayout() = default;
    // VkKeyScanA: low byte the virtual key typing the ANSI character, high byte the
    // shift state; 0xFFFF when no key types it.
    virtual std::uint16_t vkKeyScan(unsigned char ansiCharacter) const = 0;
    // OemKeyScan: low byte the scan code typing the OEM character; 0xFFFFFFFF when none.
    virtual std::uint32_t oemKeyScan(std::uint16_t oemCharacter) const = 0;
    // CharToOemA for one character.
    virtual unsigned char charToOem(unsigned char ansiCharacter) const = 0;
    // MapVirtualKeyA with map type 0: the scan code of a virtual key, 0 when it has none.
    virtual std::uint32_t mapVirtualKey(std::uint32_t virtualKey) const = 0;
};
