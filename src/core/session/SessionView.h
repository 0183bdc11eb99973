// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// What the windows show of a monitoring session. The main window implements it, passing
// the tray's part on to the tray.
class SessionView {
public:
    virtual ~SessionView() = default;
    // The text of `lblLength`.
    virtual void showLogSize(const std::string& text) = 0;
    // Running: Stop enabled and Start disabled; idle: the other way round.
    virtual void showRunning(bool running) = 0;
    // Every pass hides the main window, so the game keeps the screen.
    virtual void hideMainWindow() = 0;
    // The tray icon's animation, on while a session runs.
    virtual void animateTray(bool on) = 0;
};
