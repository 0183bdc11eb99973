// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/platform/KeyOutput.h"
#include "support/Patience.h"

#include <vector>
#include <windows.h>

// Key messages that reached a window.
struct KeyArrivals {
    std::vector<KeyEvent> events;
    int extended = 0; // how many carried the extended-key flag
};

// A window of this thread that takes the keyboard focus and reads the key messages that
// reach it, without dispatching them (so Alt does not open a menu). Under Wine it needs the
// test script's display-less graphics driver.
class WinKeyReceiver {
public:
    WinKeyReceiver() {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "YelpcueKeyReceiver";
        RegisterClassA(&windowClass);
        m_window = CreateWindowA(windowClass.lpszClassName, "Key receiver",
                                 WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr,
                                 windowClass.hInstance, nullptr);
        if (m_window) {
            SetForegroundWindow(m_window);
            SetFocus(m_window);
        }
    }
    ~WinKeyReceiver() {
        if (m_window)
            DestroyWindow(m_window);
    }
    WinKeyReceiver(const WinKeyReceiver&) = delete;
    WinKeyReceiver& operator=(const WinKeyReceiver&) = delete;

    bool exists() const { return m_window != nullptr; }
    bool hasFocus() const { return GetFocus() == m_window; }

    // The key messages that arrived, waiting until `count` are in or `timeoutMs` have passed.
    KeyArrivals take(std::size_t count, DWORD timeoutMs = kPatienceMs) {
        KeyArrivals arrivals;
        const DWORD start = GetTickCount();
        while (arrivals.events.size() < count && GetTickCount() - start < timeoutMs) {
            MSG message;
            if (!PeekMessageA(&message, m_window, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
                MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_KEY);
                continue;
            }
            const bool up = message.message == WM_KEYUP || message.message == WM_SYSKEYUP;
            if (!up && message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN)
                continue;
            const auto flags = static_cast<DWORD>(message.lParam);
            arrivals.events.push_back({static_cast<std::uint8_t>(message.wParam),
                                       static_cast<std::uint8_t>(flags >> 16), up});
            if (flags & (1u << 24))
                ++arrivals.extended;
        }
        return arrivals;
    }

private:
    HWND m_window = nullptr;
};
