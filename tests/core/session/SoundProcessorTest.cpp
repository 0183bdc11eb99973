// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/session/SoundProcessor.h"

#include "core/game/GamePaths.h"
#include "core/text/PathText.h"
#include "support/FakeClock.h"
#include "support/RecordingKeyOutput.h"
#include "support/SoundProcessorRig.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

TEST(ReadmeLocationTest, ReadmeBesideTheProgramElseWhereItIsInstalled) {
    TempDir prefix;
    fs::create_directories(prefix / "bin");
    fs::create_directories(prefix / "share" / "doc" / "yelpcue");
    const std::string bin = (prefix / "bin").string();
    EXPECT_EQ(readmeLocation(bin), (prefix / "bin" / "readme.txt").string())
        << "nothing found: the place beside the program";

    writeFile(prefix / "share" / "doc" / "yelpcue" / "readme.txt", "installed");
    EXPECT_EQ(readFile(readmeLocation(bin)), "installed");

    writeFile(prefix / "bin" / "readme.txt", "beside");
    EXPECT_EQ(readFile(readmeLocation(bin)), "beside");
}

// What the rig needs before it is made.
struct Keys {
    RecordingKeyOutput keyOutput;
    FakeClock clock;
};

class SoundProcessorTest : public testing::Test, protected Keys, protected SoundProcessorRig {
protected:
    SoundProcessorTest()
        : SoundProcessorRig(keyOutput, clock, [](const std::string&) {}) {}

    void store(const char* key, const fs::path& value) {
        settings.save(settings::kParams, key, text::fromPath(value));
    }
    // A configured program whose game directory is `game`.
    void storeConfiguration() {
        settings.save(settings::kParams, "reg_version", settings::kCurrentVersion);
        store("Quake_Dir", game);
        store("Quake_Id1_sound", game / "id1" / "sound");
        store("TF_Dir", game / "fortress");
        store("DM_Dir", game / "qw");
        store("CTF_Dir", game / "ctf");
        store("Active_Mod_Dir", game / "fortress");
    }

    TempDir dir;
    // Settings hold directories as text in the system's encoding, and so does the log's path.
    fs::path game = dir.path() / text::toPath(kNameBeyondAscii);
};

// The log watched follows the game mode, except where the game writes one log for all
// (quakespasm, ezQuake); the mode still names where the match files go.
TEST_F(SoundProcessorTest, SessionWatchesTheModesLogOrTheGamesOneLog) {
    for (const char* directory : {"id1", "fortress", "qw"})
        fs::create_directories(game / directory);
    const fs::path oneLog = game / "qconsole.log";
    for (const bool writesOneLog : {false, true}) {
        storeConfiguration();
        if (writesOneLog) {
            writeFile(oneLog, "Bob: a match in the log\r\n");
            store("Console_Log", oneLog);
        }
        ASSERT_EQ(processor.load(), SoundProcessor::LoadResult::Loaded);
        EXPECT_EQ(session.ConsoleLogPath(),
                  text::fromPath(writesOneLog ? oneLog : game / "fortress" / "qconsole.log"));
        processor.start();
        processor.selectGameMode(GameMode::CTF);
        EXPECT_EQ(session.ConsoleLogPath(),
                  text::fromPath(writesOneLog ? oneLog : game / "ctf" / "qconsole.log"));
        EXPECT_EQ(settings.get(settings::kParams, "Active_Mod_Dir"), text::fromPath(game / "ctf"));
    }
    EXPECT_EQ(std::ranges::distance(fs::directory_iterator(game / "ctf")), 1)
        << "the match file of the session stopped with the one log";
}

// ezQuake lists the game's files once, at its start: the play script must be there before.
TEST_F(SoundProcessorTest, PlayScriptIsMadeAtStartUpAndAtStartWhenMissing) {
    fs::create_directories(game / "id1" / "sound");
    storeConfiguration();

    ASSERT_EQ(processor.load(), SoundProcessor::LoadResult::Loaded);
    const fs::path script =
        *gamepaths::playScript(configuration.Quake_Dir, configuration.Quake_Id1_sound);
    EXPECT_EQ(readFile(script), "// Yelpcue writes the sound to play here\r\n");
    fs::remove(script);
    processor.start();
    EXPECT_TRUE(fs::exists(script));
    EXPECT_EQ(activity.entries, std::vector<std::string>{"Sound will not play (not in the game's "
                                                         "sound folder) : Bitch.wav"});

    fs::remove_all(game / "id1");
    session.stop();
    processor.start();
    ASSERT_FALSE(activity.entries.empty());
    EXPECT_NE(activity.entries.back().find(text::fromPath(script)), std::string::npos)
        << "the list says which script could not be made";
}

} // namespace
