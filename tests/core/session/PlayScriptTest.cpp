#include "core/session/PlayScript.h"

#include "core/session/TriggerCalls.h"
#include "core/settings/Configuration.h"
#include "core/triggers/TriggerList.h"
#include "support/FakeClock.h"
#include "support/FullDisk.h"
#include "support/Recorders.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

TEST(WordArrayTest, KeywordIsCutAtItsFirstSpaceOnly) {
    using Words = std::vector<std::string>;
    EXPECT_EQ(word_array("SHOTGUN"), Words{"SHOTGUN"});
    EXPECT_EQ(word_array("GET QUAD"), (Words{"GET", " QUAD"}));
    EXPECT_EQ(word_array("NEED MORE AMMO"), (Words{"NEED", " MORE AMMO"}));
    EXPECT_EQ(word_array(" QUAD"), (Words{"", " QUAD"}));
}

TEST(BaseFileNameTest, CutsAtEitherSeparator) {
    EXPECT_EQ(BaseFileName("C:\\Sounds\\shotgun.wav"), "shotgun.wav");
    EXPECT_EQ(BaseFileName("/home/p/sounds/shotgun.wav"), "shotgun.wav");
    EXPECT_EQ(BaseFileName("shotgun.wav"), "shotgun.wav");
    EXPECT_EQ(BaseFileName("C:\\Sounds\\"), "");
}

struct MatchCase {
    const char* keyword;
    const char* piece;
    bool matches;
};

class MatchingRuleTest : public testing::TestWithParam<MatchCase> {};

TEST_P(MatchingRuleTest, EveryWordOccursInAnyCaseAndOrder) {
    TriggerList list;
    list.append({"t", GetParam().keyword, "t.wav"});
    TriggerMatcher matcher(list);
    EXPECT_EQ(matcher.firstMatch(GetParam().piece).has_value(), GetParam().matches)
        << GetParam().keyword << " in " << GetParam().piece;
}

INSTANTIATE_TEST_SUITE_P(Rule, MatchingRuleTest,
                         testing::Values(MatchCase{"GET QUAD", "(Bob): quad get", true},
                                         MatchCase{"GET QUAD", "(Bob): get the quad", true},
                                         MatchCase{"GET QUAD", "(Bob): getquad", false},
                                         MatchCase{"shotgun", "Bob: SHOTGUN", true},
                                         MatchCase{"SHOTGUN", "Bob: shotGun!", true},
                                         MatchCase{"SHOTGUN", "Bob: shot gun", false},
                                         MatchCase{" QUAD", "x QUAD", true},
                                         MatchCase{" QUAD", "QUAD", false},
                                         MatchCase{"SHOTGUN", "", false}));

TEST(TriggerMatcherTest, LowestPositionWinsAndEmptyPositionsNeverMatch) {
    TriggerList list;
    list.resize(1); // an empty position first
    list.append({"second", "QUAD", "b.wav"});
    list.append({"third", "GET QUAD", "c.wav"});
    TriggerMatcher matcher(list);
    EXPECT_EQ(matcher.firstMatch("get quad"), 2);
    EXPECT_EQ(matcher.firstMatch("nothing here"), std::nullopt);

    list.set(2, {});
    EXPECT_EQ(matcher.firstMatch("get quad"), 3) << "the matcher follows changes of the list";
}

class PlayScriptDispatchTest : public testing::Test {
protected:
    PlayScriptDispatchTest() {
        fs::create_directory(game / "id1");
        configuration.Quake_Dir = game.path().string();
    }

    fs::path script() const { return game / "id1" / "bellcast.cfg"; }

    TempDir game;
    Configuration configuration;
    TriggerList triggers;
    RecordingActivityList activity;
    FakeClock clock;
    TriggerCalls calls{triggers, clock};
    PlayScriptDispatch dispatch{calls, configuration, activity};
};

TEST_F(PlayScriptDispatchTest, MatchWritesTheOneLinePlayScriptWithTheSoundsFileName) {
    for (const char* sound : {"C:\\Sounds\\shotgun.wav", "/home/p/sounds/shotgun.wav"}) {
        triggers.resize(0);
        triggers.append({"Shotgun", "SHOTGUN", sound});
        activity.entries.clear();

        EXPECT_TRUE(dispatch.create_play_script("Bob: SHOTGUN"));
        EXPECT_EQ(readFile(script()), "play shotgun.wav\r\n") << sound;
        EXPECT_EQ(activity.entries, std::vector<std::string>{"Found Keywords : SHOTGUN"});
    }
}

TEST_F(PlayScriptDispatchTest, FirstMatchingTriggerActsAndLaterMatchesRewriteTheScript) {
    triggers.append({"Quad", "QUAD", "quad.wav"});
    triggers.append({"Get quad", "GET QUAD", "getquad.wav"});
    triggers.append({"Armor", "ARMOR", "armor.wav"});

    EXPECT_TRUE(dispatch.create_play_script("get the quad"));
    EXPECT_EQ(readFile(script()), "play quad.wav\r\n");
    EXPECT_TRUE(dispatch.create_play_script("need armor"));
    EXPECT_EQ(readFile(script()), "play armor.wav\r\n");

    EXPECT_FALSE(dispatch.create_play_script("nothing to see"));
    EXPECT_FALSE(dispatch.create_play_script(""));
    EXPECT_EQ(readFile(script()), "play armor.wav\r\n") << "no match leaves the script alone";
    EXPECT_EQ(activity.entries,
              (std::vector<std::string>{"Found Keywords : QUAD", "Found Keywords : ARMOR"}));

    EXPECT_TRUE(dispatch.create_play_script("quad!"));
    EXPECT_EQ(readFile(script()), "play quad.wav\r\n") << "nothing is left of a longer line";
}

TEST_F(PlayScriptDispatchTest, ScriptGoesIntoTheExistingGameDirectoryInAnyLetterCase) {
    fs::remove(game / "id1");
    fs::create_directory(game / "ID1");
    triggers.append({"Shotgun", "SHOTGUN", "sg.wav"});
    EXPECT_TRUE(dispatch.create_play_script("SHOTGUN"));
    EXPECT_EQ(readFile(game / "ID1" / "bellcast.cfg"), "play sg.wav\r\n");
}

TEST_F(PlayScriptDispatchTest, UnwritableGameDirectoryStillCountsAsAMatch) {
    triggers.append({"Shotgun", "SHOTGUN", "sg.wav"});
    for (const std::string& quakeDir : {(game / "missing").string(), std::string()}) {
        configuration.Quake_Dir = quakeDir;
        activity.entries.clear();
        EXPECT_TRUE(dispatch.create_play_script("SHOTGUN")) << quakeDir;
        ASSERT_EQ(activity.entries.size(), 2u);
        EXPECT_EQ(activity.entries[0], "Found Keywords : SHOTGUN");
        EXPECT_NE(activity.entries[1].find("Play script not written"), std::string::npos);
    }
    EXPECT_FALSE(fs::exists(game / "missing"));
}

TEST_F(PlayScriptDispatchTest, SoundNameThatWouldRunGameCommandsIsRefused) {
    writeFile(script(), "play old.wav\r\n");
    for (const char* sound : {"x.wav;quit", "x.wav\"; rcon", "x\nquit", "x\rquit", "a\tb.wav"}) {
        triggers.resize(0);
        triggers.append({"Evil", "SHOTGUN", sound});
        activity.entries.clear();

        EXPECT_FALSE(dispatch.create_play_script("SHOTGUN")) << sound;
        ASSERT_EQ(activity.entries.size(), 2u);
        EXPECT_EQ(activity.entries[0], "Found Keywords : SHOTGUN");
        EXPECT_NE(activity.entries[1].find("Sound name refused"), std::string::npos);
    }
    EXPECT_EQ(readFile(script()), "play old.wav\r\n");
}

#ifndef _WIN32
TEST_F(PlayScriptDispatchTest, AFullDiskIsTheListsEntryAndTheMatchStands) {
    triggers.append({"Shotgun", "SHOTGUN", "shotgun.wav"});
    writeFile(script(), "play a.wav\r\n");
    EXPECT_TRUE(underFileSizeLimit(14, [&] {
        return dispatch.create_play_script("Bob: SHOTGUN") && activity.entries.size() == 2 &&
               activity.entries[1] == "Play script not written: cannot write " + script().string();
    })) << "the match is told and the key is pushed all the same";
    EXPECT_EQ(readFile(script()), "") << "nothing of a cut-short command is left to run";
}
#endif

} // namespace
