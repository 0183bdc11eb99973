// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/sound/PreviewPlayer.h"

#include "core/files/Files.h"
#include "core/sound/GameWave.h"
#include "core/sound/WaveFacts.h"
#include "core/text/PathText.h"

#include <random>

namespace sound {

namespace fs = std::filesystem;

namespace {

// The rate of the previews: what Quake III plays, fine enough to judge a cue by.
constexpr int kPreviewRate = 22050;

} // namespace

PreviewPlayer::PreviewPlayer(SoundPlayer& system)
    : m_system(system) {}

PreviewPlayer::~PreviewPlayer() {
    removeTemporary();
}

void PreviewPlayer::play(const std::string& path) {
    const fs::path file = text::toPath(path);
    const auto wave = readWaveFacts(file);
    if (wave && isPlainPcm(*wave)) {
        m_system.play(path);
        return;
    }
    auto samples = decodeSound(file, nullptr);
    const auto converted = samples.value ? makeGameWave(std::move(*samples.value), kPreviewRate)
                                         : Outcome<std::string>{};
    if (!converted.value) {
        // The system's player then stays silent, as for any file it cannot play.
        m_system.play(path);
        return;
    }
    removeTemporary();
    // A new name each time: a player may not load a file again under the name it played.
    std::error_code error;
    m_temporary = fs::temp_directory_path(error) /
                  ("yelpcue-preview-" + std::to_string(std::random_device{}()) + "-" +
                   std::to_string(++m_previews) + ".wav");
    if (!files::replaceFile(m_temporary, *converted.value)) {
        m_system.play(path);
        return;
    }
    m_system.play(text::fromPath(m_temporary));
}

void PreviewPlayer::removeTemporary() {
    std::error_code error;
    if (!m_temporary.empty())
        fs::remove(m_temporary, error);
    m_temporary.clear();
}

} // namespace sound
