// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

class Clock;
class KeyOutput;
class KeyboardLayout;

// The Windows virtual keys of the modifiers.
namespace vk {
constexpr std::uint8_t shift = 0x10;
constexpr std::uint8_t control = 0x11;
constexpr std::uint8_t menu = 0x12; // Alt
} // namespace vk

// The key-string language and the key events it turns into.
//
// A key string such as "{F2}", "a" or "+(ab)" is read from left to right: plain characters
// are typed, "+", "^" and "%" put Shift, Ctrl or Alt on the next character or bracketed
// group, "{NAME}" and "{NAME n}" press a named key (n times), and "~" presses Enter.
// Each character or key becomes down and up events with a Windows virtual key and scan code,
// taken from the keyboard layout, sent to the key output in order.
//
// The key string may come from a settings file, so one key string does a bounded amount of
// work whatever it holds: repetitions nest (a name repeated n times may hold a name repeated
// m times), and unbounded they would multiply into years of key presses or pauses.
class ModPushKeys {
public:
    // Every event, every repetition and every character read uses up one step; a key string
    // stops typing when its steps are spent (keys already down are still released). Enough
    // for '{PAUSE 32767}', the default key repeated as often as a count allows.
    static constexpr std::int64_t kMaxStepsPerKeyString = 1 << 20;
    // Pauses of one key string add up to at most the longest one '{SLEEP n}' can ask for.
    static constexpr std::chrono::milliseconds kMaxPausePerKeyString{32767LL * 1000};
    // Groups and names typed as text nest at most this deep; a deeper one types nothing.
    static constexpr int kMaxNesting = 32;

    ModPushKeys(KeyOutput& output, const KeyboardLayout& layout, Clock& clock);

    // Types a whole key string; returns when every event is out and every pause is over.
    void PushKeys(const std::string& keys);
    // The name between a pair of braces, with an optional count after its last space.
    void PushNamedKey(const std::string& name);
    void TapKey(std::uint8_t virtualKey, std::uint8_t scanCode);
    void KeyDown(std::uint8_t virtualKey);
    void KeyUp(std::uint8_t virtualKey);
    // One character on its key, whatever modifiers are down.
    void PushChar(char c);
    // One character with Shift down around it, unless a group already holds Shift.
    void PushShiftedChar(char c);

    // Set while a modifier group holds the modifier down; every key string, the nested ones
    // of groups and unknown names included, starts with all three cleared.
    bool ShiftHeld = false;
    bool CtrlHeld = false;
    bool AltHeld = false;

private:
    // Opens the budget of a whole key string at the outermost call.
    class KeyStringScope;

    void pushKeyText(const std::string& keys);
    // Spends a step on one more repetition of a count; false when none is left.
    bool nextRepetition();
    std::size_t pushModified(const std::string& text, std::size_t prefix);
    std::size_t pushBraceGroup(const std::string& text, std::size_t brace);
    void send(std::uint8_t virtualKey, std::uint8_t scanCode, bool keyUp);
    std::uint8_t scanCodeOf(std::uint8_t virtualKey) const;

    KeyOutput& m_output;
    const KeyboardLayout& m_layout;
    Clock& m_clock;
    bool m_inKeyString = false;
    int m_depth = 0;
    std::int64_t m_stepsLeft = 0;
    std::chrono::milliseconds m_pauseLeft{};
};
