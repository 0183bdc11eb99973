// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/QtSoundPlayer.h"

#include "platform/qt/QtText.h"

#include <QUrl>

void QtSoundPlayer::play(const std::string& path) {
    m_effect.stop();
    m_effect.setSource(path.empty() ? QUrl() : QUrl::fromLocalFile(toQString(path)));
    // Plays once loaded; a source that fails to load ends in an error status, silently.
    m_effect.play();
}
