// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/platform/KeyOutput.h"

// Key events into the system's keyboard input with keybd_event.
class WinKeyOutput final : public KeyOutput {
public:
    void send(const KeyEvent& event) override;
    bool isAvailable() const override { return true; }
};
