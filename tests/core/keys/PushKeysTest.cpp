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

constexpr Key Shift{0x10, 0x2A}, Ctrl{0x11, 0x1D}, Alt{0x12, 0x38}, F1{0x70, 0x3B}, F4{0x73, 0x3E},
    Enter{0x0D, 0x1C}, Space{0x20, 0x39}, NoKey{0xFF, 0xFF};
constexpr Key A{0x41, 0x1E}, B{0x42, 0x30}, C{0x43, 0x2E}, E{0x45, 0x12}, F{0x46, 0x21},
    K{0x4B, 0x25}, P{0x50, 0x19}, S{0x53, 0x1F}, U{0x55, 0x16};
constexpr Key Zero{0x30, 0x0B}, One{0x31, 0x02}, Two{0x32, 0x03}, Five{0x35, 0x06},
    Nine{0x39, 0x0A}, Grave{0xC0, 0x29}, Minus{0xBD, 0x0C}, Equals{0xBB, 0x0D},
    LeftBracket{0xDB, 0x1A}, RightBracket{0xDD, 0x1B};

Events down(Key k) {
    return {KeyEvent{k.vk, k.scan, false}};
}
Events up(Key k) {
    return {KeyEvent{k.vk, k.scan, true}};
}
Events operator+(Events a, const Events& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}
Events tap(Key k) {
    return down(k) + up(k);
}
Events shifted(Key k) {
    return down(Shift) + tap(k) + up(Shift);
}
Events times(int n, const Events& e) {
    Events all;
    for (int i = 0; i < n; ++i)
        all.insert(all.end(), e.begin(), e.end());
    return all;
}
const Events kPause = shifted(P) + shifted(A) + shifted(U) + shifted(S) + shifted(E);

// The events expected below are those of the US layout. On Windows the lookups are the
// system's own calls (a US layout under the test script), which the expectations thus
// check the table against.
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
             // Punctuation names are typed with Shift.
             Row{"{~}", shifted(Grave)}, Row{"{{}", shifted(LeftBracket)},
             Row{"{%}", shifted(Five)}, Row{"{+ 2}", times(2, shifted(Equals))},
             Row{"{}}", shifted(RightBracket)}, Row{"{X}}", shifted(RightBracket)},
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
             // Characters; no key of the layout types "é": the failure codes go out as they
             // are. "À" has the scan code of "A", its closest OEM character; a tab has a key,
             // but its OEM character is a picture that none types.
             Row{"k9", tap(K) + tap(Nine)}, Row{"A", shifted(A)}, Row{"}", tap(RightBracket)},
             Row{"(@_", shifted(Nine) + shifted(Two) + shifted(Minus)}, Row{"\xE9", tap(NoKey)},
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
             Row{"+(ab", down(Shift) + tap(A) + tap(B) + tap(Space) + up(Shift)}}) {
        const Pushed pushed = push(row.keys);
        EXPECT_EQ(pushed.events, row.expected) << "'" << row.keys << "'";
        EXPECT_EQ(pushed.sleeps, row.sleeps) << "'" << row.keys << "'";
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
// repeated group under Shift, and names and groups nested far too deep. The budget still
// leaves the longest repetition of the default key whole.
TEST(PushKeysTest, HostileKeyStringsEndWithinTheirBudgetAndReleaseEveryKey) {
    for (const std::string& hostile :
         {std::string("{{{x 32767 32767 32767}"), std::string("{{{x 0 32767 32767 32767}"),
          std::string("{{SLEEP 32767 32767}"), std::string("{+({x 32767}) 32767}"),
          std::string(100000, '{'), nestedGroups(50000)}) {
        const Pushed pushed = push(hostile);
        const std::string shown = hostile.substr(0, 30);
        EXPECT_LE(static_cast<std::int64_t>(pushed.events.size()),
                  ModPushKeys::kMaxStepsPerKeyString + 6 * ModPushKeys::kMaxNesting + 6)
            << shown;
        std::chrono::milliseconds paused{};
        for (const auto pause : pushed.sleeps)
            paused += pause;
        EXPECT_LE(paused, ModPushKeys::kMaxPausePerKeyString) << shown;
        std::set<std::uint8_t> held;
        for (const KeyEvent& event : pushed.events) {
            if (event.keyUp)
                held.erase(event.virtualKey);
            else
                held.insert(event.virtualKey);
        }
        EXPECT_TRUE(held.empty()) << shown << ": a key is left held down";
    }
    EXPECT_EQ(push("{PAUSE 32767}").events, times(32767, kPause));
}

// The layout's own answer for a character: its key, and Shift in the high byte, as
// VkKeyScanA gives it for the US layout.
TEST(KeyboardLayoutTest, CharactersHaveTheirKeyAndShiftState) {
    const SystemKeyboardLayout layout;
    for (const auto& [character, expected] : {std::pair{'a', 0x41},
                                              {'A', 0x141},
                                              {')', 0x130},
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
