#include "core/session/SoundProcessor.h"

#include "core/session/MonitoringSession.h"
#include "core/settings/Configuration.h"
#include "core/text/PathText.h"
#include "core/triggers/TriggerList.h"
#include "support/FakeClock.h"
#include "support/FakeLauncher.h"
#include "support/FakePrompter.h"
#include "support/FakeSettingsStore.h"
#include "support/Recorders.h"
#include "support/RecordingKeyOutput.h"
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

class NormalWindow final : public WindowGeometry {
public:
    double twips(Edge) const override { return 0; }
    void setTwips(Edge, double) override {}
    bool isNormalState() const override { return true; }
};

// The settings hold the directories as text in the system's encoding, and so does the path
// of the log that the session watches.
TEST(SoundProcessorTest, SessionWatchesTheLogOfAGameModeDirectoryBeyondAscii) {
    TempDir dir;
    const fs::path game = dir.path() / text::toPath(kNameBeyondAscii);
    fs::create_directories(game / "fortress");
    fs::create_directories(game / "qw");
    FakeSettingsStore settings;
    settings.save(settings::kParams, "reg_version", settings::kCurrentVersion);
    settings.save(settings::kParams, "TF_Dir", text::fromPath(game / "fortress"));
    settings.save(settings::kParams, "DM_Dir", text::fromPath(game / "qw"));
    settings.save(settings::kParams, "Active_Mod_Dir", text::fromPath(game / "fortress"));

    FakePrompter prompter;
    FakeLauncher launcher;
    RecordingKeyOutput keyOutput;
    FakeClock clock;
    Configuration configuration;
    TriggerList triggers;
    RecordingActivityList activity;
    RecordingSessionView view;
    MonitoringSession session(configuration, triggers, activity, view, clock, prompter,
                              [](const std::string&) {});
    NormalWindow window;
    SoundProcessor processor({settings, prompter, launcher, keyOutput}, configuration, triggers,
                             session, activity, window, "readme.txt",
                             {[](GameMode) {}, [] {}, [] {}, [] {}});

    ASSERT_EQ(processor.Form_Load(), SoundProcessor::LoadResult::Loaded);
    EXPECT_EQ(session.ConsoleLogPath, text::fromPath(game / "fortress" / "qconsole.log"));
    processor.optMod_Click(GameMode::DM);
    EXPECT_EQ(session.ConsoleLogPath, text::fromPath(game / "qw" / "qconsole.log"));
}

} // namespace
