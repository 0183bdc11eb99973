// Yelpcue with the real games: a Quake engine from Debian runs under the test script's X
// server, and Yelpcue is set up and used as a player would: the configure window's steps on
// the log where that engine really writes it, the game started, the program started, then
// Start. A team line that the game itself prints must make the game run the play script
// through Yelpcue's key, and the game's log shows what it ran.

#include "core/game/ConfigScript.h"
#include "core/game/GameDirectories.h"
#include "core/game/KeyList.h"
#include "core/keys/ModPushKeys.h"
#include "core/keys/UsKeyboardLayout.h"
#include "core/platform/Clock.h"
#include "core/session/MonitoringSession.h"
#include "core/session/SoundProcessor.h"
#include "core/settings/Configuration.h"
#include "core/triggers/TriggerList.h"
#include "platform/x11/X11KeyOutput.h"
#include "support/FakeLauncher.h"
#include "support/FakePrompter.h"
#include "support/FakeSettingsStore.h"
#include "support/QuakeEngine.h"
#include "support/Recorders.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <iterator>
#include <optional>
#include <sstream>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Kind = QuakeEngine::Kind;

class NormalWindow final : public WindowGeometry {
public:
    double twips(Edge) const override { return 0; }
    void setTwips(Edge, double) override {}
    bool isNormalState() const override { return true; }
};

// The lines of the game's log that say it ran the play script ("execing bellcast.cfg";
// ezQuake names the whole path).
std::vector<std::size_t> playScriptRuns(const std::string& log) {
    std::vector<std::size_t> runs;
    for (std::size_t at = log.find("execing "); at != std::string::npos;
         at = log.find("execing ", at + 1)) {
        const std::size_t end = std::min(log.find('\n', at), log.size());
        if (std::string_view(log).substr(at, end - at).ends_with("bellcast.cfg"))
            runs.push_back(at);
    }
    return runs;
}

class EngineTest : public testing::Test {
protected:
    // The configure window's steps: F2 chosen, "Find Qconsole.log" on `log`, the bind
    // appended to the player's autoexec.cfg, "Ok"; and one trigger.
    void configure(const fs::path& log, const QuakeEngine& engine) {
        Configuration chosen;
        keylist::choose(chosen, 1);
        std::string consoleLogPath;
        ASSERT_EQ(adoptConsoleLog(log.string(), chosen, consoleLogPath), std::nullopt);
        ASSERT_EQ(AppendBindBlock(engine.autoexecScript(), chosen.Selected_Key), std::nullopt);
        ASSERT_TRUE(chosen.save(settings));
        settings.save("Application_params", "RecordCount", "1");
        settings.save("1", "t_name", keyword);
        settings.save("1", "t_keyword", keyword);
        settings.save("1", "t_file", sound);
    }

    // The player's evening: Yelpcue configured, the game started, Yelpcue started, the game
    // mode picked, Start, and a teammate's line that the game prints when F3 is pressed.
    void play(QuakeEngine& engine, const fs::path& pickedLog, std::optional<GameMode> mode) {
        configure(pickedLog, engine);
        std::string failure;
        ASSERT_TRUE(engine.start(failure)) << failure;
        ASSERT_EQ(processor.load(), SoundProcessor::LoadResult::Loaded);
        if (mode)
            processor.selectGameMode(*mode);
        processor.start();
        ASSERT_TRUE(session.isRunning());
        engine.press("F3");
    }

    // What the session's timer and the event loop do, in one turn.
    void drive() {
        session.checkLog();
        while (session.hasPendingLines())
            session.dispatchNextLine();
    }

    bool ranPlayScriptFor(const QuakeEngine& engine, const std::string& soundName) {
        return waitFor(
            [&] {
                const std::string log = engine.logText();
                const auto runs = playScriptRuns(log);
                return !runs.empty() && log.find(soundName, runs.front()) != std::string::npos;
            },
            [&] { drive(); }, 20s);
    }

    std::string whatHappened(const QuakeEngine& engine) const {
        std::string text = "Yelpcue's list:\n";
        for (const std::string& entry : activity.entries)
            text += "  " + entry + "\n";
        const std::string log = engine.logText();
        return text + "the game's log, last part:\n" +
               log.substr(log.size() > 1500 ? log.size() - 1500 : 0);
    }

    TempDir dir;
    fs::path base = dir / "quake";
    fs::path home = dir / "home";
    std::string keyword;
    // Not in the game's sound directory, so that the game names it in its log.
    std::string sound;

    FakeSettingsStore settings;
    FakePrompter prompter;
    FakeLauncher launcher;
    X11KeyOutput keyOutput;
    UsKeyboardLayout layout;
    SystemClock clock;
    ModPushKeys keys{keyOutput, layout, clock};
    Configuration configuration;
    TriggerList triggers;
    RecordingActivityList activity;
    RecordingSessionView view;
    MonitoringSession session{configuration,
                              triggers,
                              activity,
                              view,
                              clock,
                              prompter,
                              [this](const std::string& keyString) { keys.PushKeys(keyString); }};
    NormalWindow window;
    SoundProcessor processor{{settings, prompter, launcher, keyOutput},
                             configuration,
                             triggers,
                             session,
                             activity,
                             window,
                             "readme.txt",
                             {[](GameMode) {}, [] { ADD_FAILURE() << "asked to configure"; },
                              [this] { session.start(); }, [this] { session.stop(); }}};
};

struct Evening {
    const char* name;
    Kind kind;
    const char* arguments; // added to the engine's command line
    // The log the player picks in the configure window, under the test's directory; empty
    // for where the engine writes it.
    const char* pickedLog;
    std::optional<GameMode> mode;
    const char* keyword;
    const char* sound;
};

class EngineEveningTest : public EngineTest, public testing::WithParamInterface<Evening> {};

TEST_P(EngineEveningTest, TeamLineMakesTheGameRunThePlayScriptOnceThroughYelpcuesKey) {
    const Evening& evening = GetParam();
    std::istringstream words(evening.arguments);
    QuakeEngine engine(evening.kind, base, home, {std::istream_iterator<std::string>(words), {}});
    REQUIRE_ENGINE(engine);
    keyword = evening.keyword;
    sound = evening.sound;
    engine.install("bind F3 \"echo Bob: need " + keyword + "\"");
    const fs::path picked = *evening.pickedLog ? dir / evening.pickedLog : engine.consoleLog();
    play(engine, picked, evening.mode);
    // "play Need Shotgun.wav" would play "Need" and "Shotgun.wav".
    const bool spaced = sound.find(' ') != std::string::npos;
    ASSERT_TRUE(ranPlayScriptFor(engine, spaced ? '"' + sound + '"' : sound))
        << whatHappened(engine);

    // Yelpcue has read all the game logged, and the game has taken any key it pushed.
    ASSERT_TRUE(waitFor(
        [&] {
            return !session.hasPendingLines() &&
                   session.ReadPosition() >=
                       static_cast<std::int64_t>(fs::file_size(engine.consoleLog()));
        },
        [&] { drive(); }, 10s));
    ASSERT_TRUE(engine.sync([&] { drive(); }));
    EXPECT_EQ(playScriptRuns(engine.logText()).size(), 1u) << whatHappened(engine);
}

INSTANTIATE_TEST_SUITE_P(
    Engines, EngineEveningTest,
    testing::Values(
        // The log in the base game's directory under the base directory.
        Evening{"DarkPlacesNoHome", Kind::DarkPlaces, "-nohome", "", {}, "SHOTGUN", "p.wav"},
        // The log in the home directory, which moves with the game directory: picked in id1,
        // then TF chosen for a game of Team Fortress.
        Evening{"DarkPlacesHomeTF", Kind::DarkPlaces, "-game fortress",
                "home/.darkplaces/id1/qconsole.log", GameMode::TF, "SHOTGUN", "p.wav"},
        // The log in the directory the game was started from, the base directory.
        Evening{"QuakeSpasm", Kind::QuakeSpasm, "", "", {}, "SHOTGUN", "p.wav"},
        // The log in qw whatever the game directory; the game lists its files once at start.
        Evening{"EzQuakeTF", Kind::EzQuake, "-game fortress", "", GameMode::TF, "SHOTGUN", "p.wav"},
        // darkplaces answers a play script whose sound is missing with a line naming the
        // sound; with the keyword in the sound's name, that answer is no call.
        Evening{"GameEchoesKeyword", Kind::DarkPlaces, "-nohome", "", {}, "QUAD", "quad.wav"},
        Evening{"SpacedSound", Kind::DarkPlaces, "-nohome", "", {}, "AMMO", "Need Shotgun.wav"}),
    [](const testing::TestParamInfo<Evening>& info) { return std::string(info.param.name); });

} // namespace
