// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/platform/SoundPlayer.h"

#include <filesystem>

namespace sound {

// Previews any sound the program reads with the system's player, which plays only 8 and
// 16-bit PCM waves: every other file is played from a converted copy in a temporary file,
// removed at the next preview or when the player goes.
class PreviewPlayer final : public SoundPlayer {
public:
    explicit PreviewPlayer(SoundPlayer& system);
    ~PreviewPlayer() override;
    PreviewPlayer(const PreviewPlayer&) = delete;
    PreviewPlayer& operator=(const PreviewPlayer&) = delete;

    void play(const std::string& path) override;

private:
    void removeTemporary();

    SoundPlayer& m_system;
    std::filesystem::path m_temporary;
    int m_previews = 0;
};

} // namespace sound
