// SPDX-License-Identifier: GPL-3.0-or-later
// What WinProgramTest.sh needs of the Windows desktop from outside Yelpcue:
//   win_desktop press TITLE KEY  brings the window on show titled TITLE (awaited for as long
//                                as kPatience: Wine starts slowly on a busy machine) forward
//                                and taps KEY, a virtual-key code in hex
//   win_desktop record COUNT     a window that takes the focus, prints "ready", then each key
//                                reaching it ("down 71") until COUNT came (or kPatience passed)
//   win_desktop foreground       prints the title of the window in the foreground

#include "support/WinKeyReceiver.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "press" && argc == 4) {
        HWND window = nullptr;
        for (DWORD start = GetTickCount();
             !(window && IsWindowVisible(window)) && GetTickCount() - start < kPatienceMs;
             Sleep(100))
            window = FindWindowA(nullptr, argv[2]);
        if (!window || !IsWindowVisible(window))
            return std::printf("no window titled %s on show\n", argv[2]), 1;
        SetForegroundWindow(window);
        const auto key = static_cast<BYTE>(std::strtoul(argv[3], nullptr, 16));
        keybd_event(key, 0, 0, 0);
        keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
        return 0;
    }
    if (command == "record" && argc == 3) {
        WinKeyReceiver receiver;
        if (!receiver.hasFocus())
            return std::printf("the recording window has no focus\n"), 1;
        std::printf("ready\n");
        std::fflush(stdout);
        for (const KeyEvent& event : receiver.take(std::strtoul(argv[2], nullptr, 10)).events)
            std::printf("%s %x\n", event.keyUp ? "up" : "down", event.virtualKey);
        return 0;
    }
    if (command == "foreground" && argc == 2) {
        char title[256] = "";
        GetWindowTextA(GetForegroundWindow(), title, sizeof title);
        return std::printf("%s\n", title), 0;
    }
    return std::printf("usage: win_desktop press TITLE KEY | record COUNT | foreground\n"), 2;
}
