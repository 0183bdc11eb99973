// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SystemServices.h"

#include "core/about/SystemInformation.h"
#include "core/keys/UsKeyboardLayout.h"
#include "core/settings/Configuration.h"
#include "platform/espeak/EspeakSpeech.h"
#include "platform/qt/QtSettingsStore.h"
#include "platform/qt/QtSoundPlayer.h"
#include "platform/x11/X11KeyOutput.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

#include <cstdlib>

SystemServices openSystemServices() {
    // An INI file in the user's configuration directory (~/.config/Bellcast.ini).
    auto settings = std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                                QString::fromLatin1(settings::kApplication));
    return {std::make_unique<QtSettingsStore>(std::move(settings)),
            std::make_unique<X11KeyOutput>(), std::make_unique<UsKeyboardLayout>(),
            std::make_unique<QtSoundPlayer>(), std::make_unique<EspeakSpeech>()};
}

QString instanceDirectory() {
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QDir::tempPath() : runtime;
}

void allowFirstInstanceForward() {
    // The window manager decides, from the first instance's own request.
}

void useStartingConsole() {
    // A program's output goes where it was started from.
}

std::optional<std::string> locateSystemInformation() {
    const char* path = std::getenv("PATH");
    return systeminfo::findOnPath({"hardinfo2", "hardinfo", "kinfocenter", "gnome-system-monitor",
                                   "mate-system-monitor", "xfce4-taskmanager", "lxtask"},
                                  path ? path : "");
}
