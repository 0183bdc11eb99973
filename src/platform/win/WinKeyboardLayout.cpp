// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/win/WinKeyboardLayout.h"

#include <windows.h>

std::uint16_t WinKeyboardLayout::vkKeyScan(unsigned char ansiCharacter) const {
    return static_cast<std::uint16_t>(VkKeyScanA(static_cast<CHAR>(ansiCharacter)));
}

std::uint32_t WinKeyboardLayout::oemKeyScan(std::uint16_t oemCharacter) const {
    return OemKeyScan(oemCharacter);
}

unsigned char WinKeyboardLayout::charToOem(unsigned char ansiCharacter) const {
    const char source[2] = {static_cast<char>(ansiCharacter), '\0'};
    // Two spaces, so a failed conversion leaves a space.
    char destination[2] = {' ', ' '};
    CharToOemA(source, destination);
    return static_cast<unsigned char>(destination[0]);
}

std::uint32_t WinKeyboardLayout::mapVirtualKey(std::uint32_t virtualKey) const {
    constexpr UINT virtualKeyToScanCode = 0; // MAPVK_VK_TO_VSC, missing from older headers
    return MapVirtualKeyA(virtualKey, virtualKeyToScanCode);
}
