// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SystemServices.h"

#include "core/settings/Configuration.h"
#include "platform/espeak/EspeakSpeech.h"
#include "platform/qt/QtSettingsStore.h"
#include "platform/qt/QtText.h"
#include "platform/win/Registry.h"
#include "platform/win/WinKeyOutput.h"
#include "platform/win/WinKeyboardLayout.h"
#include "platform/win/WinSoundPlayer.h"

#include <QCoreApplication>
#include <QDir>
#include <QSettings>

#include <cstdio>
#include <windows.h>

SystemServices openSystemServices() {
    // The key where the program's earlier Windows versions kept these same sections and keys
    // (Visual Basic's SaveSetting), so that an upgrade keeps the configuration and triggers.
    auto settings = std::make_unique<QSettings>(
        QStringLiteral("HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\") +
            QString::fromLatin1(settings::kApplication),
        QSettings::NativeFormat);
    return {std::make_unique<QtSettingsStore>(std::move(settings)),
            std::make_unique<WinKeyOutput>(), std::make_unique<WinKeyboardLayout>(),
            std::make_unique<WinSoundPlayer>(),
            // The installer puts Debian's espeak-ng-data beside the program.
            std::make_unique<EspeakSpeech>(
                toSystemText(QDir::toNativeSeparators(QCoreApplication::applicationDirPath())))};
}

QString instanceDirectory() {
    // The user's temporary folder: Qt's runtime location is the profile folder itself. The
    // socket is a named pipe, named after this path, so one per user as well.
    return QDir::tempPath();
}

void allowFirstInstanceForward() {
    // Only the foreground process may hand the foreground on; without this the first
    // instance's window would only flash on the task bar.
    AllowSetForegroundWindow(ASFW_ANY);
}

void useStartingConsole() {
    // A program with windows gets no console: output redirected to a file or a pipe has
    // somewhere to go, else it goes to the console of the command prompt that started it.
    if (GetFileType(GetStdHandle(STD_OUTPUT_HANDLE)) != FILE_TYPE_UNKNOWN ||
        !AttachConsole(ATTACH_PARENT_PROCESS))
        return;
    std::freopen("CONOUT$", "w", stdout);
    std::freopen("CONOUT$", "w", stderr);
}

std::optional<std::string> locateSystemInformation() {
    return registry::systemInformationProgram();
}
