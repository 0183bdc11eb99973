// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/win/WinSoundPlayer.h"

// clang-format off
#include <windows.h>
#include <mmsystem.h>
// clang-format on

void WinSoundPlayer::play(const std::string& path) {
    // The path is the core's text, in the ANSI code page that the call expects. A preview
    // that cannot play has nothing to report.
    sndPlaySoundA(path.c_str(), SND_ASYNC | SND_NODEFAULT);
}
