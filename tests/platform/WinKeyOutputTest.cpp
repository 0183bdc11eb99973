// Key events through keybd_event into a real window that has the keyboard focus. Under Wine
// the test script gives windows its display-less graphics driver.

#include "platform/win/WinKeyOutput.h"

#include "core/keys/ModPushKeys.h"
#include "platform/win/WinKeyboardLayout.h"
#include "support/FakeClock.h"
#include "support/RecordingKeyOutput.h"

#include <gtest/gtest.h>

#include <vector>
#include <windows.h>

namespace {

struct Arrivals {
    std::vector<KeyEvent> events;
    int extended = 0;
};

// A window of this thread that takes the keyboard focus and reads the key messages that
// reach it, without dispatching them (so Alt does not open a menu).
class KeyReceiver {
public:
    KeyReceiver() {
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
    ~KeyReceiver() {
        if (m_window)
            DestroyWindow(m_window);
    }

    bool exists() const { return m_window != nullptr; }
    bool hasFocus() const { return GetFocus() == m_window; }

    // The key messages that arrived, waiting until `count` are in or two seconds have passed.
    Arrivals take(std::size_t count) {
        Arrivals arrivals;
        const DWORD start = GetTickCount();
        while (arrivals.events.size() < count && GetTickCount() - start < 2000) {
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

TEST(WinKeyOutputTest, KeyStringReachesTheFocusedWindowEventByEvent) {
    KeyReceiver receiver;
    ASSERT_TRUE(receiver.exists()) << "no window: under Wine, the graphics driver must be null";
    ASSERT_TRUE(receiver.hasFocus());
    const WinKeyboardLayout layout;
    FakeClock clock;
    RecordingKeyOutput recorded;
    WinKeyOutput output;
    // Shift held by a group, Ctrl and Alt prefixes, and the arrow keys that would be extended
    // keys on a keyboard.
    const std::string keys = "+(ab){LEFT}^{F4}%a{DOWN}";
    ModPushKeys(recorded, layout, clock).PushKeys(keys);
    ModPushKeys(output, layout, clock).PushKeys(keys);

    const Arrivals arrivals = receiver.take(recorded.events.size());
    EXPECT_EQ(arrivals.events, recorded.events);
    EXPECT_EQ(arrivals.extended, 0) << "no event carries KEYEVENTF_EXTENDEDKEY";
}

} // namespace
