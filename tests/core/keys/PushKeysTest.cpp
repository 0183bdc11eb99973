#include "core/keys/ModPushKeys.h"
#include "core/keys/UsKeyboardLayout.h"
#include "support/FakeClock.h"
#include "support/RecordingKeyOutput.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include "platform/win/WinKeyboardLayout.h"
#endif

#include <chrono>
#include <ostream>
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

void PrintTo(const Case& c, std::ostream* os) {
    *os << "'" << c.keys << "'";
}

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
    RecordingKeyOutput output;
    SystemKeyboardLayout layout;
    FakeClock clock;
    ModPushKeys keys{output, layout, clock};
};

class KeyStringTest : public PushKeysTest, public testing::WithParamInterface<Case> {};

TEST_P(KeyStringTest, EmitsTheExactEventsAndPauses) {
    keys.PushKeys(GetParam().keys);
    EXPECT_EQ(output.events, GetParam().expected);
    EXPECT_EQ(clock.sleeps, GetParam().sleeps);
}

INSTANTIATE_TEST_SUITE_P(
    NamedKeys, KeyStringTest,
    testing::Values(Case{"", {}}, Case{"{f12}", tap(F12)}, Case{"{F2}", tap(F2)},
                    Case{"~", tap(Enter)},
                    Case{"{NEWLINE 2}", times(2, tap(Enter) + tap(LineFeed))}, Case{"{F1", tap(F1)},
                    Case{"{}", {}},
                    // Not a name: typed as text.
                    Case{"{PAUSE}", kPause}, Case{"{abc}", tap(A) + tap(B) + tap(C)},
                    Case{"{F25}", shifted(F) + tap(Two) + tap(Five)},
                    Case{"{Abc 2}", times(2, shifted(A) + tap(B) + tap(C))},
                    // Punctuation names are typed with Shift.
                    Case{"{~}", shifted(Grave)}, Case{"{{}", shifted(LeftBracket)},
                    Case{"{%}", shifted(Five)}, Case{"{+ 2}", times(2, shifted(Equals))},
                    Case{"{}}", shifted(RightBracket)}, Case{"{X}}", shifted(RightBracket)}));

INSTANTIATE_TEST_SUITE_P(
    Counts, KeyStringTest,
    testing::Values(Case{"{F1 3}", times(3, tap(F1))}, Case{"{F1 0}", {}}, Case{"{F1 -2}", {}},
                    Case{"{F1 +2}", times(2, tap(F1))}, Case{"{F1 007}", times(7, tap(F1))},
                    // Anything but a signed run of decimal digits within 16 bits counts 1.
                    Case{"{F1 x}", tap(F1)}, Case{"{F1 32768}", tap(F1)}, Case{"{F1 2.0}", tap(F1)},
                    Case{"{F1 -}", tap(F1)},
                    // The count follows the last space: "F1 " is no name, so it is typed.
                    Case{"{F1  3}", times(3, shifted(F) + tap(One) + tap(Space))},
                    // Pauses go through the clock; zero and negative counts pause not at all.
                    Case{"a{SLEEP 2}", tap(A), {2000ms}}, Case{"{sleep x}", {}, {1000ms}},
                    Case{"{SLEEP 32767}", {}, {32767000ms}}, Case{"{SLEEP 0}", {}},
                    Case{"{SLEEP -32768}", {}}));

INSTANTIATE_TEST_SUITE_P(
    Characters, KeyStringTest,
    testing::Values(Case{"k9", tap(K) + tap(Nine)}, Case{"A", shifted(A)},
                    Case{"}", tap(RightBracket)},
                    Case{"(@_", shifted(Nine) + shifted(Two) + shifted(Minus)},
                    // No key of the layout types it: the failure codes are sent as they are.
                    Case{"\xE9", tap(NoKey)},
                    // The scan code of "A", the closest OEM character to "À".
                    Case{"\xC0", tap({NoKey.vk, A.scan})},
                    // A tab has a key, but its OEM character is a picture that none types.
                    Case{"\t", tap({0x09, NoKey.scan})}));

INSTANTIATE_TEST_SUITE_P(
    Modifiers, KeyStringTest,
    testing::Values(Case{"+a", shifted(A)}, Case{"^A", down(Ctrl) + tap(A) + up(Ctrl)},
                    Case{"%a", down(Alt) + tap(A) + up(Alt)},
                    Case{"^{F4}", down(Ctrl) + tap(F4) + up(Ctrl)},
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
                    Case{"+((a)b)",
                         down(Shift) + shifted(Nine) + tap(A) + shifted(Zero) + tap(B) + up(Shift)},
                    // A group never closed takes the rest, the trailing space included.
                    Case{"+(ab", down(Shift) + tap(A) + tap(B) + tap(Space) + up(Shift)}));

struct NamedKey {
    std::vector<std::string> names;
    Key key;
};

void PrintTo(const NamedKey& k, std::ostream* os) {
    *os << k.names.front();
}

class KeyNameTest : public PushKeysTest, public testing::WithParamInterface<NamedKey> {};

TEST_P(KeyNameTest, EveryNameTapsItsKey) {
    for (const std::string& name : GetParam().names) {
        output.events.clear();
        keys.PushKeys("{" + name + "}");
        EXPECT_EQ(output.events, tap(GetParam().key)) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, KeyNameTest,
    testing::Values(
        NamedKey{{"BACKSPACE", "BS", "BKSP"}, {0x08, 0x0E}}, NamedKey{{"BELL"}, {0x07, 0x00}},
        NamedKey{{"BREAK"}, {0x03, 0x46}}, NamedKey{{"CAPSLOCK", "CAPS"}, {0x14, 0x3A}},
        NamedKey{{"DELETE", "DEL"}, {0x2E, 0x53}}, NamedKey{{"DOWN", "DOWNARROW"}, {0x28, 0x50}},
        NamedKey{{"END"}, {0x23, 0x4F}}, NamedKey{{"ENTER", "RETURN"}, Enter},
        NamedKey{{"ESCAPE", "ESC"}, {0x1B, 0x01}}, NamedKey{{"FORMFEED", "FF"}, {0x0C, 0x4C}},
        NamedKey{{"HELP"}, {0x2F, 0x63}}, NamedKey{{"HOME"}, {0x24, 0x47}},
        NamedKey{{"INSERT", "INS"}, {0x2D, 0x52}}, NamedKey{{"LEFT", "LEFTARROW"}, {0x25, 0x4B}},
        NamedKey{{"LINEFEED", "LF"}, LineFeed}, NamedKey{{"NUMLOCK"}, {0x90, 0x45}},
        NamedKey{{"PGDN", "PAGEDOWN", "NEXT"}, PageDown},
        NamedKey{{"PGUP", "PAGEUP", "PRIOR"}, {0x21, 0x49}},
        NamedKey{{"PRINTSCREEN", "PRTSC"}, {0x2A, 0x00}},
        NamedKey{{"RIGHT", "RIGHTARROW"}, {0x27, 0x4D}},
        NamedKey{{"SCROLLLOCK", "SCRLK"}, {0x91, 0x46}}, NamedKey{{"TAB"}, {0x09, 0x0F}},
        NamedKey{{"UP", "UPARROW"}, {0x26, 0x48}}, NamedKey{{"F1"}, F1},
        NamedKey{{"F11"}, {0x7A, 0x57}}, NamedKey{{"F13"}, {0x7C, 0x64}},
        NamedKey{{"F24"}, {0x87, 0x76}}, NamedKey{{"NUMPAD0"}, {0x60, 0x52}},
        NamedKey{{"NUMPAD9"}, {0x69, 0x49}}, NamedKey{{"NUMPADMULTIPLY", "NUMPAD*"}, {0x6A, 0x37}},
        NamedKey{{"NUMPADADD", "NUMPAD+"}, {0x6B, 0x4E}},
        NamedKey{{"NUMPADSUBTRACT", "NUMPAD-"}, {0x6D, 0x4A}},
        NamedKey{{"NUMPADDECIMAL", "NUMPAD."}, {0x6E, 0x53}},
        NamedKey{{"NUMPADDIVIDE", "NUMPAD/"}, {0x6F, 0x35}}));

// A key string from a settings file can be anything. Repetitions nest, and unbounded they
// would multiply into years of key presses or pauses, or recurse until the stack runs out.
struct Hostile {
    std::string keys;
};

void PrintTo(const Hostile& h, std::ostream* os) {
    *os << "'" << h.keys.substr(0, 40) << "'";
}

class HostileKeyStringTest : public PushKeysTest, public testing::WithParamInterface<Hostile> {};

TEST_P(HostileKeyStringTest, EndsWithinItsBudgetAndReleasesEveryKey) {
    keys.PushKeys(GetParam().keys);
    EXPECT_LE(static_cast<std::int64_t>(output.events.size()),
              ModPushKeys::kMaxStepsPerKeyString + 6 * ModPushKeys::kMaxNesting + 6);
    std::chrono::milliseconds paused{};
    for (const auto pause : clock.sleeps)
        paused += pause;
    EXPECT_LE(paused, ModPushKeys::kMaxPausePerKeyString);
    std::set<std::uint8_t> held;
    for (const KeyEvent& event : output.events) {
        if (event.keyUp)
            held.erase(event.virtualKey);
        else
            held.insert(event.virtualKey);
    }
    EXPECT_TRUE(held.empty()) << "a key is left held down";
}

std::string nestedGroups(int depth) {
    std::string nested;
    for (int i = 0; i < depth; ++i)
        nested += "+(";
    return nested + "a";
}

// Repeated names inside repeated names, repetitions that type nothing, repeated pauses, a
// repeated group under Shift, and names and groups nested far too deep.
INSTANTIATE_TEST_SUITE_P(
    Nesting, HostileKeyStringTest,
    testing::Values(Hostile{"{{{x 32767 32767 32767}"}, Hostile{"{{{x 0 32767 32767 32767}"},
                    Hostile{"{{SLEEP 32767 32767}"}, Hostile{"{+({x 32767}) 32767}"},
                    Hostile{std::string(100000, '{')}, Hostile{nestedGroups(50000)}));

TEST_F(PushKeysTest, TheBudgetLeavesTheLongestRepetitionOfTheDefaultKeyWhole) {
    keys.PushKeys("{PAUSE 32767}");
    ASSERT_EQ(output.events.size(), 32767 * kPause.size());
    EXPECT_EQ(Events(output.events.end() - static_cast<std::ptrdiff_t>(kPause.size()),
                     output.events.end()),
              kPause);
}

} // namespace
