// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/platform/SoundPlayer.h"

#include <vector>

class FakeSoundPlayer final : public SoundPlayer {
public:
    void play(const std::string& path) override { played.push_back(path); }
    std::vector<std::string> played;
};
