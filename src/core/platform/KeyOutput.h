// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// One synthesised key event: a Windows virtual key, its scan code, and down or up.
struct KeyEvent {
    std::uint8_t virtualKey = 0;
    std::uint8_t scanCode = 0;
    bool keyUp = false;

    friend bool operator==(const KeyEvent&, const KeyEvent&) = default;
};

// Puts key events into the system's keyboard input, for the window that has the focus.
class KeyOutput {
public:
    virtual ~KeyOutput() = default;
    // Called before each key string, so an output can follow a change of keyboard layout.
    virtual void beginSequence() {}
    virtual void send(const KeyEvent& event) = 0;
    // False when no event can reach any window (no display, no XTEST); such an output
    // emits nothing.
    virtual bool isAvailable() const = 0;
};
