// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/platform/SoundPlayer.h"

#include <QSoundEffect>

// Wave files through QSoundEffect: it loads and plays in the background, and a file that
// cannot be decoded, or a machine without sound output, gives silence.
class QtSoundPlayer final : public SoundPlayer {
public:
    void play(const std::string& path) override;

    // What is playing or was played last.
    const QSoundEffect& effect() const { return m_effect; }

private:
    QSoundEffect m_effect;
};
