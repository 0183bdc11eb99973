// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/win/WinKeyOutput.h"

#include <windows.h>

void WinKeyOutput::send(const KeyEvent& event) {
    // Never KEYEVENTF_EXTENDEDKEY, and no extra information.
    keybd_event(event.virtualKey, event.scanCode, event.keyUp ? KEYEVENTF_KEYUP : 0, 0);
}
