// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/main/frmSoundProcessor.h"

#include "core/keys/ModPushKeys.h"
#include "core/settings/Configuration.h"
#include "core/triggers/TriggerList.h"
#include "core/triggers/TriggerStore.h"
#include "gui/main/SessionDriver.h"
#include "gui/tray/frmStart.h"
#include "support/Controls.h"
#include "support/GameConsole.h"
#include "support/Patience.h"
#include "support/SessionFixture.h"
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
#include <QTimer>

#include <gmock/gmock.h>

#include <algorithm>
#include <fstream>
#include <thread>

namespace {

namespace fs = std::filesystem;

class MainWindowTest : public testing::Test {
protected:
    MainWindowTest() {
        for (const char* dir : {"id1", "fortress", "qw", "ctf"})
            fs::create_directory(game / dir);
    }

    std::string dir(const char* name) const { return (game / name).string(); }

    // Opens the window over settings as a player's earlier runs left them: key F2, game mode
    // TF, the triggers given.
    void openConfigured(const std::vector<Trigger>& stored = {
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
        ASSERT_EQ(open(), SoundProcessor::LoadResult::Loaded);
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

    QStringList entries() const { return rowTexts(*child<QListWidget>(*window, "List1")); }
    bool waitForEntries(int count) const {
        return QTest::qWaitFor([&] { return entries().size() >= count; }, kPatienceMs);
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

// A first start shows the upgrade and the read-me and ends when configuration is declined;
// accepted, configuration is offered again until a game mode directory is set.
TEST_F(MainWindowTest, FirstStartEndsWhenConfigurationIsDeclinedElseOffersItUntilAModeIsSet) {
    fakes.prompter.answers = {Prompter::Answer::Ok, Prompter::Answer::No};
    EXPECT_EQ(open(), SoundProcessor::LoadResult::Declined);
    EXPECT_THAT(
        shownTexts(fakes.prompter),
        testing::ElementsAre("You have installed a new or later version of Yelpcue",
                             "This program needs to be configured\r\nDo you want to do that now?"));
    ASSERT_EQ(fakes.launcher.openedTextFiles.size(), 1u);
    EXPECT_EQ(fs::path(fakes.launcher.openedTextFiles[0]).filename(), "readme.txt");
    EXPECT_FALSE(fakes.settings.has("frmSoundProcessor", "top"))
        << "a window never shown leaves no place behind: the next start keeps the design one";

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
    EXPECT_EQ(fakes.launcher.openedTextFiles.size(), 3u) << "the read-me comes with each question";
    EXPECT_EQ(configuration.Active_Mod_Dir, dir("fortress"));
    EXPECT_EQ(window->session().ConsoleLogPath(), console.path().string());
}

TEST_F(MainWindowTest, MatchStatsFollowTheSessionAndSortByAnyColumn) {
    openConfigured({{"Shotgun", "SHOTGUN", "shotgun.wav"},
                    {"Quad", "QUAD", "quad.wav", 60000},
                    {"Flag", "FLAG", "flag.wav"}});
    click(*window, "cmdStats");
    QWidget* stats = nullptr;
    for (QWidget* shown : QApplication::topLevelWidgets())
        stats = shown->objectName() == QStringLiteral("frmMatchStats") ? shown : stats;
    ASSERT_TRUE(stats && stats->isVisible());
    auto* table = child<QTableWidget>(*stats, "lstStats");
    const auto rows = [table] { return rowTexts(*table); };
    EXPECT_EQ(table->rowCount(), 0);

    start();
    fakes.clock.time = {21, 5, 9};
    console.say("(Bob): QUAD");
    gameSays("(Al): SHOTGUN");
    ASSERT_TRUE(QTest::qWaitFor([&] { return table->rowCount() == 2; }, kPatienceMs));
    fakes.clock.time = {21, 10, 0};
    console.say("(Al): quad");
    console.say("Al: SHOTGUN in all chat");
    console.say("console: FLAG taken");
    gameSays("(Bob): ^1QUAD");
    const QStringList shown{QStringLiteral("Quad|QUAD|3|2|0|21:10:0"),
                            QStringLiteral("Shotgun|SHOTGUN|1|0|1|21:5:9"),
                            QStringLiteral("Flag|FLAG|0|0|1|")};
    ASSERT_TRUE(QTest::qWaitFor([&] { return rows() == shown; }, kPatienceMs))
        << "follows the session";
    EXPECT_EQ(textOf(*stats, "lblSummary"), "Since the last Start: 6 lines read, 2 keys pushed.");
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
        console.say("a line of the match");
        openConfigured();
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
    openConfigured();
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
    fakes.keyOutput.available = false;
    openConfigured();
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
        [&] { return scroll->maximum() > 0 && scroll->value() == scroll->maximum(); }, kPatienceMs))
        << "the newest entry is in sight";
}

// The fixture's session, driven by the event loop; Stop leaves the log alone.
class SessionDriverTest : public SessionFixture {
protected:
    SessionDriverTest() {
        configuration.QconsoleDel = false;
        game.write("");
    }
    ~SessionDriverTest() override { driver.stop(); }

    QTimer* tickFileSize() { return driver.findChild<QTimer*>(QStringLiteral("tickFileSize")); }
    bool waitForPushes(std::size_t count) {
        return QTest::qWaitFor([&] { return pushed.size() >= count; }, kPatienceMs);
    }
    // Starts the session with a tick so rare that only a report of the change can be what
    // finds the game's writes; waits for the start's measure and the look the new watch brings.
    void startWithoutTick() {
        const long before = checks();
        driver.start();
        EXPECT_TRUE(tickFileSize()->isActive()) << "the tick runs with the session";
        tickFileSize()->setInterval(3'600'000);
        EXPECT_TRUE(QTest::qWaitFor([&] { return checks() > before + 1; }, kPatienceMs));
    }
    // Every check measures the log and shows its size.
    long checks() const {
        return std::ranges::count_if(view.events,
                                     [](auto& event) { return event.starts_with("size "); });
    }
    bool waitForCheck() {
        const long before = checks();
        return QTest::qWaitFor([&] { return checks() > before; }, kPatienceMs);
    }

    SessionDriver driver{session};
};

TEST_F(SessionDriverTest, TickDuringADispatchNeverRunsANestedPass) {
    // While the first key push is under way (a slow key output that lets the event loop
    // run), the game writes on and ticks come; lines stay in log order, one at a time. The
    // report of the write and the tick come while lines wait, so what reads line three is
    // the check made once the queued lines are done.
    game.write("(one): SHOTGUN\r\n(two): SHOTGUN\r\n");
    bool inPush = false, nested = false;
    onPush = [&](const std::string&) {
        nested = nested || inPush;
        inPush = true;
        if (pushed.size() == 1) {
            game.say("(three): SHOTGUN");
            driver.checkNow();
            QTest::qWait(700);
            tickFileSize()->setInterval(3'600'000);
        }
        inPush = false;
    };
    driver.start();
    ASSERT_TRUE(waitForPushes(3));
    EXPECT_FALSE(nested);
    EXPECT_EQ(processed(), (Lines{"(one): SHOTGUN", "(two): SHOTGUN", "(three): SHOTGUN"}));
}

TEST_F(SessionDriverTest, TheLogIsFollowedByItsNameAtOnceWhenReplacedOrDeletedAndCreatedAnew) {
    startWithoutTick();
    game.say("(Ann): SHOTGUN");
    ASSERT_TRUE(waitForPushes(1)) << "read when the game writes it, not at the next tick";
    // darkplaces puts a new file in the log's place when it starts.
    game.restartByReplacing("]condebug\r\n");
    ASSERT_TRUE(waitForCheck());
    QTest::qWait(50);
    game.say("(Bob): SHOTGUN");
    ASSERT_TRUE(waitForPushes(2)) << "the new file is watched";

    std::filesystem::remove(game.path());
    ASSERT_TRUE(waitForCheck());
    game.say("(Al): SHOTGUN");
    ASSERT_TRUE(waitForPushes(3)) << "the directory shows the log coming back";
    QTest::qWait(50);
    game.say("(Cy): SHOTGUN");
    EXPECT_TRUE(waitForPushes(4)) << "and the log that came back is watched";
    driver.stop();
    EXPECT_FALSE(tickFileSize()->isActive()) << "the tick stops with the session";
}

TEST_F(SessionDriverTest, ABurstOfChangesCostsOneCheck) {
    startWithoutTick();
    const long before = checks();
    // Many changes to the log and to its directory before the event loop runs again, none
    // of which adds text (a check that finds text runs a pass, which measures again).
    for (int i = 0; i < 50; ++i)
        fs::last_write_time(game.path(), fs::file_time_type::clock::now());
    for (int i = 0; i < 20; ++i)
        std::ofstream(quake / "fortress" / ("match" + std::to_string(i) + ".txt")) << i;
    ASSERT_TRUE(waitForCheck());
    QTest::qWait(200);
    // Windows's watcher may report a burst in two parts (seen under Wine); never one each.
#ifdef _WIN32
    EXPECT_LE(checks() - before, 2);
#else
    EXPECT_EQ(checks() - before, 1);
#endif
}

// Two thousand lines of chatter, then three calls whose key pushes are slow: the cheap lines
// share turns of the event loop, each slow line ends its turn, and a Stop arriving between two
// calls leaves the queued calls to follow in order.
TEST_F(SessionDriverTest, CheapLinesShareATurnASlowLineEndsItsTurnAndStopLetsTheQueueFollow) {
    std::string text;
    for (int i = 0; i < 2000; ++i)
        text += "(Bob): chatter " + std::to_string(i) + "\r\n";
    text += "(one): SHOTGUN\r\n(two): SHOTGUN\r\n(three): SHOTGUN\r\n";
    game.write(text);
    // Key pushes slower than a turn; such a push may end its turn.
    onPush = [](const std::string&) {
        std::this_thread::sleep_for(SessionDriver::kTurnBudget * 2);
    };
    // A zero timer fires once in every turn of the event loop; the first turn after a call
    // brings Stop.
    std::vector<std::size_t> pushedAtEachTurn;
    QTimer turns;
    QObject::connect(&turns, &QTimer::timeout, [&] {
        pushedAtEachTurn.push_back(pushed.size());
        if (pushed.size() == 1 && session.isRunning())
            driver.stop();
    });
    turns.start(0);
    driver.start();
    ASSERT_TRUE(waitForPushes(3));
    turns.stop();

    EXPECT_LT(std::ranges::count(pushedAtEachTurn, 0u), 2000)
        << "2,000 lines of chatter share turns";
    EXPECT_THAT(pushedAtEachTurn, testing::AllOf(testing::Contains(1u), testing::Contains(2u)))
        << "the event loop ran between the slow lines";
    EXPECT_EQ(processed(), (Lines{"(one): SHOTGUN", "(two): SHOTGUN", "(three): SHOTGUN"}));
    EXPECT_FALSE(session.isRunning());
}

} // namespace
