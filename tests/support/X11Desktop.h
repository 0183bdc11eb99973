// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/Patience.h"

#include <chrono>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// The X server that the test script starts, seen as a desktop: windows found by title, the
// keyboard focus, and a window that records the keys reaching it. No Xlib header here, since
// its macros clash with GoogleTest's names.

// Whether the test script's X server, or the one named, accepts a client.
bool xDisplayAvailable(const std::string& display = {});

// Calls `step` until `done` holds or the time is up: what another process does is awaited.
bool waitFor(const std::function<bool()>& done, std::chrono::milliseconds timeout = kPatience,
             const std::function<void()>& step = {});

// Skips the test when `available` does not hold, or fails it where the test script provides
// everything a test needs (YELPCUE_REQUIRE_X=1).
#define REQUIRE_OR_SKIP(available, missing)                                                        \
    do {                                                                                           \
        if (!(available)) {                                                                        \
            if (const char* required = std::getenv("YELPCUE_REQUIRE_X");                           \
                required && std::string(required) == "1")                                          \
                FAIL() << missing << ", and YELPCUE_REQUIRE_X=1";                                  \
            GTEST_SKIP() << missing;                                                               \
        }                                                                                          \
    } while (false)
#define REQUIRE_X_DISPLAY() REQUIRE_OR_SKIP(xDisplayAvailable(), "no X display")

using Arrivals = std::vector<std::string>;
using WindowId = unsigned long;

struct WindowRect {
    int x, y, width, height;
    bool operator==(const WindowRect&) const = default;
};

// Looks at the desktop through a connection of its own, to the test script's X server or
// to the one named.
class X11Desktop {
public:
    explicit X11Desktop(const std::string& display = {});
    ~X11Desktop();
    X11Desktop(const X11Desktop&) = delete;
    X11Desktop& operator=(const X11Desktop&) = delete;

    // A window on show with exactly this title: a top-level one, or one inside another
    // (a tray icon in a notification area, a window in a window manager's frame).
    std::optional<WindowId> findWindow(const std::string& title, bool embedded = false) const;
    // The same, awaited for as long as kPatience.
    std::optional<WindowId> awaitWindow(const std::string& title, bool embedded = false) const;
    // A top-level window on show that the process with this id says is its own.
    std::optional<WindowId> findWindowOfProcess(int pid) const;
    // Gives the window the keyboard focus and waits until it has it (no window manager here).
    bool focus(WindowId window);
    // Whether top-level window `a` is stacked above `b`.
    bool isAbove(WindowId a, WindowId b) const;
    // Whether a notification area (a system tray) runs on the screen.
    bool hasNotificationArea() const;
    // The pop-up windows on show (menus, tool tips), which bypass the window manager.
    int popupCount() const;
    bool hasWindowManager() const;
    // The place and size of the top-level window holding `window`: its frame, when a window
    // manager has put it into one.
    WindowRect outerRect(WindowId window) const;
    // Asks the window to close, as its close button does.
    void close(WindowId window);
    // Presses and releases a mouse button (1 left, 3 right) over the middle of a window.
    void click(WindowId window, unsigned int button);
    // Presses and releases the key of an X keysym name ("F3", "space") for the focused window.
    void pressKey(const std::string& keysym);

protected:
    struct _XDisplay* m_display;
};

// A window that takes the keyboard focus and records the key events reaching it, each as
// "down A shift ctrl": the keysym a client reads from the event, with the modifiers held.
class KeyReceiver : private X11Desktop {
public:
    KeyReceiver();
    ~KeyReceiver();

    WindowId window() const { return m_window; }
    bool hasFocus() const;
    // Everything that arrived since the last call.
    Arrivals take();

private:
    WindowId m_window = 0;
};
