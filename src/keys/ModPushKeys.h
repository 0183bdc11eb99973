#pragma once

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
class ModPushKeys {
public:
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
    void pushKeyText(const std::string& keys);
    std::size_t pushModified(const std::string& text, std::size_t prefix);
    std::size_t pushBraceGroup(const std::string& text, std::size_t brace);
    void send(std::uint8_t virtualKey, std::uint8_t scanCode, bool keyUp);
    std::uint8_t scanCodeOf(std::uint8_t virtualKey) const;

    KeyOutput& m_output;
    const KeyboardLayout& m_layout;
    Clock& m_clock;
};
