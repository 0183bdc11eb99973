// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/session/MonitoringSession.h"

#include "core/session/ConsoleLogFollower.h"
#include "support/FullDisk.h"
#include "support/SessionFixture.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

using SessionTest = SessionFixture;

TEST_F(SessionTest, LinesWrittenInAnyPiecesAreEachProcessedOnceWhole) {
    triggers.append({"Quad", "GET QUAD", "quad.wav"});
    session.start();
    for (const std::string end : {"\r\n", "\n"}) {
        const std::string text =
            "(Bob): SHOTGUN" + end + "(Alice): nothing" + end + "(Carl): get the quad" + end;
        // Each piece written and closed on its own, and read before the next.
        for (std::size_t piece = 1; piece <= text.size(); ++piece) {
            activity.entries.clear();
            for (std::size_t at = 0; at < text.size(); at += piece) {
                game.write(text.substr(at, piece));
                tick();
            }
            EXPECT_EQ(processed(), (Lines{"(Bob): SHOTGUN", "(Carl): get the quad"})) << piece;
        }
    }
    EXPECT_EQ(readFile(playScript()), "play quad.wav\r\n") << "the last match's sound";
    EXPECT_EQ(session.ReadPosition(), session.LogLength());
}

TEST_F(SessionTest, LogThatStartsAfreshIsReadFromItsBeginning) {
    using Restart = std::tuple<const char*, void (GameConsole::*)(std::string_view), std::string>;
    const std::string first = "(Bob): first game, SHOTGUN\r\n", shotgun = "(Bob): SHOTGUN\r\n";
    const std::string longer = shotgun + std::string(200, '.') + "\r\n";
    const auto truncate = &GameConsole::restartByTruncating,
               replace = &GameConsole::restartByReplacing;
    // The last: a new game writes the same banner first.
    for (const auto& [how, restart, firstText] :
         {Restart{"truncated", truncate, shotgun}, Restart{"replaced", replace, shotgun},
          Restart{"replaced, longer", replace, longer},
          Restart{"truncated, regrown longer", truncate, longer},
          Restart{"replaced, same start", replace, first + shotgun}}) {
        game.restartByTruncating();
        game.write(first);
        session.start();
        tick();
        activity.entries.clear();

        (game.*restart)(firstText);
        tick();
        Lines expected{"(Bob): SHOTGUN"};
        if (firstText.starts_with(first))
            expected.insert(expected.begin(), first.substr(0, first.size() - 2));
        EXPECT_EQ(processed(), expected) << how;
    }
}

// Text in the log at loading is never processed, not even the rest of its last line.
TEST_F(SessionTest, ALogBeyond2GiBIsFollowedFromItsEndWithItsSizeShownInKibibytes) {
    // Sparse: the file system stores the hole without the disk space.
    const auto size = (std::int64_t{2} << 30) + 1000;
    game.write("(Bob): SHOTGUN\r\n(Eve): ");
    fs::resize_file(game.path(), static_cast<std::uintmax_t>(size));
    session.skipExistingText();
    EXPECT_EQ(view.events.back(), "size 2097152k");

    session.start();
    game.write("SHOTGUN\r\n(Al): SHOTGUN\r\n");
    tick();
    EXPECT_EQ(processed(), Lines{"(Al): SHOTGUN"});
    EXPECT_EQ(session.ReadPosition(), size + 24);
}

TEST_F(SessionTest, QuakeTextIsMatchedAndShownAsThePlayerReadsItAndBackedUpAsItStands) {
    triggers.append({"Quad", "quad", "quad.wav"});
    triggers.append({"UTF-8", "\xC3\xA9t\xC3\xA9", "ete.wav"});
    session.skipExistingText();
    session.start();
    tick();
    EXPECT_TRUE(prompter.shown.empty()) << "a log not written yet is an empty one";
    // say_team {QUAD UP} of a QuakeWorld client, in red; a DarkPlaces line in UTF-8.
    const std::string red = "\x01(Bob): \xD1\xD5\xC1\xC4\xA0\xD5\xD0";
    game.say(red);
    game.say("^7(Al): ^xF00\xC3\xA9t\xC3\xA9");
    game.say("(Al): caf\xE9 \xE9t\xE9"); // Latin-1 is no UTF-8: red "i" and "t"
    tick();
    EXPECT_EQ(processed(), (Lines{"\x01(Bob): QUAD UP", "(Al): \xC3\xA9t\xC3\xA9"}));
    EXPECT_EQ(readFile(playScript()), "play ete.wav\r\n");

    session.stop();
    EXPECT_NE(readFile(matchFile()).find(red), std::string::npos);
}

TEST_F(SessionTest, QuietTimeSkipsCallsAfterAPlayAndMatchStatsCountEachSessionAfresh) {
    triggers.append({"Quad", "QUAD", "quad.wav", 10000});
    session.start();
    using Call = std::tuple<int, const char*, bool>;
    for (const auto& [atMs, line, plays] :
         {Call{1000, "(Bob): QUAD", true}, Call{5000, "(Al): quad", false},
          Call{5000, "(Al): SHOTGUN", true}, Call{10999, "(Bob): QUAD!", false},
          Call{11000, "(Bob): QUAD!!", true}, Call{20999, "(Al): quad", false}}) {
        activity.entries.clear();
        clock.steady = std::chrono::milliseconds(atMs);
        game.say(line);
        tick();
        EXPECT_EQ(plays ? processed().at(0) : activity.entries.at(0),
                  (plays ? "" : "Skipped (quiet time) : ") + std::string(line));
    }
    ASSERT_EQ(session.calls().stats().rows.size(), 2u);
    session.stop();
    session.start();
    EXPECT_TRUE(session.calls().stats().rows.empty()) << "a new session counts afresh";
}

TEST_F(SessionTest, TheTesterAnswersEveryLineAsTheSessionThenDoes) {
    triggers.append({"Quad", "GET QUAD", "get quad.wav", 5000});
    triggers.append({"Rocket", "RL", "say;quit.wav"});
    session.start();
    for (const char* line :
         {"(Bob): \xC7\xC5\xD4 ^1quad", "failed to load sound \"get quad.wav\"", "nothing",
          "(Al): get the quad", "Bob: shotgun rl", "(Al): rl", "gold \x12\x13 &cf00get &rquad"}) {
        const TriggerCalls::Answer tested = session.calls().test(line);
        const std::string answer =
            tested.skipped()  ? "Skipped (quiet time) : " + std::string(tested.text)
            : tested.position ? "Found Keywords : " + triggers.at(*tested.position).keyword
                              : "";
        activity.entries.clear();
        game.say(line);
        tick();
        EXPECT_EQ(activity.entries.empty() ? "" : activity.entries.front(), answer) << line;
    }
}

TEST_F(SessionTest, LowerCaseLettersAndDigitsAreTypedOtherNamesAreKeysAndNothingIsNothing) {
    for (const char* key : {"k", "K", "9", "F12", "PAUSE", ""}) {
        configuration.Selected_Key = key;
        session.PushSelectedKey();
    }
    EXPECT_EQ(pushed, (Lines{"k", "{K}", "9", "{F12}", "{PAUSE}"}));
}

// What the game prints in answer to the play script is no call: taking it for one made the
// game answer a missing sound again, and the key was pushed without end.
TEST_F(SessionTest, TheGamesAnswersToThePlayScriptAreNoCallsButATeammatesLineIs) {
    triggers.append({"Quad", "QUAD", "C:\\Sounds\\Quad"}); // "play Quad.wav"
    // Any line may call it, so only what the game says of its play script keeps
    // "execing bellcast.cfg" from calling.
    triggers.append({"Bell", "BELL", "bell.wav", 0, text::Callers::AnyLine});
    session.start();
    game.say("(Bob): QUAD up");
    tick();
    // At the same moment: another call, the answers of several engines to both play
    // scripts, and a teammate's line.
    for (const char* line :
         {"(Cy): SHOTGUN", "^7failed to load sound \"quad.wav\"", "Couldn't load sound/SHOTGUN.WAV",
          "S_LoadSound: couldn't load sound/quad.wav", "execing bellcast.cfg",
          "execing /home/p/quake/id1/Bellcast.CFG", "(Al): QUAD here too",
          "(Al): my_quad.wav QUAD"})
        game.say(line);
    tick();
    EXPECT_EQ(processed(), (Lines{"(Bob): QUAD up", "(Cy): SHOTGUN", "(Al): QUAD here too",
                                  "(Al): my_quad.wav QUAD"}));
    EXPECT_EQ(pushed.size(), 4u);

    // Long after the last play script, a line naming its sound is a call again.
    clock.steady += GameEchoes::kAnswerTime + std::chrono::milliseconds(1);
    game.say("(Eve): QUAD, quad.wav is mine");
    tick();
    EXPECT_EQ(processed().back(), "(Eve): QUAD, quad.wav is mine");
}

// Whatever else the game may answer, one trigger's key is never pushed without end.
TEST_F(SessionTest, ATriggerCalledFasterThanATeamTypesHasItsKeyHeldForAWhile) {
    using std::chrono::milliseconds;
    triggers.append({"Quad", "QUAD", "quad.wav"});
    session.start();
    const auto callAt = [&](milliseconds at, const char* line) {
        clock.steady = at;
        game.say(line);
        tick();
    };
    // A full team calling within two seconds plays.
    for (int call = 0; call < RunawayGuard::kMostCalls; ++call)
        callAt(milliseconds(200 * call), "(Bob): SHOTGUN");
    ASSERT_EQ(pushed.size(), 8u);
    callAt(milliseconds(1700), "(Bob): SHOTGUN, one call too many");
    callAt(milliseconds(1800), "(Bob): SHOTGUN");
    callAt(milliseconds(1900), "(Bob): QUAD");
    EXPECT_EQ(pushed.size(), 9u) << "only the other trigger's call was pushed";
    const auto notPressed = [](const std::string& e) { return e.find("not pressed") != e.npos; };
    EXPECT_EQ(std::ranges::count_if(activity.entries, notPressed), 1) << "the list says so once";
    callAt(milliseconds(1700) + RunawayGuard::kHoldTime - milliseconds(1), "(Bob): SHOTGUN");
    EXPECT_EQ(pushed.size(), 9u);
    callAt(milliseconds(1700) + RunawayGuard::kHoldTime, "(Bob): SHOTGUN");
    EXPECT_EQ(pushed.size(), 10u) << "pressed again after the hold";
}

TEST_F(SessionTest, StopBacksTheLogUpOrLeavesItWhole) {
    const std::string marker = "** Cleared by Yelpcue **\r\n";
    const std::string saved =
        "The console file was saved\n\ras a match file in your game direcotry";
    const std::string failed = "Unable to create a backup of console log file";
    // olderMatch: a match file of the same name, and the answer to Overwrite?
    using Row = std::tuple<const char*, bool, bool, const char*, const char*, bool, std::string>;
    // Without a game mode directory no match file lands in the working directory: the
    // test's own, so that a file left there by a failure misleads no later run.
    const fs::path workingDirectory = fs::current_path();
    fs::current_path(dir.path());
    // The tray's Start, or a tick, while a box of Stop's is open: no pass starts.
    prompter.whileOpen = [this] {
        session.start();
        session.checkLog();
    };
    for (const auto& [how, QconsoleDel, modDir, log, olderMatch, clears, message] :
         {Row{"backed up", true, true, "(Bob): SHOTGUN\r\n", nullptr, true, saved},
          Row{"overwrite", true, true, "(Bob): SHOTGUN\r\n", "Yes", true, saved},
          Row{"no overwrite", true, true, "(Bob): SHOTGUN\r\n", "No", false, failed},
          Row{"empty log", true, true, "", nullptr, false, failed},
          Row{"no game mode directory", true, false, "(Bob): SHOTGUN\r\n", nullptr, false, failed},
          Row{"option off", false, true, "(Bob): SHOTGUN\r\n", nullptr, false, ""}}) {
        SCOPED_TRACE(how);
        fs::remove_all(quake / "fortress");
        fs::create_directories(quake / "fortress");
        prompter.shown.clear();
        configuration.QconsoleDel = QconsoleDel;
        configuration.Active_Mod_Dir = modDir ? text::fromPath(quake / "fortress") : "";
        writeFile(game.path(), log);
        if (olderMatch) {
            writeFile(matchFile(), "older match");
            prompter.answers = {std::string(olderMatch) == "Yes" ? Prompter::Answer::Yes
                                                                 : Prompter::Answer::No};
        }
        session.start();
        drain();
        session.stop();
        EXPECT_FALSE(session.isRunning());
        EXPECT_FALSE(session.hasPendingLines());
        EXPECT_EQ(readFile(game.path()), clears ? marker : log);
        EXPECT_EQ(fs::exists(matchFile()) ? readFile(matchFile()) : "",
                  clears ? log : (olderMatch ? "older match" : ""));
        EXPECT_EQ(prompter.shown.empty() ? "" : prompter.shown.back().text, message);
    }
    fs::current_path(workingDirectory);
    EXPECT_FALSE(fs::exists(dir / "MatchPlayed-21-5-9.txt"));
}

#ifndef _WIN32
TEST_F(SessionTest, AFullDiskIsAFailedBackupAndTheLogStaysUncleared) {
    const std::string log = "(Bob): SHOTGUN\r\n" + std::string(5000, 'x') + "\r\n";
    game.write(log);
    session.start();
    EXPECT_TRUE(underFileSizeLimit(1000, [&] {
        session.stop();
        return prompter.shown.size() == 2 && prompter.shown[0].text == "Copy Error!" &&
               prompter.shown.back().text == "Unable to create a backup of console log file" &&
               !session.isRunning();
    }));
    EXPECT_EQ(readFile(game.path()), log);
    EXPECT_EQ(std::ranges::distance(fs::directory_iterator(quake / "fortress")), 1)
        << "no match file, whole or partial";
}
#endif

// The next session never replays the calls of the last one: it reads what the log gains
// after Stop, or the whole log when Stop has cleared it.
TEST_F(SessionTest, QueuedLinesAreStillDispatchedAndTheNextSessionReadsOnlyWhatFollowsStop) {
    using Row = std::tuple<const char*, bool, bool>;
    for (const auto& [stop, QconsoleDel, modDir] :
         {Row{"without the option", false, true}, Row{"after a failed backup", true, false},
          Row{"after clearing the log", true, true}}) {
        SCOPED_TRACE(stop);
        configuration.QconsoleDel = QconsoleDel;
        configuration.Active_Mod_Dir = modDir ? text::fromPath(quake / "fortress") : "";
        activity.entries.clear();
        game.say("(old): SHOTGUN");
        session.skipExistingText();
        session.start();
        game.write("(Bob): SHOTGUN\r\n(Al): SHOTGUN\r\n");
        session.checkLog();
        session.dispatchNextLine();
        game.say("(Cy): SHOTGUN"); // after the last look: part of the match, never a call
        session.stop();
        drain();

        game.say("(Eve): SHOTGUN");
        session.start();
        drain();
        EXPECT_EQ(processed(), (Lines{"(Bob): SHOTGUN", "(Al): SHOTGUN", "(Eve): SHOTGUN"}));
        session.stop();
    }
}

// The log not written yet, a folder, or no path at all.
TEST_F(SessionTest, APathThatIsNoFileIsAnEmptyLog) {
    ConsoleLogFollower follower;
    for (const fs::path& path : {game.path(), dir.path(), fs::path()}) {
        EXPECT_EQ(follower.measure(path), 0) << path;
        EXPECT_FALSE(follower.hasUnreadText());
        EXPECT_TRUE(follower.readNewLines(path).empty());
    }
}

} // namespace
