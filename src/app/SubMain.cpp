// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/SubMain.h"

#include "app/CommandLine.h"
#include "app/SingleInstance.h"
#include "core/keys/ModPushKeys.h"
#include "core/platform/Clock.h"
#include "core/platform/Platform.h"
#include "core/settings/Configuration.h"
#include "core/sound/PreviewPlayer.h"
#include "core/triggers/TriggerList.h"
#include "gui/main/frmSoundProcessor.h"
#include "gui/tray/TrayIcons.h"
#include "gui/tray/frmStart.h"
#include "platform/SystemServices.h"
#include "platform/qt/QtFileChooser.h"
#include "platform/qt/QtLauncher.h"
#include "platform/qt/QtPrompter.h"

#include <QApplication>

namespace {

// The application's title: the main window's and that of every box without its own.
constexpr const char* kTitle = "Yelpcue";

// A later start: says so, asks the first instance to come forward, and ends.
int handOverToFirstInstance(SingleInstance& instance, Prompter& prompter) {
    QApplication::setApplicationDisplayName(QStringLiteral("...duplicate instance"));
    prompter.inform(std::string("Re-activating the original instance of ") + kTitle);
    allowFirstInstanceForward();
    if (!instance.activateFirstInstance())
        prompter.inform(std::string("FindWindow failed on ") + kTitle);
    return 0;
}

} // namespace

int SubMain(int argc, char** argv) {
    // The display name stays unset: Qt would append it to every other window's title.
    QCoreApplication::setApplicationName(QString::fromLatin1(kTitle));
    QCoreApplication::setApplicationVersion(QStringLiteral(YELPCUE_VERSION));
    // Before QApplication, which needs a display, and before the settings and the instance.
    if (const auto exitCode = answerCommandLine(argc, argv))
        return *exitCode;

    QApplication application(argc, argv);
    QApplication::setWindowIcon(trayicons::applicationIcon());
    // The main window hides during a session; the program ends only by its own way out.
    QApplication::setQuitOnLastWindowClosed(false);

    QtPrompter prompter;
    SingleInstance instance(instanceDirectory());
    if (!instance.claim())
        return handOverToFirstInstance(instance, prompter);

    const SystemServices system = openSystemServices();
    SystemClock clock;
    QtFileChooser fileChooser;
    QtLauncher launcher;
    sound::PreviewPlayer soundPlayer(*system.soundPlayer);
    Platform platform{*system.settings,       prompter,    clock,       *system.keyOutput,
                      *system.keyboardLayout, fileChooser, soundPlayer, launcher,
                      *system.speech};

    Configuration configuration;
    TriggerList triggers;
    ModPushKeys keys(*system.keyOutput, *system.keyboardLayout, clock);
    frmStart tray;
    frmSoundProcessor main(platform, configuration, triggers, keys, tray);
    // Before loading: a later start while loading asks for the configuration is answered too.
    QObject::connect(&instance, &SingleInstance::activationRequested, &main,
                     &frmSoundProcessor::comeForward);
    if (main.Form_Load() == SoundProcessor::LoadResult::Declined)
        return 0;
    main.show();
    tray.ItemAdd();
    return QApplication::exec();
}
