#include "gui/main/SessionDriver.h"

#include "support/SessionFixture.h"

#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <thread>

namespace {

namespace fs = std::filesystem;

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
        return QTest::qWaitFor([&] { return pushed.size() >= count; }, 5000);
    }
    // Starts the session with a tick so rare that only a report of the change can be what
    // finds the game's writes.
    void startWithoutTick() {
        driver.start();
        tickFileSize()->setInterval(3'600'000);
        QTest::qWait(50);
    }
    // Every check measures the log and shows its size.
    long checks() const {
        return std::count_if(view.events.begin(), view.events.end(),
                             [](const std::string& event) { return event.starts_with("size "); });
    }
    bool waitForCheck() {
        const long before = checks();
        return QTest::qWaitFor([&] { return checks() > before; }, 5000);
    }

    SessionDriver driver{session};
};

TEST_F(SessionDriverTest, TimerRunsWithTheSessionAndFindsWhatTheGameWrites) {
    ASSERT_NE(tickFileSize(), nullptr);
    EXPECT_FALSE(tickFileSize()->isActive());
    driver.start();
    EXPECT_TRUE(tickFileSize()->isActive());

    game.say("(Bob): SHOTGUN");
    EXPECT_TRUE(waitForPushes(1)) << "the next tick reads the line";

    driver.stop();
    EXPECT_FALSE(tickFileSize()->isActive());
    game.say("(Al): SHOTGUN");
    QTest::qWait(800);
    EXPECT_EQ(pushed.size(), 1u) << "no check after Stop";
}

TEST_F(SessionDriverTest, StopArrivesBetweenLinesAndTheQueuedLinesStillFollowInOrder) {
    game.write("(one): SHOTGUN\r\n(two): SHOTGUN\r\n(three): SHOTGUN\r\n(four): SHOTGUN\r\n");
    // Key pushes slower than a turn, so that a fast build cannot dispatch all in one.
    onPush = [](const std::string&) {
        std::this_thread::sleep_for(SessionDriver::kTurnBudget * 2);
    };
    std::size_t pushedAtStop = 0;
    driver.start();
    QTimer::singleShot(0, [&] {
        pushedAtStop = pushed.size();
        driver.stop();
    });
    ASSERT_TRUE(waitForPushes(4));
    EXPECT_LT(pushedAtStop, 4u) << "the event loop ran between the lines";
    EXPECT_EQ(processed(),
              (Lines{"(one): SHOTGUN", "(two): SHOTGUN", "(three): SHOTGUN", "(four): SHOTGUN"}));
    EXPECT_FALSE(session.isRunning());
}

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
    EXPECT_LE(checks() - before, 2);
}

TEST_F(SessionDriverTest, CheapLinesShareATurnAndASlowLineEndsItsTurn) {
    std::string text;
    for (int i = 0; i < 2000; ++i)
        text += "(Bob): chatter " + std::to_string(i) + "\r\n";
    text += "(one): SHOTGUN\r\n(two): SHOTGUN\r\n(three): SHOTGUN\r\n";
    game.write(text);
    // A key push that takes longer than a turn may dispatch lines.
    onPush = [](const std::string&) {
        std::this_thread::sleep_for(SessionDriver::kTurnBudget * 2);
    };
    // A zero timer fires once in every turn of the event loop.
    std::vector<std::size_t> pushedAtEachTurn;
    QTimer turns;
    QObject::connect(&turns, &QTimer::timeout, [&] { pushedAtEachTurn.push_back(pushed.size()); });
    turns.start(0);
    driver.start();
    ASSERT_TRUE(waitForPushes(3));
    turns.stop();

    const auto turnsAfter = [&](std::size_t pushes) {
        return std::count(pushedAtEachTurn.begin(), pushedAtEachTurn.end(), pushes);
    };
    EXPECT_LT(turnsAfter(0), 1000) << "2,000 lines of chatter took fewer than 1,000 turns";
    EXPECT_TRUE(turnsAfter(1) && turnsAfter(2)) << "the event loop ran between the slow lines";
    EXPECT_EQ(processed(), (Lines{"(one): SHOTGUN", "(two): SHOTGUN", "(three): SHOTGUN"}));
}

} // namespace
