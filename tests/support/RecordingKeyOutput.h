// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/platform/KeyOutput.h"

#include <ios>
#include <ostream>
#include <vector>

// Shows an event as "0x41/0x1E down" when a test fails.
inline void PrintTo(const KeyEvent& event, std::ostream* os) {
    *os << std::hex << std::showbase << int{event.virtualKey} << "/" << int{event.scanCode}
        << std::dec << (event.keyUp ? " up" : " down");
}

// Records every key event in order.
class RecordingKeyOutput final : public KeyOutput {
public:
    void send(const KeyEvent& event) override { events.push_back(event); }
    bool isAvailable() const override { return available; }

    std::vector<KeyEvent> events;
    bool available = true;
};
