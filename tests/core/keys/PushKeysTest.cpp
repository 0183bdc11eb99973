#include "core/keys/ModPushKeys.h"
#include "core/keys/UsKeyboardLayout.h"
#include "support/FakeClock.h"
#include "support/RecordingKeyOutput.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include "platform/win/WinKeyboardLayout.h"
#endif

#include <chrono>
#include <set>
#include <string>
#include <vector>

namespace {

using namespace std::chrono_literals;
using Events = std::vector<KeyEvent>;

// A key of the US layout: virtual key and scan code.
struct Key {
    std::uint8_t vk;
    std::uint8_t scan;
};

constexpr Key Shift{0x10, 0x2A}, Ctrl{0x11, 0x1D}, Alt{0x12, 0x38};
constexpr Key F1{0x70, 0x3B}, F2{0x71, 0x3C}, F4{0x73, 0x3E}, F12{0x7B, 0x58};
constexpr Key Enter{0x0D, 0x1C}, LineFeed{0x0A, 0x00}, PageDown{0x22, 0x51}, Space{0x20, 0x39};
constexpr Key A{0x41, 0x1E}, B{0x42, 0x30}, C{0x43, 0x2E}, E{0x45, 0x12}, F{0x46, 0x21},
    K{0x4B, 0x25}, P{0x50, 0x19}, S{0x53, 0x1F}, U{0x55, 0x16};
constexpr Key Zero{0x30, 0x0B}, One{0x31, 0x02}, Two{0x32, 0x03}, Five{0x35, 0x06},
    Nine{0x39, 0x0A};
constexpr Key Grave{0xC0, 0x29}, Minus{0xBD, 0x0C}, Equals{0xBB, 0x0D}, LeftBracket{0xDB, 0x1A},
    RightBracket{0xDD, 0x1B};
constexpr Key NoKey{0xFF, 0xFF};

Events down(Key k) {
    return {KeyEvent{k.vk, k.scan, false}};
}
Events up(Key k) {
    return {KeyEvent{k.vk, k.scan, true}};
}
Events tap(Key k) {
    return {KeyEvent{k.vk, k.scan, false}, KeyEvent{k.vk, k.scan, true}};
}
Events operator+(Events a, const Events& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}
Events shifted(Key k) {
    return down(Shift) + tap(k) + up(Shift);
}
Events times(int n, const Events& e) {
    Events all;
    for (int i = 0; i < n; ++i)
        all = all + e;
    return all;
}
const Events kPause = shifted(P) + shifted(A) + shifted(U) + shifted(S) + shifted(E);

struct Case {
    std::string keys;
    Events expected;
    std::vector<std::chrono::milliseconds> sleeps = {};
};

// The events expected below are those of the US layout. On Windows the lookups are the
// system's own calls (a US layout under the test script), which the expectations thus
// check the table against.
#ifdef _WIN32
using SystemKeyboardLayout = WinKeyboardLayout;
#else
using SystemKeyboardLayout = UsKeyboardLayout;
#endif

class PushKeysTest : public testing::Test {
protected:
    // Pushes each row's key string and compares the events and pauses that come out.
    void expectRows(const std::vector<Case>& rows) {
        for (const Case& row : rows) {
            RecordingKeyOutput rowOutput;
            FakeClock rowClock;
            ModPushKeys(rowOutput, layout, rowClock).PushKeys(row.keys);
            EXPECT_EQ(rowOutput.events, row.expected) << "'" << row.keys << "'";
            EXPECT_EQ(rowClock.sleeps, row.sleeps) << "'" << row.keys << "'";
        }
    }

    RecordingKeyOutput output;
    SystemKeyboardLayout layout;
    FakeClock clock;
    ModPushKeys keys{output, layout, clock};
};

TEST_F(PushKeysTest, NamedKeysAndTextInBraces) {
    expectRows({Case{"", {}}, Case{"{f12}", tap(F12)}, Case{"{F2}", tap(F2)}, Case{"~", tap(Enter)},
                Case{"{NEWLINE 2}", times(2, tap(Enter) + tap(LineFeed))}, Case{"{F1", tap(F1)},
                Case{"{}", {}},
                // Not a name: typed as text.
                Case{"{PAUSE}", kPause}, Case{"{abc}", tap(A) + tap(B) + tap(C)},
                Case{"{F25}", shifted(F) + tap(Two) + tap(Five)},
                Case{"{Abc 2}", times(2, shifted(A) + tap(B) + tap(C))},
                // Punctuation names are typed with Shift.
                Case{"{~}", shifted(Grave)}, Case{"{{}", shifted(LeftBracket)},
                Case{"{%}", shifted(Five)}, Case{"{+ 2}", times(2, shifted(Equals))},
                Case{"{}}", shifted(RightBracket)}, Case{"{X}}", shifted(RightBracket)}});
}

TEST_F(PushKeysTest, CountsAndPauses) {
    expectRows({Case{"{F1 3}", times(3, tap(F1))}, Case{"{F1 0}", {}}, Case{"{F1 -2}", {}},
                Case{"{F1 +2}", times(2, tap(F1))}, Case{"{F1 007}", times(7, tap(F1))},
                // Anything but a signed run of decimal digits within 16 bits counts 1.
                Case{"{F1 x}", tap(F1)}, Case{"{F1 32768}", tap(F1)}, Case{"{F1 2.0}", tap(F1)},
                Case{"{F1 -}", tap(F1)},
                // The count follows the last space: "F1 " is no name, so it is typed.
                Case{"{F1  3}", times(3, shifted(F) + tap(One) + tap(Space))},
                // Pauses go through the clock; zero and negative counts pause not at all.
                Case{"a{SLEEP 2}", tap(A), {2000ms}}, Case{"{sleep x}", {}, {1000ms}},
                Case{"{SLEEP 32767}", {}, {32767000ms}}, Case{"{SLEEP 0}", {}},
                Case{"{SLEEP -32768}", {}}});
}

TEST_F(PushKeysTest, Characters) {
    expectRows({Case{"k9", tap(K) + tap(Nine)}, Case{"A", shifted(A)}, Case{"}", tap(RightBracket)},
                Case{"(@_", shifted(Nine) + shifted(Two) + shifted(Minus)},
                // No key of the layout types it: the failure codes are sent as they are.
                Case{"\xE9", tap(NoKey)},
                // The scan code of "A", the closest OEM character to "À".
                Case{"\xC0", tap({NoKey.vk, A.scan})},
                // A tab has a key, but its OEM character is a picture that none types.
                Case{"\t", tap({0x09, NoKey.scan})}});
}

TEST_F(PushKeysTest, Modifiers) {
    expectRows(
        {Case{"+a", shifted(A)}, Case{"^A", down(Ctrl) + tap(A) + up(Ctrl)},
         Case{"%a", down(Alt) + tap(A) + up(Alt)}, Case{"^{F4}", down(Ctrl) + tap(F4) + up(Ctrl)},
         // The prefix at the end applies to the trailing space.
         Case{"a+", tap(A) + shifted(Space)},
         // A prefix takes "~" as a character.
         Case{"+~", shifted(Grave)},
         // Prefixes do not combine: "^" types "+" as a plain character.
         Case{"^+a", down(Ctrl) + tap(Equals) + up(Ctrl) + tap(A)},
         // The inner Shift release ends the hold before "c".
         Case{"+(aBc)", down(Shift) + tap(A) + shifted(B) + tap(C) + up(Shift)},
         // The held Shift serves a shifted name.
         Case{"+{~}", down(Shift) + tap(Grave) + up(Shift)},
         Case{"%(^{F4})", down(Alt) + down(Ctrl) + tap(F4) + up(Ctrl) + up(Alt)},
         // Nested brackets stay in the group, where "(" and ")" are typed.
         Case{"+((a)b)", down(Shift) + shifted(Nine) + tap(A) + shifted(Zero) + tap(B) + up(Shift)},
         // A group never closed takes the rest, the trailing space included.
         Case{"+(ab", down(Shift) + tap(A) + tap(B) + tap(Space) + up(Shift)}});
}

struct NamedKey {
    std::vector<std::string> names;
    Key key;
};

TEST_F(PushKeysTest, EveryNameTapsItsKey) {
    // clang-format off
    const NamedKey table[] = {
        {{"BACKSPACE", "BS", "BKSP"}, {0x08, 0x0E}}, {{"BELL"}, {0x07, 0x00}},
        {{"BREAK"}, {0x03, 0x46}}, {{"CAPSLOCK", "CAPS"}, {0x14, 0x3A}},
        {{"DELETE", "DEL"}, {0x2E, 0x53}}, {{"END"}, {0x23, 0x4F}},
        {{"DOWN", "DOWNARROW"}, {0x28, 0x50}}, {{"ENTER", "RETURN"}, Enter},
        {{"HOME"}, {0x24, 0x47}}, {{"ESCAPE", "ESC"}, {0x1B, 0x01}},
        {{"FORMFEED", "FF"}, {0x0C, 0x4C}}, {{"HELP"}, {0x2F, 0x63}},
        {{"INSERT", "INS"}, {0x2D, 0x52}}, {{"LEFT", "LEFTARROW"}, {0x25, 0x4B}},
        {{"TAB"}, {0x09, 0x0F}}, {{"LINEFEED", "LF"}, LineFeed}, {{"NUMLOCK"}, {0x90, 0x45}},
        {{"UP", "UPARROW"}, {0x26, 0x48}}, {{"PGDN", "PAGEDOWN", "NEXT"}, PageDown},
        {{"PGUP", "PAGEUP", "PRIOR"}, {0x21, 0x49}}, {{"PRINTSCREEN", "PRTSC"}, {0x2A, 0x00}},
        {{"RIGHT", "RIGHTARROW"}, {0x27, 0x4D}}, {{"SCROLLLOCK", "SCRLK"}, {0x91, 0x46}},
        {{"F1"}, F1}, {{"F11"}, {0x7A, 0x57}}, {{"F13"}, {0x7C, 0x64}}, {{"F24"}, {0x87, 0x76}},
        {{"NUMPAD0"}, {0x60, 0x52}}, {{"NUMPAD9"}, {0x69, 0x49}},
        {{"NUMPADMULTIPLY", "NUMPAD*"}, {0x6A, 0x37}}, {{"NUMPADADD", "NUMPAD+"}, {0x6B, 0x4E}},
        {{"NUMPADSUBTRACT", "NUMPAD-"}, {0x6D, 0x4A}}, {{"NUMPADDECIMAL", "NUMPAD."}, {0x6E, 0x53}},
        {{"NUMPADDIVIDE", "NUMPAD/"}, {0x6F, 0x35}}};
    // clang-format on
    for (const NamedKey& row : table) {
        for (const std::string& name : row.names) {
            output.events.clear();
            keys.PushKeys("{" + name + "}");
            EXPECT_EQ(output.events, tap(row.key)) << name;
        }
    }
}

std::string nestedGroups(int depth) {
    std::string nested;
    for (int i = 0; i < depth; ++i)
        nested += "+(";
    return nested + "a";
}

// A key string from a settings file can be anything. Repetitions nest, and unbounded they
// would multiply into years of key presses or pauses, or recurse until the stack runs out:
// repeated names inside repeated names, repetitions that type nothing, repeated pauses, a
// repeated group under Shift, and names and groups nested far too deep.
TEST_F(PushKeysTest, HostileKeyStringsEndWithinTheirBudgetAndReleaseEveryKey) {
    for (const std::string& hostile :
         {std::string("{{{x 32767 32767 32767}"), std::string("{{{x 0 32767 32767 32767}"),
          std::string("{{SLEEP 32767 32767}"), std::string("{+({x 32767}) 32767}"),
          std::string(100000, '{'), nestedGroups(50000)}) {
        RecordingKeyOutput rowOutput;
        FakeClock rowClock;
        ModPushKeys(rowOutput, layout, rowClock).PushKeys(hostile);
        const std::string shown = hostile.substr(0, 30);
        EXPECT_LE(static_cast<std::int64_t>(rowOutput.events.size()),
                  ModPushKeys::kMaxStepsPerKeyString + 6 * ModPushKeys::kMaxNesting + 6)
            << shown;
        std::chrono::milliseconds paused{};
        for (const auto pause : rowClock.sleeps)
            paused += pause;
        EXPECT_LE(paused, ModPushKeys::kMaxPausePerKeyString) << shown;
        std::set<std::uint8_t> held;
        for (const KeyEvent& event : rowOutput.events) {
            if (event.keyUp)
                held.erase(event.virtualKey);
            else
                held.insert(event.virtualKey);
        }
        EXPECT_TRUE(held.empty()) << shown << ": a key is left held down";
    }
}

TEST_F(PushKeysTest, TheBudgetLeavesTheLongestRepetitionOfTheDefaultKeyWhole) {
    keys.PushKeys("{PAUSE 32767}");
    ASSERT_EQ(output.events.size(), 32767 * kPause.size());
    EXPECT_EQ(Events(output.events.end() - static_cast<std::ptrdiff_t>(kPause.size()),
                     output.events.end()),
              kPause);
}

// The layout's own answer for a character: its key, and Shift in the high byte, as
// VkKeyScanA gives it for the US layout.
TEST(KeyboardLayoutTest, CharactersHaveTheirKeyAndShiftState) {
    const SystemKeyboardLayout layout;
    for (const auto& [character, expected] : {std::pair{'a', 0x41},
                                              {'A', 0x141},
                                              {'z', 0x5A},
                                              {')', 0x130},
                                              {'@', 0x132},
                                              {'_', 0x1BD},
                                              {'=', 0xBB},
                                              {'|', 0x1DC},
                                              {':', 0x1BA},
                                              {'\'', 0xDE},
                                              {'?', 0x1BF},
                                              {'~', 0x1C0}})
        EXPECT_EQ(layout.vkKeyScan(static_cast<unsigned char>(character)), expected) << character;
}

} // namespace
