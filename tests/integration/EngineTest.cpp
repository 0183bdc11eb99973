// SPDX-License-Identifier: GPL-3.0-or-later
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
#include "core/text/PathText.h"
#include "core/triggers/SpokenCue.h"
#include "core/triggers/TriggerEdit.h"
#include "platform/espeak/EspeakSpeech.h"
#include "platform/x11/X11KeyOutput.h"
#include "support/QuakeEngine.h"
#include "support/Recorders.h"
#include "support/SoundFiles.h"
#include "support/SoundProcessorRig.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <regex>
#include <sndfile.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Kind = QuakeEngine::Kind;

// The lines of the game's log that say it ran the play script ("execing bellcast.cfg";
// ezQuake names the whole path).
std::vector<std::size_t> playScriptRuns(const std::string& log) {
    static const std::regex run("execing [^\n]*bellcast\\.cfg(?=\n|$)");
    std::vector<std::size_t> runs;
    for (auto match = std::sregex_iterator(log.begin(), log.end(), run);
         match != std::sregex_iterator(); ++match)
        runs.push_back(static_cast<std::size_t>(match->position()));
    return runs;
}

// A sound file the player picks in the edit dialog, in libsndfile's format, made by the
// test: stereo at 44100 Hz, half a second of silence, then a second of a 440 Hz tone. Or
// what the player has espeak-ng say through Speak...
struct PickedSound {
    const char* name;
    int format;
    const char* says = nullptr;
};
const PickedSound kStereoWave{"cue.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16};
const PickedSound kMp3{"cue.mp3", SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III};
const PickedSound kSpoken{"", 0, "need shotgun"};

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
    // Instead of `sound`: a file picked and placed by the edit dialog, which the team call
    // must make the game play.
    std::optional<PickedSound> picked = {};
};

class EngineTest : public testing::TestWithParam<Evening> {
protected:
    // What the session's timer and the event loop do, in one turn.
    void drive() {
        session.checkLog();
        while (session.hasPendingLines())
            session.dispatchNextLine();
    }

    // The configure window's steps: F2 chosen, "Find Qconsole.log" on the picked log, the
    // bind appended to the player's autoexec.cfg, "Ok"; and one trigger.
    Configuration configure(const QuakeEngine& engine, const fs::path& pickedLog,
                            const std::string& keyword, const std::string& sound) {
        Configuration chosen;
        keylist::choose(chosen, 1);
        std::string consoleLogPath;
        EXPECT_EQ(adoptConsoleLog(pickedLog.string(), chosen, consoleLogPath), std::nullopt);
        EXPECT_EQ(AppendBindBlock(engine.autoexecScript(), chosen.Selected_Key, chosen.Game_Family),
                  std::nullopt);
        EXPECT_TRUE(chosen.save(rig.settings));
        for (const char* key : {"t_name", "t_keyword"})
            rig.settings.save("1", key, keyword);
        rig.settings.save("1", "t_file", sound);
        rig.settings.save("Application_params", "RecordCount", "1");
        return chosen;
    }

    // The runs of the play script once Yelpcue has read all the game logged and the game has
    // taken every key pushed.
    std::size_t settledRuns(QuakeEngine& engine) {
        EXPECT_TRUE(waitFor(
            [&] {
                return !session.hasPendingLines() &&
                       session.ReadPosition() >=
                           static_cast<std::int64_t>(fs::file_size(engine.consoleLog()));
            },
            kPatience, [&] { drive(); }));
        EXPECT_TRUE(engine.sync([&] { drive(); }));
        return playScriptRuns(engine.logText()).size();
    }

    // The edit dialog with AutoCopy on: "..." picks the file or Speak... renders the text,
    // Yelpcue places it for the game, and the trigger keeps the file the dialog shows.
    std::string pick(const PickedSound& picked, const Configuration& chosen) {
        std::string file = (dir / picked.name).string();
        if (picked.says) {
            EspeakSpeech speech;
            const auto rendered =
                spoken::renderToFile(speech, {picked.says, "English (America)", 175}, chosen);
            EXPECT_TRUE(rendered.value) << rendered.problem;
            file = text::fromPath(rendered.value.value_or(""));
        } else {
            writeTone(file, picked.format, 2, 44100, {0.5, 1});
        }
        rig.settings.save("1", "t_file", file);
        RecordingProgress progress;
        triggeredit::placeChosenSound(file, chosen, rig.prompter, progress);
        return file;
    }

    static bool logHolds(const QuakeEngine& engine, std::initializer_list<const char*> lines) {
        const std::string log = engine.logText();
        return std::all_of(lines.begin(), lines.end(),
                           [&](const char* line) { return log.find(line) != std::string::npos; });
    }

    std::string whatHappened(const QuakeEngine& engine) const {
        const std::string log = engine.logText();
        return "Yelpcue's list: " + testing::PrintToString(rig.activity.entries) +
               "\nthe game's log, last part:\n" +
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
    QuakeEngine engine(evening.kind, base, home, evening.arguments);
    REQUIRE_ENGINE(engine);
    const std::string keyword = evening.keyword;
    // F3: an all-chat line and a team line, each holding the keyword, and the game's own
    // line naming it, as it answers an exec of a missing file; half a second apart, as keys
    // pressed at once reach the game as one held down.
    engine.install("bind F3 \"exec calls.cfg\"");
    const std::string pause = "wait;wait;wait;wait;wait\n";
    writeFile(base / "id1" / "calls.cfg", "echo \"Al: all chat " + keyword + "\"\n" + pause +
                                              "exec " + keyword + ".cfg\n" + pause +
                                              "echo \"(Bob): need " + keyword + "\"\n");
    std::string sound = evening.sound;
    const Configuration chosen = configure(
        engine, *evening.pickedLog ? dir / evening.pickedLog : engine.consoleLog(), keyword, sound);
    if (evening.picked)
        sound = pick(*evening.picked, chosen);

    // The game started, Yelpcue started, the game mode picked, Start, and a teammate's line
    // that the game prints when F3 is pressed.
    std::string failure;
    ASSERT_TRUE(engine.start(failure)) << failure;
    ASSERT_EQ(rig.processor.load(), SoundProcessor::LoadResult::Loaded);
    if (evening.mode)
        rig.processor.selectGameMode(*evening.mode);
    rig.processor.start();
    ASSERT_TRUE(session.isRunning());
    const std::streamoff heardBefore = engine.soundOutputSize();
    engine.press("F3");
    // A spoken cue is no tone: any sound heard counts.
    const double tone = evening.picked && evening.picked->says ? 0 : 440;

    // "play Need Shotgun.wav" would play "Need" and "Shotgun.wav".
    const std::string played = sound.find(' ') != std::string::npos ? '"' + sound + '"' : sound;
    ASSERT_TRUE(waitFor(
        [&] {
            if (evening.picked)
                return engine.heardSeconds(heardBefore, tone) > 0.5;
            const std::string log = engine.logText();
            const auto runs = playScriptRuns(log);
            return !runs.empty() && log.find(played, runs.front()) != std::string::npos;
        },
        kPatience, [&] { drive(); }))
        << "heard " << engine.heardSeconds(heardBefore, tone) << " s of the sound; "
        << whatHappened(engine);
    EXPECT_EQ(settledRuns(engine), 1u) << whatHappened(engine);

    // The trigger widened to any line, as the edit dialog does it: all three lines call.
    rig.triggers.set(1, {keyword, keyword, sound, 0, text::Callers::AnyLine});
    engine.press("F3");
    waitFor([&] { return playScriptRuns(engine.logText()).size() >= 4; }, kPatience,
            [&] { drive(); });
    EXPECT_EQ(settledRuns(engine), 4u) << whatHappened(engine);
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
        Evening{"SpacedSound", Kind::DarkPlaces, "-nohome", "", {}, "AMMO", "Need Shotgun.wav"},
        // Files the engines cannot play as they stand: the game plays the placed copy.
        Evening{"QuakeSpasmStereo", Kind::QuakeSpasm, "", "", {}, "SHOTGUN", "", kStereoWave},
        Evening{"QuakeSpasmMp3", Kind::QuakeSpasm, "", "", {}, "SHOTGUN", "", kMp3},
        Evening{"EzQuakeStereo", Kind::EzQuake, "", "", {}, "SHOTGUN", "", kStereoWave},
        Evening{"EzQuakeMp3", Kind::EzQuake, "", "", {}, "SHOTGUN", "", kMp3},
        Evening{"QuakeSpasmSpoken", Kind::QuakeSpasm, "", "", {}, "SHOTGUN", "", kSpoken}),
    [](const testing::TestParamInfo<Evening>& info) { return std::string(info.param.name); });

// OpenArena with its own data, in a team deathmatch that the teammate hosts: the player's log
// as the game writes it once Yelpcue's block is in its autoexec.cfg, and the trigger's sound,
// an MP3 the player picks, placed by the edit dialog, which the game plays for the team call
// alone, as its sound output and the runs of the play script show. The teammate stands in
// the map's place named "Shotgun", which the game puts in each of its team lines.
TEST_F(EngineTest, OpenArenaPlaysTheSoundOfATeammatesCall) {
    const std::string port = std::to_string(28000 + getpid() % 4000);
    QuakeEngine mate(Kind::OpenArena, base, dir / "mate",
                     "+set logfile 2 +set s_initsound 0 +set name Mate +set sv_pure 0 " +
                         ("+set g_gametype 3 +set net_port " + port + " +devmap ctf_inyard"));
    QuakeEngine engine(Kind::OpenArena, base, home, "+set name Player +connect 127.0.0.1:" + port);
    REQUIRE_ENGINE(engine);
    mate.install("");
    engine.install("");
    pick(kMp3, configure(engine, engine.consoleLog(), "SHOTGUN", kMp3.name));

    std::string failure;
    ASSERT_TRUE(mate.start(failure)) << failure;
    ASSERT_TRUE(engine.start(failure)) << failure;
    // Both join the red team, asked again until the game says so: a game still connecting
    // ignores the command.
    int turn = 0;
    ASSERT_TRUE(waitFor(
        [&] {
            return logHolds(engine, {"Player^7 entered the game", "Mate^7 entered the game"});
        },
        kPatience,
        [&] {
            if (turn++ % 150 == 0) {
                mate.command("team red");
                engine.command("team red");
            }
        }))
        << whatHappened(engine);
    ASSERT_EQ(rig.processor.load(), SoundProcessor::LoadResult::Loaded);
    rig.processor.start();
    // The teammate's all chat, a team line with the keyword in the place alone, and the
    // game's own line naming the keyword call nothing.
    mate.command("setviewpos -1792 -768 -40 0");
    mate.command("say need SHOTGUN here");
    mate.command("say_team hold here");
    engine.command("exec SHOTGUN.cfg");
    ASSERT_TRUE(waitFor(
        [&] {
            return logHolds(engine, {"^2need SHOTGUN here", "(^4Shotgun^7): ^5hold here",
                                     "couldn't exec SHOTGUN.cfg"});
        },
        kPatience, [&] { drive(); }))
        << whatHappened(engine);
    const std::streamoff heardBefore = engine.soundOutputSize();
    mate.command("say_team need SHOTGUN here");

    ASSERT_TRUE(waitFor([&] { return engine.heardSeconds(heardBefore, 440) > 0.5; }, kPatience,
                        [&] { drive(); }))
        << "heard " << engine.heardSeconds(heardBefore, 440) << " s of the tone; "
        << whatHappened(engine);
    EXPECT_EQ(settledRuns(engine), 1u) << whatHappened(engine);
}

} // namespace
