#include "platform/SystemServices.h"

#include "core/settings/Configuration.h"
#include "platform/qt/QtSettingsStore.h"
#include "platform/win/Registry.h"
#include "platform/win/WinKeyOutput.h"
#include "platform/win/WinKeyboardLayout.h"
#include "platform/win/WinSoundPlayer.h"

#include <QSettings>

SystemServices openSystemServices() {
    // The key where the program's earlier Windows versions kept these same sections and keys
    // (Visual Basic's SaveSetting), so that an upgrade keeps the configuration and triggers.
    auto settings = std::make_unique<QSettings>(
        QStringLiteral("HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\") +
            QString::fromLatin1(settings::kApplication),
        QSettings::NativeFormat);
    return {std::make_unique<QtSettingsStore>(std::move(settings)),
            std::make_unique<WinKeyOutput>(), std::make_unique<WinKeyboardLayout>(),
            std::make_unique<WinSoundPlayer>()};
}

std::optional<std::string> locateSystemInformation() {
    return registry::systemInformationProgram();
}
