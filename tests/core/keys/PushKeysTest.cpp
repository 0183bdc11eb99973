// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/keys/ModPushKeys.h"
#include "core/keys/UsKeyboardLayout.h"
#include "support/FakeClock.h"
#include "support/RecordingKeyOutput.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include "platform/win/WinKeyboardLayout.h"
#endif

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace std::chrono_literals;
using namespace std::string_literals;
using Events = std::vector<KeyEvent>;

// A key of the US layout: virtual key and scan code.
struct Key {
    std::uint8_t vk, scan;
};

constexpr Key Shift{0x10, 0x2A}, Ctrl{0x11, 0x1D}, Alt{0x12, 0x38}, F1{0x70, 0x3B}, F4{0x73, 0x3E},
    Enter{0x0D, 0x1C}, Space{0x20, 0x39}, NoKey{0xFF, 0xFF};
constexpr Key A{0x41, 0x1E}, B{0x42, 0x30}, C{0x43, 0x2E}, E{0x45, 0x12}, F{0x46, 0x21},
    P{0x50, 0x19}, S{0x53, 0x1F}, U{0x55, 0x16};
constexpr Key Zero{0x30, 0x0B}, One{0x31, 0x02}, Two{0x32, 0x03}, Five{0x35, 0x06},
    Nine{0x39, 0x0A}, Grave{0xC0, 0x29}, Equals{0xBB, 0x0D}, RightBracket{0xDD, 0x1B};

Events operator+(Events a, const Events& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}
const auto down = [](Key k) { return Events{KeyEvent{k.vk, k.scan, false}}; };
const auto up = [](Key k) { return Events{KeyEvent{k.vk, k.scan, true}}; };
const auto tap = [](Key k) { return down(k) + up(k); };
const auto shifted = [](Key k) { return down(Shift) + tap(k) + up(Shift); };
// `n` copies of a run of events or of text, one after another.
template <typename Run> Run times(int n, const Run& run) {
    Run all;
    for (int i = 0; i < n; ++i)
        all.insert(all.end(), run.begin(), run.end());
    return all;
}
const Events kPause = shifted(P) + shifted(A) + shifted(U) + shifted(S) + shifted(E);

// The events expected are the US layout's. On Windows the lookups are the system's own calls
// (a US layout under the test script), which the expectations thus check the table against.
#ifdef _WIN32
using SystemKeyboardLayout = WinKeyboardLayout;
#else
using SystemKeyboardLayout = UsKeyboardLayout;
#endif

struct Pushed {
    Events events;
    std::vector<std::chrono::milliseconds> sleeps;
};

Pushed push(const std::string& keys) {
    RecordingKeyOutput output;
    FakeClock clock;
    const SystemKeyboardLayout layout;
    ModPushKeys(output, layout, clock).PushKeys(keys);
    return {output.events, clock.sleeps};
}

TEST(PushKeysTest, KeyStringsGiveTheirKeyEventsAndPauses) {
    struct Row {
        std::string keys;
        Events expected;
        std::vector<std::chrono::milliseconds> sleeps = {};
    };
    for (const Row& row : std::vector<Row>{
             // Names in braces, in any letter case; an unclosed brace still ends the name.
             Row{"", {}}, Row{"{f12}", tap({0x7B, 0x58})}, Row{"{F1", tap(F1)}, Row{"{}", {}},
             Row{"{PGUP}", tap({0x21, 0x49})}, Row{"{F11}", tap({0x7A, 0x57})},
             Row{"{F24}", tap({0x87, 0x76})}, Row{"~", tap(Enter)},
             Row{"{NEWLINE 2}", times(2, tap(Enter) + tap({0x0A, 0x00}))},
             // Not a name: typed as text.
             Row{"{PAUSE}", kPause}, Row{"{F25}", shifted(F) + tap(Two) + tap(Five)},
             Row{"{Abc 2}", times(2, shifted(A) + tap(B) + tap(C))},
             // Punctuation names are typed with Shift (every one: see below), and so is "}}".
             Row{"{+ 2}", times(2, shifted(Equals))}, Row{"{X}}", shifted(RightBracket)},
             // Counts: anything but a signed run of decimal digits within 16 bits counts 1.
             Row{"{F1 3}", times(3, tap(F1))}, Row{"{F1 0}", {}}, Row{"{F1 -2}", {}},
             Row{"{F1 +2}", times(2, tap(F1))}, Row{"{F1 007}", times(7, tap(F1))},
             Row{"{F1 x}", tap(F1)}, Row{"{F1 32768}", tap(F1)}, Row{"{F1 2.0}", tap(F1)},
             // The count follows the last space: "F1 " is no name, so it is typed.
             Row{"{F1  3}", times(3, shifted(F) + tap(One) + tap(Space))},
             // Pauses go through the clock; zero and negative counts pause not at all.
             Row{"a{SLEEP 2}", tap(A), {2000ms}}, Row{"{sleep x}", {}, {1000ms}},
             Row{"{SLEEP 32767}", {}, {32767000ms}}, Row{"{SLEEP 0}", {}},
             Row{"{SLEEP -32768}", {}},
             // Hostile key strings are the fuzz corpus's; the budget that bounds them still
             // leaves the longest repetition of the default key whole.
             Row{"{PAUSE 32767}", times(32767, kPause)},
             // Characters; no key of the layout types "é": the failure codes go out as they
             // are. "À" has the scan code of "A", its closest OEM character; a tab has a key,
             // but its OEM character is a picture that none types.
             Row{"}", tap(RightBracket)}, Row{"\xE9", tap(NoKey)},
             Row{"\xC0", tap({NoKey.vk, A.scan})}, Row{"\t", tap({0x09, NoKey.scan})},
             // Modifiers: a prefix at the end applies to the trailing space, takes "~" as a
             // character, and prefixes do not combine ("^" types "+" as a plain character).
             Row{"+a", shifted(A)}, Row{"^A", down(Ctrl) + tap(A) + up(Ctrl)},
             Row{"%a", down(Alt) + tap(A) + up(Alt)}, Row{"^{F4}", down(Ctrl) + tap(F4) + up(Ctrl)},
             Row{"a+", tap(A) + shifted(Space)}, Row{"+~", shifted(Grave)},
             Row{"^+a", down(Ctrl) + tap(Equals) + up(Ctrl) + tap(A)},
             // In a group, the inner Shift release ends the hold before "c", and the held
             // Shift serves a shifted name; nested brackets are typed; a group never closed
             // takes the rest, the trailing space included.
             Row{"+(aBc)", down(Shift) + tap(A) + shifted(B) + tap(C) + up(Shift)},
             Row{"+{~}", down(Shift) + tap(Grave) + up(Shift)},
             Row{"%(^{F4})", down(Alt) + down(Ctrl) + tap(F4) + up(Ctrl) + up(Alt)},
             Row{"+((a)b)",
                 down(Shift) + shifted(Nine) + tap(A) + shifted(Zero) + tap(B) + up(Shift)},
             Row{"+(ab", down(Shift) + tap(A) + tap(B) + tap(Space) + up(Shift)},
             // Groups and names typed as text nest 32 deep, and no deeper; each presses its
             // modifier again, since a nested key string starts with none held.
             Row{times(31, "+("s) + "a" + times(31, ")"s),
                 times(31, down(Shift)) + tap(A) + times(31, up(Shift))},
             Row{times(32, "+("s) + "a" + times(32, ")"s),
                 times(32, down(Shift)) + times(32, up(Shift))},
             Row{times(31, "{"s) + "a", tap(A)}, Row{times(32, "{"s) + "a", {}},
             Row{times(40, "+(a)"s), times(40, shifted(A))}}) {
        const Pushed pushed = push(row.keys);
        EXPECT_EQ(pushed.events, row.expected) << "'" << row.keys << "'";
        EXPECT_EQ(pushed.sleeps, row.sleeps) << "'" << row.keys << "'";
    }
}

// The US keyboard row by row: what each key types alone and with Shift. Scan codes run on
// along a row from its first key; letters and digits are their own virtual keys.
struct KeyboardRow {
    std::string_view plain, shifted;
    std::uint8_t firstScanCode;
};
constexpr KeyboardRow kUsKeyboard[] = {{"1234567890-=", "!@#$%^&*()_+", 0x02},
                                       {"qwertyuiop[]", "QWERTYUIOP{}", 0x10},
                                       {"asdfghjkl;'`", "ASDFGHJKL:\"~", 0x1E},
                                       {"\\zxcvbnm,./", "|ZXCVBNM<>?", 0x2B}};

Key keyOf(const KeyboardRow& row, std::size_t k) {
    constexpr std::string_view oem = "`-=[]\\;',./";
    constexpr std::uint8_t oemKeys[] = {0xC0, 0xBD, 0xBB, 0xDB, 0xDD, 0xDC,
                                        0xBA, 0xDE, 0xBC, 0xBE, 0xBF};
    const char c = row.plain[k];
    const auto at = oem.find(c);
    const int vk = at != std::string_view::npos ? oemKeys[at] : (c >= 'a' ? c - 'a' + 'A' : c);
    return {static_cast<std::uint8_t>(vk), static_cast<std::uint8_t>(row.firstScanCode + k)};
}

// The layout's own answers, as the calls of Windows give them for the US layout: the key and
// Shift state of a character (0xFFFF for none), the scan code of a character's key with Shift
// in the high word (0xFFFFFFFF for none), and the scan code of each virtual key (0 for none);
// and each character of the keyboard typed on its key, with Shift where it needs it.
TEST(KeyboardLayoutTest, EveryKeyHasItsVirtualKeyScanCodeAndShiftStateAndTypesItsCharacter) {
    const SystemKeyboardLayout layout;
    for (const KeyboardRow& row : kUsKeyboard) {
        for (std::size_t k = 0; k < row.plain.size(); ++k) {
            const Key key = keyOf(row, k);
            const auto plain = static_cast<unsigned char>(row.plain[k]);
            const auto shift = static_cast<unsigned char>(row.shifted[k]);
            SCOPED_TRACE(row.plain.substr(k, 1));
            EXPECT_EQ(layout.vkKeyScan(plain), key.vk);
            EXPECT_EQ(layout.vkKeyScan(shift), 0x100 | key.vk);
            EXPECT_EQ(layout.oemKeyScan(plain), std::uint32_t{key.scan});
            EXPECT_EQ(layout.oemKeyScan(shift), 0x10000u | key.scan);
            EXPECT_EQ(layout.mapVirtualKey(key.vk), std::uint32_t{key.scan});
            EXPECT_EQ(layout.charToOem(shift), shift);
            const std::string shifts(1, row.shifted[k]);
            EXPECT_EQ(push(std::string(1, row.plain[k])).events, tap(key));
            EXPECT_EQ(push("{" + shifts + "}").events, shifted(key)) << shifts;
            // "~", "%", "^", "+" and "{" mean something else outside braces, and "}" alone is
            // typed on its key as it stands.
            if (std::string_view("~%^+{}").find(shifts) == std::string_view::npos) {
                EXPECT_EQ(push(shifts).events, shifted(key)) << shifts;
            }
        }
    }
    // Control characters: a key of their own, or Ctrl (0x200) with a letter or sign; their
    // OEM characters are pictures that no key types, NUL aside.
    using Control = std::tuple<char, int, std::uint32_t>;
    for (const auto& [character, virtualKey, scanCode] :
         {Control{' ', 0x20, 0x39}, Control{'\0', 0x332, 0x30003}, Control{'\x01', 0x241, ~0u},
          Control{'\x1A', 0x25A, ~0u}, Control{'\b', 0x08, ~0u}, Control{'\t', 0x09, ~0u},
          Control{'\n', 0x20D, ~0u}, Control{'\r', 0x0D, ~0u}, Control{'\x03', 0x03, ~0u},
          Control{'\x1B', 0x1B, ~0u}, Control{'\x1C', 0x2DC, ~0u}, Control{'\x1D', 0x2DD, ~0u},
          Control{'\x1E', 0x336, ~0u}, Control{'\x1F', 0x3BD, ~0u}, Control{'\x7F', 0x208, ~0u}}) {
        SCOPED_TRACE(int{character});
        EXPECT_EQ(layout.vkKeyScan(static_cast<unsigned char>(character)), virtualKey);
        EXPECT_EQ(layout.oemKeyScan(static_cast<unsigned char>(character)), scanCode);
    }
    // Beyond ASCII no key types a character; CharToOemA takes the closest OEM character.
    for (int c = 0x80; c < 0x100; ++c) {
        EXPECT_EQ(layout.vkKeyScan(static_cast<unsigned char>(c)), 0xFFFF) << c;
        EXPECT_EQ(layout.oemKeyScan(static_cast<std::uint16_t>(c)), ~0u) << c;
    }
    for (const auto& [ansi, oem] :
         {std::pair{0xC0, 0x41}, {0xE9, 0x82}, {0xA7, 0x15}, {0x80, 0x3F}})
        EXPECT_EQ(layout.charToOem(static_cast<unsigned char>(ansi)), oem) << ansi;
    // The keys without a character, as runs of virtual keys from the first.
    using namespace std::string_view_literals;
    using Run = std::pair<std::uint32_t, std::string_view>;
    for (const auto& [firstVirtualKey, scanCodes] :
         {Run{0x03, "\x46"sv}, Run{0x07, "\0\x0E\x0F\0\0\x4C\x1C"sv},
          Run{0x10, "\x2A\x1D\x38\0\x3A"sv}, Run{0x1B, "\x01"sv},
          Run{0x21, "\x49\x51\x4F\x47\x4B\x48\x4D\x50"sv}, Run{0x2C, "\x54\x52\x53\x63"sv},
          Run{0x60, "\x52\x4F\x50\x51\x4B\x4C\x4D\x47\x48\x49\x37\x4E\0\x4A\x53\x35"sv},
          Run{0x70, "\x3B\x3C\x3D\x3E\x3F\x40\x41\x42\x43\x44\x57\x58"sv},
          Run{0x7C, "\x64\x65\x66\x67\x68\x69\x6A\x6B\x6C\x6D\x6E\x76"sv}, Run{0x90, "\x45\x46"sv},
          Run{0xA0, "\x2A\x36\x1D\x1D\x38\x38"sv}, Run{0xE2, "\x56"sv}, Run{0xFF, "\0"sv}}) {
        for (std::size_t k = 0; k < scanCodes.size(); ++k)
            EXPECT_EQ(layout.mapVirtualKey(firstVirtualKey + static_cast<std::uint32_t>(k)),
                      static_cast<unsigned char>(scanCodes[k]))
                << std::hex << firstVirtualKey + k;
    }
    EXPECT_EQ(layout.mapVirtualKey(0x141), 0u) << "no virtual key beyond a byte";
}

} // namespace
