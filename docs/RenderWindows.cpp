// SPDX-License-Identifier: GPL-3.0-or-later
// Shows every window of the program with sample data and saves a picture of each.

#include "core/keys/ModPushKeys.h"
#include "core/settings/Configuration.h"
#include "core/triggers/TriggerList.h"
#include "gui/about/frmAbout.h"
#include "gui/configure/frmConfigMgr.h"
#include "gui/configure/frmConfigure.h"
#include "gui/main/frmMatchStats.h"
#include "gui/main/frmSoundProcessor.h"
#include "gui/tray/TrayIcons.h"
#include "gui/tray/frmStart.h"
#include "gui/triggers/frmAddModify.h"
#include "gui/triggers/frmImport.h"
#include "gui/triggers/frmSoundCheck.h"
#include "gui/triggers/frmSpeech.h"
#include "gui/triggers/frmTriggers.h"
#include "platform/espeak/EspeakSpeech.h"
#include "support/SoundFiles.h"
#include "support/TempDir.h"
#include "support/TestPlatform.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QTest>

#include <iostream>
#include <sndfile.h>

namespace {

namespace fs = std::filesystem;

QDir g_output;

void save(QWidget& window, const char* name) {
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        std::cerr << "not exposed: " << name << '\n';
    QTest::qWait(50);
    const QString file = g_output.filePath(QString::fromLatin1(name) + QStringLiteral(".png"));
    window.grab().save(file);
    std::cout << file.toStdString() << '\n';
    window.hide();
}

void saveTrayFrames() {
    constexpr int kSize = 32, kGap = 8;
    QPixmap sheet(trayicons::kFrameCount * (kSize + kGap) + kGap, kSize + 2 * kGap);
    sheet.fill(Qt::transparent);
    QPainter painter(&sheet);
    for (int frame = 1; frame <= trayicons::kFrameCount; ++frame)
        painter.drawPixmap(kGap + (frame - 1) * (kSize + kGap), kGap,
                           trayicons::frame(frame).pixmap(kSize, kSize));
    painter.end();
    sheet.save(g_output.filePath(QStringLiteral("tray-frames.png")));
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Yelpcue"));
    QApplication::setWindowIcon(trayicons::applicationIcon());
    g_output = QDir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());

    TempDir game;
    for (const char* dir : {"id1", "fortress", "qw", "ctf"})
        fs::create_directories(game / dir);
    fs::create_directories(game / "id1" / "sound");
    const std::string quake = game.path().string();
    TestPlatform fakes;
    const auto store = [&fakes](const char* key, const std::string& value) {
        fakes.settings.save("Hornwise Params", key, value);
    };
    store("reg_version", "2");
    store("Quake_Dir", quake);
    store("Quake_Id1_sound", quake + "/id1/sound");
    store("TF_Dir", quake + "/fortress");
    store("DM_Dir", quake + "/qw");
    store("CTF_Dir", quake + "/ctf");
    store("Active_Mod_Dir", quake + "/fortress");
    store("Selected_Key", "F2");
    store("Trigger_Cfg", "1");
    store("QconsoleDel", "False");
    const Trigger samples[] = {{"Shotgun", "SHOTGUN", "shotgun.wav"},
                               {"Quad", "GET QUAD", "/home/player/sounds/quad.wav"},
                               {"Ammo", "NEED AMMO", "ammo.wav"},
                               {"Flag taken", "FLAG", "flag.wav"}};
    fakes.settings.save("Application_params", "RecordCount", "4");
    for (int i = 0; i < 4; ++i) {
        const std::string section = std::to_string(i + 1);
        fakes.settings.save(section, "t_name", samples[i].name);
        fakes.settings.save(section, "t_keyword", samples[i].keyword);
        fakes.settings.save(section, "t_file", samples[i].soundFile);
    }
    fakes.settings.save("2", "t_quiet_ms", "10000");
    fakes.settings.save("4", "t_callers", "any"); // the server says so, not a teammate

    Configuration configuration;
    TriggerList triggers;
    ModPushKeys keys(fakes.keyOutput, fakes.keyboardLayout, fakes.clock);
    frmStart tray;
    frmSoundProcessor main(fakes.platform, configuration, triggers, keys, tray);
    main.Form_Load();

    // A short match: calls for sounds among other console text, one in red, one within the
    // quiet time of the call before, one in all chat that is no call, and the server's flag.
    main.cmdStart_Click();
    appendFile(game / "fortress" / "qconsole.log",
               "Bob entered the game\r\n^1(Bob)^7: \xD3\xC8\xCF\xD4\xC7\xD5\xCE at the ramp\r\n"
               "Al: gg\r\n(Al): get the quad, quick\r\n(Bob): quad, get it!\r\n"
               "Eve: shotgun noobs\r\nconsole: Red FLAG taken\r\n");
    fakes.clock.time = {21, 5, 9};
    main.session().checkLog();
    if (!QTest::qWaitFor([&] { return main.findChild<QListWidget*>()->count() >= 10; }, 5000))
        std::cerr << "the session did not process the sample match\n";
    main.cmdStop_Click();
    main.showNormal();
    save(main, "main-window");

    frmTriggers manager(fakes.platform, configuration, triggers, main.session().calls());
    save(manager, "trigger-manager");
    manager.findChild<QLineEdit*>(QStringLiteral("txtTest"))
        ->setText(QStringLiteral("^1(Al)^7: ^3get^7 the quad, quick"));
    save(manager, "trigger-tester");
    frmMatchStats stats(fakes.settings, main.session().calls().stats());
    save(stats, "match-stats");
    frmAddModify edit(fakes.platform, configuration, triggers, 2);
    save(edit, "trigger-edit");
    frmImport import(fakes.platform, triggers);
    save(import, "trigger-import");

    // The sound check over a game-ready wave, a stereo download and two missing sounds.
    const fs::path sounds = game / "id1" / "sound";
    writeFile(sounds / "shotgun.wav", squareWave(11025, 0x60, 0xA0));
    writeTone(sounds / "ammo.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, 44100, {0, 0.5});
    frmSoundCheck check(fakes.platform, configuration, triggers);
    save(check, "sound-check");
    // The spoken cue window with espeak-ng's own voices.
    EspeakSpeech espeak;
    Platform withSpeech{fakes.settings,    fakes.prompter,       fakes.clock,
                        fakes.keyOutput,   fakes.keyboardLayout, fakes.fileChooser,
                        fakes.soundPlayer, fakes.launcher,       espeak};
    frmSpeech speech(withSpeech, configuration, {"need ammo", {}, SpokenText::kUsualSpeed});
    save(speech, "spoken-cue");

    frmConfigure configure(fakes.settings, fakes.prompter, fakes.fileChooser, configuration,
                           main.session());
    save(configure, "configure");
    const fs::path autoexec = game / "id1" / "autoexec.cfg";
    writeFile(autoexec, "// my settings\r\nname \"Player\"\r\nbind SPACE \"+jump\"\r\n"
                        "bind MOUSE1 \"+attack\"\r\n");
    frmConfigMgr scripts(fakes.prompter, {autoexec.string()}, configuration.Selected_Key,
                         configuration.Game_Family);
    save(scripts, "config-scripts");

    frmAbout about(fakes.launcher, fakes.prompter);
    save(about, "about");

    tray.mnuTray()->adjustSize();
    save(*tray.mnuTray(), "tray-menu");
    saveTrayFrames();
    return 0;
}
