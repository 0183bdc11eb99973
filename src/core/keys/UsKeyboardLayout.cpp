// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/keys/UsKeyboardLayout.h"

#include <array>
#include <string_view>

namespace {

constexpr std::uint16_t noKey = 0xFFFF;
constexpr std::uint16_t withShift = 0x0100;
constexpr std::uint16_t withCtrl = 0x0200;

// VkKeyScanA of the US layout for the ASCII characters.
constexpr std::array<std::uint16_t, 128> makeCharacterKeys() {
    std::array<std::uint16_t, 128> keys{};
    keys.fill(noKey);
    struct Row {
        std::string_view plain;
        std::string_view shifted;
        std::array<std::uint8_t, 13> virtualKeys;
    };
    constexpr Row rows[] = {
        {"`1234567890-=",
         "~!@#$%^&*()_+",
         {0xC0, '1', '2', '3', '4', '5', '6', '7', '8', '9', '0', 0xBD, 0xBB}},
        {"qwertyuiop[]\\",
         "QWERTYUIOP{}|",
         {'Q', 'W', 'E', 'R', 'T', 'Y', 'U', 'I', 'O', 'P', 0xDB, 0xDD, 0xDC}},
        {"asdfghjkl;'", "ASDFGHJKL:\"", {'A', 'S', 'D', 'F', 'G', 'H', 'J', 'K', 'L', 0xBA, 0xDE}},
        {"zxcvbnm,./", "ZXCVBNM<>?", {'Z', 'X', 'C', 'V', 'B', 'N', 'M', 0xBC, 0xBE, 0xBF}},
    };
    for (const Row& row : rows) {
        for (std::size_t k = 0; k < row.plain.size(); ++k) {
            keys[static_cast<unsigned char>(row.plain[k])] = row.virtualKeys[k];
            keys[static_cast<unsigned char>(row.shifted[k])] = withShift | row.virtualKeys[k];
        }
    }
    keys[' '] = 0x20;
    // Control characters: Ctrl with a letter or sign, as Windows reports them for the layout,
    // except those that a key of their own types.
    for (char letter = 'A'; letter <= 'Z'; ++letter)
        keys[static_cast<std::size_t>(letter - 'A' + 1)] = withCtrl | letter;
    keys[0x00] = withCtrl | withShift | '2';
    keys[0x1B] = 0x1B; // Escape
    keys[0x1C] = withCtrl | 0xDC;
    keys[0x1D] = withCtrl | 0xDD;
    keys[0x1E] = withCtrl | withShift | '6';
    keys[0x1F] = withCtrl | withShift | 0xBD;
    keys[0x7F] = withCtrl | 0x08;
    keys[0x03] = 0x03; // Break
    keys['\b'] = 0x08;
    keys['\t'] = 0x09;
    keys['\r'] = 0x0D;
    keys['\n'] = withCtrl | 0x0D;
    return keys;
}

// MapVirtualKeyA (map type 0) of the US layout: the scan code of each virtual key that has a
// key; 0 for the others.
constexpr std::array<std::uint8_t, 256> makeScanCodes() {
    std::array<std::uint8_t, 256> scan{};
    constexpr std::string_view digitsFromOne = "1234567890";
    for (std::size_t k = 0; k < digitsFromOne.size(); ++k)
        scan[static_cast<unsigned char>(digitsFromOne[k])] = static_cast<std::uint8_t>(0x02 + k);
    constexpr std::string_view letterRows[] = {"QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
    constexpr std::uint8_t rowStarts[] = {0x10, 0x1E, 0x2C};
    for (std::size_t r = 0; r < 3; ++r) {
        for (std::size_t k = 0; k < letterRows[r].size(); ++k)
            scan[static_cast<unsigned char>(letterRows[r][k])] =
                static_cast<std::uint8_t>(rowStarts[r] + k);
    }
    for (std::uint8_t f = 0; f < 10; ++f)
        scan[0x70 + f] = static_cast<std::uint8_t>(0x3B + f); // F1 to F10
    scan[0x7A] = 0x57;                                        // F11
    scan[0x7B] = 0x58;                                        // F12
    for (std::uint8_t f = 0; f < 11; ++f)
        scan[0x7C + f] = static_cast<std::uint8_t>(0x64 + f); // F13 to F23
    scan[0x87] = 0x76;                                        // F24

    constexpr std::uint8_t numpadDigits[] = {0x52, 0x4F, 0x50, 0x51, 0x4B,
                                             0x4C, 0x4D, 0x47, 0x48, 0x49};
    for (std::uint8_t d = 0; d < 10; ++d)
        scan[0x60 + d] = numpadDigits[d];

    struct Pair {
        std::uint8_t virtualKey;
        std::uint8_t scanCode;
    };
    constexpr Pair others[] = {
        {0x03, 0x46}, // Break
        {0x08, 0x0E}, // Backspace
        {0x09, 0x0F}, // Tab
        {0x0C, 0x4C}, // Clear
        {0x0D, 0x1C}, // Enter
        {0x10, 0x2A}, // Shift
        {0x11, 0x1D}, // Ctrl
        {0x12, 0x38}, // Alt
        {0x14, 0x3A}, // Caps Lock
        {0x1B, 0x01}, // Escape
        {0x20, 0x39}, // Space
        {0x21, 0x49}, // Page Up
        {0x22, 0x51}, // Page Down
        {0x23, 0x4F}, // End
        {0x24, 0x47}, // Home
        {0x25, 0x4B}, // Left
        {0x26, 0x48}, // Up
        {0x27, 0x4D}, // Right
        {0x28, 0x50}, // Down
        {0x2C, 0x54}, // Print Screen
        {0x2D, 0x52}, // Insert
        {0x2E, 0x53}, // Delete
        {0x2F, 0x63}, // Help
        {0x6A, 0x37}, // keypad *
        {0x6B, 0x4E}, // keypad +
        {0x6D, 0x4A}, // keypad -
        {0x6E, 0x53}, // keypad .
        {0x6F, 0x35}, // keypad /
        {0x90, 0x45}, // Num Lock
        {0x91, 0x46}, // Scroll Lock
        {0xA0, 0x2A}, // left Shift
        {0xA1, 0x36}, // right Shift
        {0xA2, 0x1D}, // left Ctrl
        {0xA3, 0x1D}, // right Ctrl
        {0xA4, 0x38}, // left Alt
        {0xA5, 0x38}, // right Alt
        {0xBA, 0x27}, // ;
        {0xBB, 0x0D}, // =
        {0xBC, 0x33}, // ,
        {0xBD, 0x0C}, // -
        {0xBE, 0x34}, // .
        {0xBF, 0x35}, // /
        {0xC0, 0x29}, // `
        {0xDB, 0x1A}, // [
        {0xDC, 0x2B}, // backslash
        {0xDD, 0x1B}, // ]
        {0xDE, 0x28}, // '
        {0xE2, 0x56}, // the extra key beside left Shift on 102-key keyboards
    };
    for (const Pair& pair : others)
        scan[pair.virtualKey] = pair.scanCode;
    return scan;
}

// CharToOemA from the Windows ANSI code page 1252 to the OEM code page 437, for the characters
// above ASCII. Where code page 437 lacks a character Windows takes the closest ("A" for "À",
// the picture at 0x15 for "§"), and '?' only where there is none.
constexpr std::array<unsigned char, 128> upperAnsiToOem = {
    0x3F, 0x3F, 0x2C, 0x9F, 0x2C, 0x2E, 0x2B, 0xD8, 0x5E, 0x25, 0x53, 0x3C, 0x4F, 0x3F, 0x5A, 0x3F,
    0x3F, 0x60, 0x27, 0x22, 0x22, 0x07, 0x2D, 0x2D, 0x7E, 0x54, 0x73, 0x3E, 0x6F, 0x3F, 0x7A, 0x59,
    0xFF, 0xAD, 0x9B, 0x9C, 0x0F, 0x9D, 0xDD, 0x15, 0x22, 0x63, 0xA6, 0xAE, 0xAA, 0x2D, 0x72, 0x5F,
    0xF8, 0xF1, 0xFD, 0x33, 0x27, 0xE6, 0x14, 0xFA, 0x2C, 0x31, 0xA7, 0xAF, 0xAC, 0xAB, 0x5F, 0xA8,
    0x41, 0x41, 0x41, 0x41, 0x8E, 0x8F, 0x92, 0x80, 0x45, 0x90, 0x45, 0x45, 0x49, 0x49, 0x49, 0x49,
    0x44, 0xA5, 0x4F, 0x4F, 0x4F, 0x4F, 0x99, 0x78, 0x4F, 0x55, 0x55, 0x55, 0x9A, 0x59, 0x5F, 0xE1,
    0x85, 0xA0, 0x83, 0x61, 0x84, 0x86, 0x91, 0x87, 0x8A, 0x82, 0x88, 0x89, 0x8D, 0xA1, 0x8C, 0x8B,
    0x64, 0xA4, 0x95, 0xA2, 0x93, 0x6F, 0x94, 0xF6, 0x6F, 0x97, 0xA3, 0x96, 0x81, 0x79, 0x5F, 0x98,
};

constexpr auto characterKeys = makeCharacterKeys();
constexpr auto scanCodes = makeScanCodes();

} // namespace

std::uint16_t UsKeyboardLayout::vkKeyScan(unsigned char ansiCharacter) const {
    return ansiCharacter < characterKeys.size() ? characterKeys[ansiCharacter] : noKey;
}

std::uint32_t UsKeyboardLayout::oemKeyScan(std::uint16_t oemCharacter) const {
    // Windows reads an OEM character as what code page 437 shows for it. The OEM and ANSI code
    // pages agree on ASCII from the space on; below it (NUL aside) and at 0x7F code page 437
    // shows pictures such as a smiling face or a note, and above ASCII letters and lines that
    // no key of the layout types.
    constexpr std::uint32_t failure = 0xFFFFFFFF;
    const bool shownAsAscii = oemCharacter == 0 || (oemCharacter >= 0x20 && oemCharacter < 0x7F);
    if (!shownAsAscii)
        return failure;
    const std::uint16_t key = characterKeys[oemCharacter];
    if (key == noKey)
        return failure;
    const std::uint32_t scanCode = scanCodes[key & 0xFF];
    if (scanCode == 0)
        return failure;
    return static_cast<std::uint32_t>(key >> 8) << 16 | scanCode;
}

unsigned char UsKeyboardLayout::charToOem(unsigned char ansiCharacter) const {
    return ansiCharacter < 0x80 ? ansiCharacter : upperAnsiToOem[ansiCharacter - 0x80];
}

std::uint32_t UsKeyboardLayout::mapVirtualKey(std::uint32_t virtualKey) const {
    return virtualKey < scanCodes.size() ? scanCodes[virtualKey] : 0;
}
