#include "core/keys/UsKeyboardLayout.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct CharacterKey {
    char character;
    std::uint8_t vk;
    std::uint8_t scan;
    bool shift;
};

void PrintTo(const CharacterKey& k, std::ostream* os) {
    *os << "'" << k.character << "'";
}

class UsCharacterTest : public testing::TestWithParam<CharacterKey> {};

// The values Windows gives for the US layout.
TEST_P(UsCharacterTest, CharacterHasItsWindowsKeyAndScanCode) {
    const UsKeyboardLayout layout;
    const auto c = static_cast<unsigned char>(GetParam().character);
    const std::uint16_t shiftState = GetParam().shift ? 1 : 0;
    EXPECT_EQ(layout.vkKeyScan(c), shiftState << 8 | GetParam().vk);
    EXPECT_EQ(layout.charToOem(c), c);
    EXPECT_EQ(layout.oemKeyScan(c), std::uint32_t{shiftState} << 16 | GetParam().scan);
}

INSTANTIATE_TEST_SUITE_P(
    Keyboard, UsCharacterTest,
    testing::Values(CharacterKey{'a', 0x41, 0x1E, false}, CharacterKey{'A', 0x41, 0x1E, true},
                    CharacterKey{'z', 0x5A, 0x2C, false}, CharacterKey{')', 0x30, 0x0B, true},
                    CharacterKey{'@', 0x32, 0x03, true}, CharacterKey{'_', 0xBD, 0x0C, true},
                    CharacterKey{'=', 0xBB, 0x0D, false}, CharacterKey{'|', 0xDC, 0x2B, true},
                    CharacterKey{':', 0xBA, 0x27, true}, CharacterKey{'\'', 0xDE, 0x28, false},
                    CharacterKey{'<', 0xBC, 0x33, true}, CharacterKey{'.', 0xBE, 0x34, false},
                    CharacterKey{'?', 0xBF, 0x35, true}, CharacterKey{'~', 0xC0, 0x29, true}));

TEST(UsKeyboardLayoutTest, EveryPrintableCharacterHasAKey) {
    const UsKeyboardLayout layout;
    for (int c = 0x20; c < 0x7F; ++c) {
        const auto ansi = static_cast<unsigned char>(c);
        EXPECT_NE(layout.vkKeyScan(ansi), 0xFFFF) << static_cast<char>(c);
        EXPECT_NE(layout.oemKeyScan(layout.charToOem(ansi)), 0xFFFFFFFF) << static_cast<char>(c);
    }
}

TEST(UsKeyboardLayoutTest, CharactersNoKeyTypesReportFailure) {
    const UsKeyboardLayout layout;
    EXPECT_EQ(layout.vkKeyScan(0xE9), 0xFFFF); // e acute
    EXPECT_EQ(layout.charToOem(0xE9), 0x82);   // its place in code page 437
    EXPECT_EQ(layout.oemKeyScan(0x82), 0xFFFFFFFF);
    EXPECT_EQ(layout.charToOem(0x80), '?'); // the euro sign has none
    EXPECT_EQ(layout.charToOem(0xC0), 'A'); // the closest to A grave
}

// Windows reads an OEM character below the space as the picture that code page 437 shows for
// it, which no key types; the ANSI control characters have keys, most of them with Ctrl.
TEST(UsKeyboardLayoutTest, ControlCharactersHaveKeysButNoOemScanCode) {
    const UsKeyboardLayout layout;
    EXPECT_EQ(layout.vkKeyScan('\t'), 0x09);
    EXPECT_EQ(layout.vkKeyScan('\r'), 0x0D);
    EXPECT_EQ(layout.vkKeyScan('\n'), 0x020D); // Ctrl+Enter
    EXPECT_EQ(layout.vkKeyScan(0x01), 0x0241); // Ctrl+A
    EXPECT_EQ(layout.vkKeyScan(0x1B), 0x1B);   // Escape
    EXPECT_EQ(layout.vkKeyScan(0x1E), 0x0336); // Ctrl+Shift+6
    EXPECT_EQ(layout.vkKeyScan(0x7F), 0x0208); // Ctrl+Backspace
    for (unsigned char c : {0x01, 0x03, 0x08, 0x09, 0x0A, 0x0D, 0x1B, 0x7F})
        EXPECT_EQ(layout.oemKeyScan(layout.charToOem(c)), 0xFFFFFFFF) << int{c};
    EXPECT_EQ(layout.oemKeyScan(0x00), 0x00030003U); // NUL: Ctrl+Shift+2
}

TEST(UsKeyboardLayoutTest, ModifiersAndKeysWithoutAScanCode) {
    const UsKeyboardLayout layout;
    EXPECT_EQ(layout.mapVirtualKey(0x10), 0x2AU); // Shift
    EXPECT_EQ(layout.mapVirtualKey(0x11), 0x1DU); // Ctrl
    EXPECT_EQ(layout.mapVirtualKey(0x12), 0x38U); // Alt
    EXPECT_EQ(layout.mapVirtualKey(0x07), 0U);    // no key for the bell
    EXPECT_EQ(layout.mapVirtualKey(0x2A), 0U);    // nor for the old Print key
    EXPECT_EQ(layout.mapVirtualKey(0x1FF), 0U);
}

} // namespace
