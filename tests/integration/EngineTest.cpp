// Yelpcue with the real games: a Quake engine from Debian runs under the test script's X
// server, and Yelpcue is set up and used as a player would: the configure window's steps on
// the log where that engine really writes it, the game started, the program started, then
// Start. A team line that the game itself prints must make the game run the play script
// through Yelpcue's key, and the game's log shows what it ran; the same keyword in all chat
// and in the game's own output must not, until the trigger answers any line.

#include "core/game/ConfigScript.h"
#include "core/game/GameDirectories.h"
#include "core/game/KeyList.h"
#include "core/keys/ModPushKeys.h"
#include "core/keys/UsKeyboardLayout.h"
#include "core/platform/Clock.h"
#include "platform/x11/X11KeyOutput.h"
#include "support/QuakeEngine.h"
#include "support/SoundProcessorRig.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <iterator>
#include <optional>
#include <sstream>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Kind = QuakeEngine::Kind;

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

struct Evening {
    const char* name;
    Kind kind;
    const char* arguments; // added to the engine's command line
    // The log the player picks in the configure window, under the test's directory; empty
    // for where the engine writes it.
    const char* pickedLog;
    std::optional<GameMode> mode;
    const char* keyword;
    const char* sound; // not in the game's sound directory, so that the game names it
};

class EngineTest : public testing::TestWithParam<Evening> {
protected:
    // What the session's timer and the event loop do, in one turn.
    void drive() {
        session.checkLog();
        while (session.hasPendingLines())
            session.dispatchNextLine();
    }

    std::string whatHappened(const QuakeEngine& engine) const {
        std::string text = "Yelpcue's list:\n";
        for (const std::string& entry : rig.activity.entries)
            text += "  " + entry + "\n";
        const std::string log = engine.logText();
        return text + "the game's log, last part:\n" +
               log.substr(log.size() > 1500 ? log.size() - 1500 : 0);
    }

    TempDir dir;
    fs::path base = dir / "quake";
    fs::path home = dir / "home";

    X11KeyOutput keyOutput;
    UsKeyboardLayout layout;
    SystemClock clock;
    ModPushKeys keys{keyOutput, layout, clock};
    SoundProcessorRig rig{keyOutput, clock,
                          [this](const std::string& keyString) { keys.PushKeys(keyString); },
                          [] { ADD_FAILURE() << "asked to configure"; }};
    MonitoringSession& session = rig.session;
};

TEST_P(EngineTest, OnlyTheTeamLineRunsThePlayScriptThroughYelpcuesKeyUntilAnyLineMay) {
    const Evening& evening = GetParam();
    std::istringstream words(evening.arguments);
    QuakeEngine engine(evening.kind, base, home, {std::istream_iterator<std::string>(words), {}});
    REQUIRE_ENGINE(engine);
    const std::string keyword = evening.keyword, sound = evening.sound;
    // F3: an all-chat line and a team line, each holding the keyword, and the game's own
    // line naming it, as it answers an exec of a missing file; half a second apart, as keys
    // pressed at once reach the game as one held down.
    engine.install("bind F3 \"exec calls.cfg\"");
    const std::string pause = "wait;wait;wait;wait;wait\n";
    writeFile(base / "id1" / "calls.cfg", "echo \"Al: all chat " + keyword + "\"\n" + pause +
                                              "exec " + keyword + ".cfg\n" + pause +
                                              "echo \"(Bob): need " + keyword + "\"\n");

    // The configure window's steps: F2 chosen, "Find Qconsole.log" on the picked log, the
    // bind appended to the player's autoexec.cfg, "Ok"; and one trigger.
    Configuration chosen;
    keylist::choose(chosen, 1);
    std::string consoleLogPath;
    const fs::path picked = *evening.pickedLog ? dir / evening.pickedLog : engine.consoleLog();
    ASSERT_EQ(adoptConsoleLog(picked.string(), chosen, consoleLogPath), std::nullopt);
    ASSERT_EQ(AppendBindBlock(engine.autoexecScript(), chosen.Selected_Key, chosen.Game_Family), std::nullopt);
    ASSERT_TRUE(chosen.save(rig.settings));
    for (const auto& [key, value] : {std::pair<std::string, std::string>{"t_name", keyword},
                                     {"t_keyword", keyword},
                                     {"t_file", sound}})
        rig.settings.save("1", key, value);
    rig.settings.save("Application_params", "RecordCount", "1");

    // The game started, Yelpcue started, the game mode picked, Start, and a teammate's line
    // that the game prints when F3 is pressed.
    std::string failure;
    ASSERT_TRUE(engine.start(failure)) << failure;
    ASSERT_EQ(rig.processor.load(), SoundProcessor::LoadResult::Loaded);
    if (evening.mode)
        rig.processor.selectGameMode(*evening.mode);
    rig.processor.start();
    ASSERT_TRUE(session.isRunning());
    engine.press("F3");

    // "play Need Shotgun.wav" would play "Need" and "Shotgun.wav".
    const std::string played = sound.find(' ') != std::string::npos ? '"' + sound + '"' : sound;
    ASSERT_TRUE(waitFor(
        [&] {
            const std::string log = engine.logText();
            const auto runs = playScriptRuns(log);
            return !runs.empty() && log.find(played, runs.front()) != std::string::npos;
        },
        20s, [&] { drive(); }))
        << whatHappened(engine);

    // The runs once Yelpcue has read all the game logged and the game took every key pushed.
    const auto settledRuns = [&] {
        EXPECT_TRUE(waitFor(
            [&] {
                return !session.hasPendingLines() &&
                       session.ReadPosition() >=
                           static_cast<std::int64_t>(fs::file_size(engine.consoleLog()));
            },
            10s, [&] { drive(); }));
        EXPECT_TRUE(engine.sync([&] { drive(); }));
        return playScriptRuns(engine.logText()).size();
    };
    EXPECT_EQ(settledRuns(), 1u) << whatHappened(engine);

    // The trigger widened to any line, as the edit dialog does it: all three lines call.
    rig.triggers.set(1, {keyword, keyword, sound, 0, text::Callers::AnyLine});
    engine.press("F3");
    waitFor([&] { return playScriptRuns(engine.logText()).size() >= 4; }, 20s, [&] { drive(); });
    EXPECT_EQ(settledRuns(), 4u) << whatHappened(engine);
}

INSTANTIATE_TEST_SUITE_P(
    Engines, EngineTest,
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
