#include "gui/main/frmSoundProcessor.h"

#include "core/keys/ModPushKeys.h"
#include "core/settings/Configuration.h"
#include "core/triggers/TriggerList.h"
#include "gui/tray/frmStart.h"
#include "support/GameConsole.h"
#include "support/TempDir.h"
#include "support/TestPlatform.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

namespace fs = std::filesystem;

// Runs `handle` on the next modal window that opens, from inside its own event loop.
void whenModalOpens(std::function<void(QWidget&)> handle) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, handle = std::move(handle)] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            poll->stop();
            poll->deleteLater();
            handle(*modal);
        }
    });
    poll->start(10);
}

class MainWindowTest : public testing::Test {
protected:
    MainWindowTest() {
        for (const char* dir : {"id1", "fortress", "qw", "ctf"})
            fs::create_directory(game / dir);
    }

    std::string dir(const char* name) const { return (game / name).string(); }

    void storeAConfiguredProgram() {
        const auto save = [this](const char* key, const std::string& value) {
            fakes.settings.save("Hornwise Params", key, value);
        };
        save("reg_version", "2");
        save("Quake_Dir", game.path().string());
        save("TF_Dir", dir("fortress"));
        save("DM_Dir", dir("qw"));
        save("CTF_Dir", dir("ctf"));
        save("Active_Mod_Dir", dir("fortress"));
        save("Selected_Key", "F2");
        triggers.append({"Shotgun", "SHOTGUN", "shotgun.wav"});
        fakes.settings.save("Application_params", "RecordCount", "1");
        fakes.settings.save("1", "t_name", "Shotgun");
        fakes.settings.save("1", "t_keyword", "SHOTGUN");
        fakes.settings.save("1", "t_file", "shotgun.wav");
    }

    SoundProcessor::LoadResult open() {
        window = std::make_unique<frmSoundProcessor>(fakes.platform, configuration, triggers, keys,
                                                     tray);
        return window->Form_Load();
    }

    QStringList entries() const {
        QStringList texts;
        const auto* list = window->findChild<QListWidget*>(QStringLiteral("List1"));
        for (int row = 0; row < list->count(); ++row)
            texts << list->item(row)->text();
        return texts;
    }
    QPushButton* button(const char* name) const {
        return window->findChild<QPushButton*>(QString::fromLatin1(name));
    }
    QAction* trayItem(int index) const { return tray.mnuTray()->actions().at(index); }
    std::vector<std::string> shownTexts() const {
        std::vector<std::string> texts;
        for (const auto& message : fakes.prompter.shown)
            texts.push_back(message.text);
        return texts;
    }
    bool waitForEntries(int count) const {
        return QTest::qWaitFor([&] { return entries().size() >= count; }, 5000);
    }

    TempDir game;
    GameConsole console{game / "fortress" / "qconsole.log"};
    TestPlatform fakes;
    Configuration configuration;
    TriggerList triggers;
    ModPushKeys keys{fakes.keyOutput, fakes.keyboardLayout, fakes.clock};
    frmStart tray;
    std::unique_ptr<frmSoundProcessor> window;
};

TEST_F(MainWindowTest, FirstStartShowsTheUpgradeAndTheReadmeAndEndsWhenConfigurationIsDeclined) {
    fakes.prompter.answers = {Prompter::Answer::Ok, Prompter::Answer::No};
    EXPECT_EQ(open(), SoundProcessor::LoadResult::Declined);

    std::vector<std::string> boxes;
    for (const auto& box : fakes.prompter.shown)
        boxes.push_back(box.title + ": " + box.text);
    EXPECT_EQ(boxes,
              (std::vector<std::string>{
                  "Upgrades and New Installations require configuration: You have installed a "
                  "new or later version of Yelpcue",
                  "Configure Hornwise: This program needs to be configured\r\nDo you want to do "
                  "that now?"}));
    EXPECT_EQ(fakes.prompter.shown.at(1).buttons, Prompter::Buttons::YesNo);
    EXPECT_EQ(fakes.prompter.shown.at(1).defaultButton, Prompter::Answer::No);

    ASSERT_EQ(fakes.launcher.openedTextFiles.size(), 1u);
    EXPECT_EQ(fs::path(fakes.launcher.openedTextFiles[0]).filename(), "readme.txt");
    EXPECT_FALSE(fakes.settings.has("frmSoundProcessor", "top"))
        << "a window never shown leaves no place behind: the next start keeps the design one";
}

TEST_F(MainWindowTest, ConfigurationIsOfferedAgainUntilAGameModeDirectoryIsSet) {
    fakes.prompter.answers = {Prompter::Answer::Ok, Prompter::Answer::Yes, Prompter::Answer::Yes};
    console.say("** old text **");
    fakes.fileChooser.results = {console.path().string()};
    int configureWindows = 0;
    const std::function<void(QWidget&)> closeUnchanged = [&](QWidget& modal) {
        ++configureWindows;
        EXPECT_EQ(modal.objectName(), QStringLiteral("frmConfigure"));
        // The second time the player finds the console log before closing.
        whenModalOpens([&](QWidget& second) {
            ++configureWindows;
            second.findChild<QPushButton*>(QStringLiteral("cmdFindQuake"))->click();
            static_cast<QDialog&>(second).reject();
        });
        static_cast<QDialog&>(modal).reject();
    };
    whenModalOpens(closeUnchanged);

    EXPECT_EQ(open(), SoundProcessor::LoadResult::Loaded);
    EXPECT_EQ(configureWindows, 2);
    EXPECT_EQ(fakes.launcher.openedTextFiles.size(), 2u) << "the read-me comes with each question";
    EXPECT_EQ(configuration.Active_Mod_Dir, dir("fortress"));
    EXPECT_EQ(window->session().ConsoleLogPath(), console.path().string());
}

TEST_F(MainWindowTest, ConfiguredProgramLoadsSilentlyAndProcessesOnlyTextAddedAfterLoading) {
    storeAConfiguredProgram();
    console.say("Bob: SHOTGUN before loading");
    ASSERT_EQ(open(), SoundProcessor::LoadResult::Loaded);
    EXPECT_TRUE(fakes.prompter.shown.empty());
    EXPECT_TRUE(fakes.launcher.openedTextFiles.empty());
    EXPECT_TRUE(window->findChild<QRadioButton*>(QStringLiteral("optMod_0"))->isChecked());
    EXPECT_FALSE(button("cmdStop")->isEnabled());

    button("cmdStart")->click();
    EXPECT_TRUE(button("cmdStop")->isEnabled());
    EXPECT_FALSE(button("cmdStart")->isEnabled());
    EXPECT_TRUE(tray.isAnimating());
    console.say("^1\x10"
                "Al\x11^7: SHOTGUN caf\xC3\xA9 \x01\x7F");
    window->session().checkLog();
    ASSERT_TRUE(waitForEntries(3));
    EXPECT_EQ(entries().at(0), QStringLiteral("Found Keywords : SHOTGUN"));
    EXPECT_EQ(entries().at(1), QStringLiteral(u"Processing : [Al]: SHOTGUN caf\u00E9 \u2401\u2421"))
        << "console bytes of any kind show as one readable row";
    EXPECT_EQ(entries().size(), 3);
    EXPECT_FALSE(fakes.keyOutput.events.empty()) << "the key is pushed";
    EXPECT_TRUE(window->isMinimized()) << "no notification area here: minimised, not hidden";
}

TEST_F(MainWindowTest, MatchStatsFollowTheSessionAndSortByAnyColumn) {
    storeAConfiguredProgram();
    fakes.settings.save("2", "t_name", "Quad");
    fakes.settings.save("2", "t_keyword", "QUAD");
    fakes.settings.save("2", "t_file", "quad.wav");
    fakes.settings.save("2", "t_quiet_ms", "60000");
    fakes.settings.save("Application_params", "RecordCount", "2");
    ASSERT_EQ(open(), SoundProcessor::LoadResult::Loaded);
    button("cmdStats")->click();
    QWidget* stats = nullptr;
    for (QWidget* shown : QApplication::topLevelWidgets())
        stats = shown->objectName() == QStringLiteral("frmMatchStats") ? shown : stats;
    ASSERT_TRUE(stats && stats->isVisible());
    auto* table = stats->findChild<QTableWidget*>(QStringLiteral("lstStats"));
    const auto summary = [stats] {
        return stats->findChild<QLabel*>(QStringLiteral("lblSummary"))->text();
    };
    EXPECT_EQ(table->rowCount(), 0);
    EXPECT_EQ(summary(), QStringLiteral("No session has run yet."));

    const auto rows = [table] {
        QStringList texts;
        for (int row = 0; row < table->rowCount(); ++row) {
            QStringList cells;
            for (int column = 0; column < table->columnCount(); ++column)
                cells << table->item(row, column)->text();
            texts << cells.join(QLatin1Char('|'));
        }
        return texts;
    };
    button("cmdStart")->click();
    fakes.clock.time = {21, 5, 9};
    console.say("Bob: QUAD");
    console.say("Al: SHOTGUN");
    window->session().checkLog();
    ASSERT_TRUE(QTest::qWaitFor([&] { return table->rowCount() == 2; }, 5000));
    fakes.clock.time = {21, 10, 0};
    console.say("Al: quad");
    console.say("Bob: ^1QUAD");
    window->session().checkLog();
    const QStringList shown{QStringLiteral("Quad|QUAD|3|2|21:10:0"),
                            QStringLiteral("Shotgun|SHOTGUN|1|0|21:5:9")};
    ASSERT_TRUE(QTest::qWaitFor([&] { return rows() == shown; }, 5000)) << "follows the session";
    EXPECT_EQ(summary(), QStringLiteral("Since the last Start: 4 lines read, 2 keys pushed."));
    table->horizontalHeader()->setSortIndicator(4, Qt::AscendingOrder);
    EXPECT_EQ(rows().first(), shown[1]) << "earliest last call first";
    table->horizontalHeader()->setSortIndicator(2, Qt::DescendingOrder);
    EXPECT_EQ(rows().first(), shown[0]) << "most calls first";

    window->close();
    EXPECT_FALSE(stats->isVisible()) << "closed with the program";
}

TEST_F(MainWindowTest, TheListKeepsItsNewestEntryInSight) {
    storeAConfiguredProgram();
    ASSERT_EQ(open(), SoundProcessor::LoadResult::Loaded);
    window->show();
    const QScrollBar* scroll =
        window->findChild<QListWidget*>(QStringLiteral("List1"))->verticalScrollBar();
    button("cmdStart")->click();
    for (int i = 0; i < 40; ++i)
        console.say("Bob: SHOTGUN " + std::to_string(i));
    window->session().checkLog();
    ASSERT_TRUE(waitForEntries(120));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return scroll->maximum() > 0 && scroll->value() == scroll->maximum(); }, 5000));
}

TEST_F(MainWindowTest, PickingAnotherModeDuringASessionStopsItAndWatchesTheNewModesLog) {
    storeAConfiguredProgram();
    ASSERT_EQ(open(), SoundProcessor::LoadResult::Loaded);
    button("cmdStart")->click();

    window->findChild<QRadioButton*>(QStringLiteral("optMod_1"))->click();
    EXPECT_FALSE(window->session().isRunning());
    EXPECT_FALSE(tray.isAnimating());
    EXPECT_EQ(configuration.Active_Mod_Dir, dir("qw"));
    EXPECT_EQ(window->session().ConsoleLogPath(), (game / "qw" / "qconsole.log").string());
}

TEST_F(MainWindowTest, EveryWayOutRunsTheClosingStepsOnce) {
    const std::function<void(frmSoundProcessor&, frmStart&)> ways[] = {
        [](frmSoundProcessor& main, frmStart&) { main.close(); },
        [](frmSoundProcessor& main, frmStart&) {
            main.findChild<QPushButton*>(QStringLiteral("Quit"))->click();
        },
        [](frmSoundProcessor&, frmStart& tray) { tray.mnuTray()->actions().at(5)->trigger(); },
    };
    for (const auto& endProgram : ways) {
        fakes.settings = {};
        fakes.prompter.shown.clear();
        fs::remove(game / "fortress" / "MatchPlayed-12-0-0.txt");
        storeAConfiguredProgram();
        console.say("a line of the match");
        ASSERT_EQ(open(), SoundProcessor::LoadResult::Loaded);
        tray.ItemAdd();
        button("cmdStart")->click();
        window->showNormal(); // brought back from the tray, so its position is saved

        endProgram(*window, tray);
        endProgram(*window, tray); // a second request changes nothing
        window->endProgram();

        EXPECT_TRUE(fakes.settings.has("frmSoundProcessor", "top"));
        EXPECT_TRUE(fs::exists(game / "fortress" / "MatchPlayed-12-0-0.txt"));
        EXPECT_EQ(
            shownTexts(),
            std::vector<std::string>{"The console file was saved\n\ras a match file in your game "
                                     "direcotry"})
            << "Stop ran once";
        EXPECT_FALSE(tray.trayIcon().isVisible()) << "the icon is removed";
        EXPECT_FALSE(window->session().isRunning());
    }
}

TEST_F(MainWindowTest, TrayMenuStartsAndStopsTheSessionAndItsAnimation) {
    storeAConfiguredProgram();
    ASSERT_EQ(open(), SoundProcessor::LoadResult::Loaded);
    configuration.QconsoleDel = false;
    trayItem(2)->trigger();
    EXPECT_TRUE(window->session().isRunning());
    EXPECT_TRUE(tray.isAnimating());
    trayItem(3)->trigger();
    EXPECT_FALSE(window->session().isRunning());
    EXPECT_FALSE(tray.isAnimating());
    EXPECT_TRUE(button("cmdStart")->isEnabled());

    window->hide();
    trayItem(0)->trigger();
    EXPECT_TRUE(window->isVisible()) << "Show Yelpcue";
}

TEST_F(MainWindowTest, StartSaysOnceWhenKeysCannotReachTheGame) {
    storeAConfiguredProgram();
    fakes.keyOutput.available = false;
    ASSERT_EQ(open(), SoundProcessor::LoadResult::Loaded);
    button("cmdStart")->click();
    trayItem(2)->trigger(); // a pass while running
    console.say("Bob: SHOTGUN");
    window->session().checkLog();
    ASSERT_TRUE(waitForEntries(4));
    EXPECT_TRUE(entries().at(0).startsWith(QStringLiteral("Keys cannot reach the game")));
    EXPECT_EQ(entries().filter(QStringLiteral("Keys cannot reach")).size(), 1);
    EXPECT_TRUE(fs::exists(game / "id1" / "bellcast.cfg")) << "play scripts are still written";
}

} // namespace
