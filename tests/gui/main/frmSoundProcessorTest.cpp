#include "gui/main/frmSoundProcessor.h"

#include "core/keys/ModPushKeys.h"
#include "core/settings/Configuration.h"
#include "core/triggers/TriggerList.h"
#include "core/triggers/TriggerStore.h"
#include "gui/tray/frmStart.h"
#include "support/Controls.h"
#include "support/GameConsole.h"
#include "support/TempDir.h"
#include "support/TestPlatform.h"

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

class MainWindowTest : public testing::Test {
protected:
    MainWindowTest() {
        for (const char* dir : {"id1", "fortress", "qw", "ctf"})
            fs::create_directory(game / dir);
    }

    std::string dir(const char* name) const { return (game / name).string(); }

    // Stored as a player's earlier runs left it: key F2, game mode TF, the triggers given.
    void storeAConfiguredProgram(const std::vector<Trigger>& stored = {
                                     {"Shotgun", "SHOTGUN", "shotgun.wav"}}) {
        Configuration earlier;
        earlier.Quake_Dir = game.path().string();
        earlier.TF_Dir = earlier.Active_Mod_Dir = dir("fortress");
        earlier.DM_Dir = dir("qw");
        earlier.CTF_Dir = dir("ctf");
        earlier.Selected_Key = "F2";
        ASSERT_TRUE(earlier.save(fakes.settings));
        for (std::size_t i = 0; i < stored.size(); ++i)
            triggerstore::Add_Trigger(fakes.settings, std::to_string(i + 1), stored[i]);
        fakes.settings.save("Application_params", "RecordCount", std::to_string(stored.size()));
    }

    SoundProcessor::LoadResult open() {
        window = std::make_unique<frmSoundProcessor>(fakes.platform, configuration, triggers, keys,
                                                     tray);
        return window->Form_Load();
    }
    void start() { click(*window, "cmdStart"); }
    // The game writes a line, and the session reads it at once.
    void gameSays(const std::string& line) {
        console.say(line);
        window->session().checkLog();
    }

    QStringList entries() const {
        QStringList texts;
        const auto* list = child<QListWidget>(*window, "List1");
        for (int row = 0; row < list->count(); ++row)
            texts << list->item(row)->text();
        return texts;
    }
    bool waitForEntries(int count) const {
        return QTest::qWaitFor([&] { return entries().size() >= count; }, 5000);
    }
    QAction* trayItem(int index) const { return tray.mnuTray()->actions().at(index); }

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
    EXPECT_EQ(shownTexts(fakes.prompter),
              (std::vector<std::string>{
                  "You have installed a new or later version of Yelpcue",
                  "This program needs to be configured\r\nDo you want to do that now?"}));
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
    onNextModal([&](QDialog& first) {
        ++configureWindows;
        EXPECT_EQ(first.objectName(), QStringLiteral("frmConfigure"));
        // The second time the player finds the console log before closing.
        onNextModal([&](QDialog& second) {
            ++configureWindows;
            click(second, "cmdFindQuake");
        });
    });

    EXPECT_EQ(open(), SoundProcessor::LoadResult::Loaded);
    EXPECT_EQ(configureWindows, 2);
    EXPECT_EQ(fakes.launcher.openedTextFiles.size(), 2u) << "the read-me comes with each question";
    EXPECT_EQ(configuration.Active_Mod_Dir, dir("fortress"));
    EXPECT_EQ(window->session().ConsoleLogPath(), console.path().string());
}

TEST_F(MainWindowTest, MatchStatsFollowTheSessionAndSortByAnyColumn) {
    storeAConfiguredProgram({{"Shotgun", "SHOTGUN", "shotgun.wav"},
                             {"Quad", "QUAD", "quad.wav", 60000},
                             {"Flag", "FLAG", "flag.wav"}});
    ASSERT_EQ(open(), SoundProcessor::LoadResult::Loaded);
    click(*window, "cmdStats");
    QWidget* stats = nullptr;
    for (QWidget* shown : QApplication::topLevelWidgets())
        stats = shown->objectName() == QStringLiteral("frmMatchStats") ? shown : stats;
    ASSERT_TRUE(stats && stats->isVisible());
    auto* table = child<QTableWidget>(*stats, "lstStats");
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
    EXPECT_EQ(table->rowCount(), 0);

    start();
    fakes.clock.time = {21, 5, 9};
    console.say("(Bob): QUAD");
    gameSays("(Al): SHOTGUN");
    ASSERT_TRUE(QTest::qWaitFor([&] { return table->rowCount() == 2; }, 5000));
    fakes.clock.time = {21, 10, 0};
    console.say("(Al): quad");
    console.say("Al: SHOTGUN in all chat");
    console.say("console: FLAG taken");
    gameSays("(Bob): ^1QUAD");
    const QStringList shown{QStringLiteral("Quad|QUAD|3|2|0|21:10:0"),
                            QStringLiteral("Shotgun|SHOTGUN|1|0|1|21:5:9"),
                            QStringLiteral("Flag|FLAG|0|0|1|")};
    ASSERT_TRUE(QTest::qWaitFor([&] { return rows() == shown; }, 5000)) << "follows the session";
    EXPECT_EQ(child<QLabel>(*stats, "lblSummary")->text(),
              QStringLiteral("Since the last Start: 6 lines read, 2 keys pushed."));
    table->horizontalHeader()->setSortIndicator(5, Qt::AscendingOrder);
    EXPECT_EQ(rows().mid(0, 2), (QStringList{shown[2], shown[1]})) << "uncalled, then earliest";
    table->horizontalHeader()->setSortIndicator(2, Qt::DescendingOrder);
    EXPECT_EQ(rows().first(), shown[0]) << "most calls first";

    window->close();
    EXPECT_FALSE(stats->isVisible()) << "closed with the program";
}

TEST_F(MainWindowTest, EveryWayOutRunsTheClosingStepsOnce) {
    const std::function<void()> ways[] = {[this] { window->close(); },
                                          [this] { click(*window, "Quit"); },
                                          [this] { trayItem(5)->trigger(); }};
    for (const auto& endProgram : ways) {
        fakes.settings = {};
        fakes.prompter.shown.clear();
        fs::remove(game / "fortress" / "MatchPlayed-12-0-0.txt");
        storeAConfiguredProgram();
        console.say("a line of the match");
        ASSERT_EQ(open(), SoundProcessor::LoadResult::Loaded);
        tray.ItemAdd();
        start();
        window->showNormal(); // brought back from the tray, so its position is saved

        endProgram();
        endProgram(); // a second request changes nothing
        window->endProgram();

        EXPECT_TRUE(fakes.settings.has("frmSoundProcessor", "top"));
        EXPECT_TRUE(fs::exists(game / "fortress" / "MatchPlayed-12-0-0.txt"));
        EXPECT_EQ(shownTexts(fakes.prompter).size(), 1u) << "Stop ran once";
        EXPECT_FALSE(tray.trayIcon().isVisible()) << "the icon is removed";
        EXPECT_FALSE(window->session().isRunning());
    }
}

// The buttons, the tray's items and the choice of mode start and stop one session.
TEST_F(MainWindowTest, ButtonsTrayAndModeStartAndStopTheSessionAndShowWhetherItRuns) {
    storeAConfiguredProgram();
    ASSERT_EQ(open(), SoundProcessor::LoadResult::Loaded);
    configuration.QconsoleDel = false;
    // Whether the session runs, Start and Stop can be pressed, and the tray's icon moves.
    const auto shown = [&] {
        return std::tuple(window->session().isRunning(), child(*window, "cmdStart")->isEnabled(),
                          child(*window, "cmdStop")->isEnabled(), tray.isAnimating());
    };
    const auto running = std::tuple(true, false, true, true),
               idle = std::tuple(false, true, false, false);
    EXPECT_EQ(shown(), idle);
    start();
    EXPECT_EQ(shown(), running);
    EXPECT_TRUE(window->isMinimized()) << "no notification area here: minimised, not hidden";
    trayItem(3)->trigger();
    EXPECT_EQ(shown(), idle);
    trayItem(2)->trigger();
    EXPECT_EQ(shown(), running);
    click(*window, "optMod_1");
    EXPECT_EQ(shown(), idle) << "another mode stops the session";
    EXPECT_EQ(window->session().ConsoleLogPath(), (game / "qw" / "qconsole.log").string());

    window->hide();
    trayItem(0)->trigger();
    EXPECT_TRUE(window->isVisible());
}

TEST_F(MainWindowTest, EachMatchIsOneReadableRowAndKeysThatCannotReachTheGameAreToldOnce) {
    storeAConfiguredProgram();
    fakes.keyOutput.available = false;
    ASSERT_EQ(open(), SoundProcessor::LoadResult::Loaded);
    window->show();
    start();
    trayItem(2)->trigger(); // a pass while running
    gameSays("^1(\x10"
             "Al\x11)^7: SHOTGUN caf\xC3\xA9 \x01\x7F");
    ASSERT_TRUE(waitForEntries(4));
    EXPECT_EQ(entries().size(), 4);
    EXPECT_TRUE(entries().at(0).startsWith(QStringLiteral("Keys cannot reach the game")));
#ifdef _WIN32
    // Windows reads text in its ANSI code page, so UTF-8 from the game reads as two letters.
    const QString cafe = QStringLiteral(u"caf\u00C3\u00A9");
#else
    const QString cafe = QStringLiteral(u"caf\u00E9");
#endif
    EXPECT_EQ(entries().mid(1, 2), QStringList({QStringLiteral("Found Keywords : SHOTGUN"),
                                                QStringLiteral("Processing : ([Al]): SHOTGUN ") +
                                                    cafe + QStringLiteral(u" \u2401\u2421")}))
        << "console bytes of any kind show as one readable row";
    EXPECT_TRUE(fs::exists(game / "id1" / "bellcast.cfg")) << "play scripts are still written";

    for (int i = 0; i < 40; ++i)
        console.say("(Bob): SHOTGUN " + std::to_string(i));
    window->session().checkLog();
    ASSERT_TRUE(waitForEntries(124));
    EXPECT_EQ(entries().filter(QStringLiteral("Keys cannot reach")).size(), 1);
    const QScrollBar* scroll = child<QListWidget>(*window, "List1")->verticalScrollBar();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return scroll->maximum() > 0 && scroll->value() == scroll->maximum(); }, 5000))
        << "the newest entry is in sight";
}

} // namespace
