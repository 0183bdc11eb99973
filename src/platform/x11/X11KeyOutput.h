// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/platform/KeyOutput.h"

#include <array>
#include <cstdint>
#include <optional>
#include <unordered_map>

struct _XDisplay;

// Key events into the X server through the XTEST extension, for the window that has the
// keyboard focus.
//
// A virtual key becomes the X keysym a US keyboard gives for it, and the keysym becomes the
// key that carries it in the server's current keyboard map, so letters arrive as the letters
// asked for under any layout. A keysym that no key carries is not sent at all.
class X11KeyOutput final : public KeyOutput {
public:
    // Connects to the display named by DISPLAY; without one, or without XTEST, the output
    // is unavailable.
    X11KeyOutput();
    ~X11KeyOutput() override;
    X11KeyOutput(const X11KeyOutput&) = delete;
    X11KeyOutput& operator=(const X11KeyOutput&) = delete;

    // Reads the keyboard map afresh, so a change of layout is followed.
    void beginSequence() override;
    void send(const KeyEvent& event) override;
    bool isAvailable() const override { return m_display != nullptr; }

private:
    using KeySym = unsigned long;
    using KeyCode = unsigned char;
    using KeyTable = std::unordered_map<KeySym, KeyCode>;

    struct Pressed {
        KeyCode keyCode;
        // Shift was pressed or released for this key alone, to reach the level of its
        // keysym; it is put back when the key is released.
        bool shiftFlipped;
    };

    void press(std::uint8_t virtualKey);
    void release(std::uint8_t virtualKey);
    // The key with the keysym at its plain level, else at any level.
    std::optional<KeyCode> keyCarrying(KeySym keySym) const;
    bool shiftIsDown() const;
    void fake(KeyCode keyCode, bool down);

    _XDisplay* m_display = nullptr;
    // Key codes by keysym in the current group: at the level without modifiers, at the level
    // Shift selects, and at any level.
    KeyTable m_plainLevel;
    KeyTable m_shiftLevel;
    KeyTable m_anyLevel;
    // The key each virtual key pressed, so its release goes to the same key.
    std::array<std::optional<Pressed>, 256> m_pressed;
};
