// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/platform/SoundPlayer.h"

// Wave files through sndPlaySoundA: in the background, cutting off the sound playing, and
// silence rather than the system's default sound for a file that cannot be played.
class WinSoundPlayer final : public SoundPlayer {
public:
    void play(const std::string& path) override;
};
