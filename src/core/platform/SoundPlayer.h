// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // Starts playing a wave file and returns at once, cutting off the sound playing;
    // a file that cannot be played gives silence.
    virtual void play(const std::string& path) = 0;
};
