#include "shell/SubMain.h"

#include "keys/ModPushKeys.h"
#include "monitor/frmSoundProcessor.h"
#include "platform/Clock.h"
#include "platform/Platform.h"
#include "platform/qt/QtFileChooser.h"
#include "platform/qt/QtLauncher.h"
#include "platform/qt/QtPrompter.h"
#include "platform/qt/QtSettingsStore.h"
#include "shell/CommandLine.h"
#include "shell/Configuration.h"
#include "shell/SingleInstance.h"
#include "shell/TrayIcons.h"
#include "shell/frmStart.h"
#include "triggers/TriggerList.h"

#include <QApplication>

#ifdef _WIN32
#include "platform/win/WinKeyOutput.h"
#include "platform/win/WinKeyboardLayout.h"
#include "platform/win/WinSoundPlayer.h"
using SystemKeyOutput = WinKeyOutput;
using SystemKeyboardLayout = WinKeyboardLayout;
using SystemSoundPlayer = WinSoundPlayer;
#else
#include "keys/UsKeyboardLayout.h"
#include "platform/qt/QtSoundPlayer.h"
#include "platform/x11/X11KeyOutput.h"
using SystemKeyOutput = X11KeyOutput;
using SystemKeyboardLayout = UsKeyboardLayout;
using SystemSoundPlayer = QtSoundPlayer;
#endif

namespace {

// The application's title: the main window's and that of every box without its own.
constexpr const char* kTitle = "Yelpcue";

// A later start: says so, asks the first instance to come forward, and ends.
int handOverToFirstInstance(SingleInstance& instance, Prompter& prompter) {
    QApplication::setApplicationDisplayName(QStringLiteral("...duplicate instance"));
    prompter.inform(std::string("Re-activating the original instance of ") + kTitle);
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
    SingleInstance instance(SingleInstance::defaultDirectory());
    if (!instance.claim())
        return handOverToFirstInstance(instance, prompter);

    const auto settings = QtSettingsStore::openForUser();
    SystemClock clock;
    SystemKeyOutput keyOutput;
    SystemKeyboardLayout keyboardLayout;
    QtFileChooser fileChooser;
    SystemSoundPlayer soundPlayer;
    QtLauncher launcher;
    Platform platform{*settings,      prompter,    clock,       keyOutput,
                      keyboardLayout, fileChooser, soundPlayer, launcher};

    Configuration configuration;
    TriggerList triggers;
    ModPushKeys keys(keyOutput, keyboardLayout, clock);
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
