// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/Configuration.h"
#include "core/sound/WaveFacts.h"
#include "core/triggers/GameSoundCopy.h"
#include "core/triggers/SoundCheck.h"
#include "core/triggers/SpokenCue.h"
#include "core/triggers/TriggerEdit.h"
#include "core/triggers/TriggerFile.h"
#include "core/triggers/TriggerImport.h"
#include "core/triggers/TriggerList.h"
#include "core/triggers/TriggerManager.h"
#include "core/triggers/TriggerStore.h"
#include "support/FakePrompter.h"
#include "support/FakeSettingsStore.h"
#include "support/FakeSpeech.h"
#include "support/Recorders.h"
#include "support/SoundFiles.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <regex>
#include <sndfile.h>

namespace {

namespace fs = std::filesystem;
using namespace triggerstore;

const Trigger kDefault{"Test Trigger", "SHOTGUN", "Bitch.wav"};

using Triggers = std::vector<Trigger>;

TriggerList listOf(const Triggers& triggers) {
    TriggerList list;
    for (const Trigger& trigger : triggers)
        list.append(trigger);
    return list;
}

Triggers contentsOf(const TriggerList& list) {
    Triggers triggers;
    for (int position = 1; position <= list.TriggerCount(); ++position)
        triggers.push_back(list.at(position));
    return triggers;
}

TriggerList loaded(FakeSettingsStore& settings) {
    TriggerList list;
    list.append({"old", "OLD", "old.wav"});
    loadTriggerList(settings, list);
    return list;
}

// Nothing stored gives the default trigger; a missing section takes the defaults; a blank
// keyword or an empty position stays empty; a trigger named DELETED survives another's deletion.
TEST(TriggerStoreTest, StoredPositionsReloadAsSavedWithTheirQuietTimesAndCallers) {
    FakeSettingsStore settings;
    EXPECT_EQ(contentsOf(loaded(settings)), Triggers{kDefault});
    EXPECT_TRUE(settings.sections().empty()) << "nothing written until saved";
    TriggerList list;
    const SpokenText said{"quad in ten", "German", 200};
    for (const char* name : {"DELETED", "B", "C", "D", "E"})
        list.append({name, std::string("KEY ") + name, "x.wav", name[0] == 'C' ? 1500 : 0,
                     name[0] == 'C' ? text::Callers::AnyLine : text::Callers::TeamTalk,
                     name[0] == 'C' ? std::optional(said) : std::nullopt});
    list.set(4, {"D", "KEY D", "x.wav", 0, text::Callers::AllChat});
    RecordingProgress progress;
    ASSERT_TRUE(Save_Triggers(settings, list, progress));
    list.markDeleted(2);
    list.Remove_Deleted_Triggers();
    list.set(4, {});
    Save_Triggers(settings, list, progress);
    EXPECT_EQ(settings.get("Application_params", "RecordCount"), "4");
    EXPECT_EQ(settings.get("2", "t_quiet_ms") + settings.get("2", "t_callers"), "1500any");
    EXPECT_FALSE(settings.has("1", "t_quiet_ms") || settings.has("1", "t_callers") ||
                 settings.has("1", "t_speech"))
        << "as it was";
    settings.save("Application_params", "RecordCount", "7");
    Add_Trigger(settings, "6", {"Blank", "   ", "x.wav"});
    settings.save("7", "t_callers", "Any"); // no value of ours: team talk

    // Position 5: the old last section, left as it was.
    EXPECT_EQ(contentsOf(loaded(settings)),
              (Triggers{{"DELETED", "KEY DELETED", "x.wav"},
                        {"C", "KEY C", "x.wav", 1500, text::Callers::AnyLine, said},
                        {"D", "KEY D", "x.wav", 0, text::Callers::AllChat},
                        {},
                        {"E", "KEY E", "x.wav"},
                        {},
                        kDefault}));
}

TEST(TriggerStoreTest, StoredCountQuietTimeAndSpeedAreTakenOnlyWithinTheirRange) {
    const std::string count = "RecordCount", quiet = "t_quiet_ms", speed = "t_speed";
    const char* huge = "99999999999999999999999";
    using Row = std::tuple<std::string, const char*, int>;
    for (const auto& [key, stored, expected] :
         {Row{count, "3", 3},         Row{count, "0", 0},     Row{count, "-1", 0},
          Row{count, "abc", 0},       Row{count, "", 0},      Row{count, "2x", 0},
          Row{count, "32767", 32767}, Row{count, "32768", 0}, Row{count, huge, 0},
          Row{quiet, "2500", 2500},   Row{quiet, "", 0},      Row{quiet, "abc", 0},
          Row{quiet, "1.5", 0},       Row{quiet, "-5", 0},    Row{quiet, "9999999", 3600000},
          Row{speed, "300", 300},     Row{speed, "9", 80},    Row{speed, "999", 450},
          Row{speed, "-5", 175},      Row{speed, "1000", 175}}) {
        FakeSettingsStore settings;
        settings.save("Application_params", count, "1");
        settings.save("1", "t_speech", "go");
        settings.save(key == count ? "Application_params" : "1", key, stored);
        const TriggerList list = loaded(settings);
        const int readBack = key == count   ? list.TriggerCount()
                             : key == quiet ? list.at(1).quietMs
                                            : list.at(1).spoken->wordsPerMinute;
        EXPECT_EQ(readBack, expected) << key << "=" << stored;
    }
}

using triggerimport::ImportMode;
TEST(TriggerFileTest, QuotesAreDoubledAndEveryTriggerReadsBackAsWritten) {
    const Triggers triggers{{"Say \"hi\"", "HI, THERE", "C:\\Sounds\\hi.wav", 1500},
                            {" padded ", "\tTAB\t", "\"\""},
                            {"two\r\nlines", "LF\nONLY", "CR\rONLY.wav"}};
    TriggerList list = listOf(triggers);
    list.resize(4);
    const std::string text = triggerfile::format(list);
    EXPECT_TRUE(text.starts_with("\"Say \"\"hi\"\"\",\"HI, THERE\",\"C:\\Sounds\\hi.wav\"\r\n"));
    EXPECT_TRUE(text.ends_with("\r\n,,\"\"\r\n")) << "an empty position, as earlier versions";
    auto expected = triggers;
    expected[0].quietMs = 0; // the file keeps its three fields
    expected.push_back({});
    EXPECT_EQ(triggerfile::parse(text), expected);
}

TEST(TriggerFileTest, ReadsOneTriggerPerLine) {
    for (const auto& [text, records] : std::vector<std::pair<std::string, Triggers>>{
             {" \tA \t,\t B , \" C \"\t \n", {{"A", "B", " C "}}},
             {"\r\n\r\nA,B,C\r\n\r\n\r\n", {{"A", "B", "C"}}},
             {"\"A\"x,\"B\" y,\"C\"z\r\n", {{"A", "B", "C"}}},
             {"A,B,C,D\r\nF,G,H,\r\n", {{"A", "B", "C"}, {"F", "G", "H"}}},
             {"A,B,C\nD,E,F\rG,H,I", {{"A", "B", "C"}, {"D", "E", "F"}, {"G", "H", "I"}}},
             {"\xEF\xBB\xBF\"A\",\"B\",\"C\"\r\n", {{"A", "B", "C"}}}, // saved by Notepad
             {"A,B,\"C\r\nD,E,F", {{"A", "B", "C\r\nD,E,F"}}}})        // a quote never closed
        EXPECT_EQ(triggerfile::parse(text), records) << text;
}

TEST(TriggerImportTest, AppliesValidRecordsInFileOrder) {
    const auto any = text::Callers::AnyLine;
    const SpokenText said{"one", "German", 200};
    const Triggers existing{{"One", "ONE", "one.wav", 1500, any, said}, {"Two", "TWO", "two.wav"}};
    using enum ImportMode;
    const Trigger n{"New", "NEW", "new.wav"}, lower{"one", "A", "a.wav"},
        spaced{"One ", "B", "b.wav"}, same{"One", "C", "c.wav"}, blank{"A", "  ", "a.wav"},
        tab{"\t", "TAB", "tab.wav"}, oneAgain{"One", "ONE!", "one.wav"},
        oneKept{"One", "ONE!", "one.wav", 1500, any, said}, oneOther{"One", "ONE!", "o.mp3"},
        oneOtherKept{"One", "ONE!", "o.mp3", 1500, any}, semicolon{"A", "A", "a;quit.wav"},
        quote{"B", "B", "C:\\x\\\"b.wav"}, newline{"C", "C", "c\n.wav"},
        semicolonDir{"D", "D", "C:\\semi;colon\\d.wav"};
    // Added: after the existing triggers, or in their place for Replace.
    using Row = std::tuple<const char*, ImportMode, Triggers, Triggers>;
    for (const auto& [what, mode, records, added] :
         {Row{"Merge tells letter case and spaces", Merge, {lower, spaced, same}, {lower, spaced}},
          Row{"Replace keeps repeated names", Replace, {n, n}, {n, n}},
          Row{"Replace brings back quiet time and callers", Replace, {n, oneAgain}, {n, oneKept}},
          Row{"the spoken text only with its sound", Replace, {oneOther}, {oneOtherKept}},
          Row{"blank fields", Add, {blank, tab}, {tab}},
          Row{"Replace with nothing valid keeps the list", Replace, {blank}, existing},
          Row{"refused sounds", Add, {semicolon, quote, newline, semicolonDir}, {semicolonDir}}}) {
        TriggerList list = listOf(existing);
        triggerimport::importTriggers(list, records, mode);
        Triggers expected = mode == Replace ? Triggers{} : existing;
        expected.insert(expected.end(), added.begin(), added.end());
        EXPECT_EQ(contentsOf(list), expected) << what;
    }
}

// The import window's test fills the last place by Add; Replace stops at the largest count.
// Deletion and its selection are the trigger window's own tests.
TEST(TriggerManagerTest, AFullListTakesNoMoreAndAStoreThatCannotBeWrittenIsTold) {
    TriggerList list;
    const auto result = triggerimport::importTriggers(
        list, Triggers(TriggerList::kMaxCount + 5, {"New", "NEW", "new.wav"}), ImportMode::Replace);
    EXPECT_EQ(result.imported, TriggerList::kMaxCount);
    EXPECT_TRUE(result.listFull);
    EXPECT_EQ(list.TriggerCount(), TriggerList::kMaxCount);
    list.resize(TriggerList::kMaxCount + 5);
    EXPECT_EQ(list.TriggerCount(), TriggerList::kMaxCount);

    Configuration configuration;
    FakePrompter prompter;
    TriggerManager manager(list, configuration, prompter);
    EXPECT_EQ(manager.beginAdd(), std::nullopt);
    EXPECT_EQ(list.TriggerCount(), TriggerList::kMaxCount);

    FakeSettingsStore store;
    store.syncSucceeds = false;
    RecordingProgress progress;
    manager.saveList(store, progress);
    ASSERT_EQ(prompter.shown.size(), 2u);
    EXPECT_EQ(prompter.shown[0].text, "The trigger list is full: it holds at most 32767 triggers.");
    EXPECT_EQ(prompter.shown[1].icon, Prompter::Icon::Critical);
}

TEST(SoundFileToPreviewTest, ABareNameIsFoundInTheSoundDirectoryInAnyLetterCase) {
    TempDir dir;
    writeFile(dir / "Quad.WAV", "RIFF");
    EXPECT_EQ(soundFileToPreview("quad.wav", dir.path().string()), dir / "Quad.WAV");
    EXPECT_FALSE(soundFileToPreview("quad.wav", ""));
    EXPECT_FALSE(soundFileToPreview("", dir.path().string()));
    writeFile(dir / "cue.wav", "RIFF");
    EXPECT_EQ(soundFileToPreview("/sounds/cue.mp3", dir.path().string()), dir / "cue.wav")
        << "the game's copy, which is what the game plays";
}

bool gameReady(const fs::path& file) {
    const auto wave = sound::readWaveFacts(file);
    return wave && sound::isGameReady(*wave);
}

class PlaceChosenSoundTest : public testing::Test {
protected:
    PlaceChosenSoundTest() {
        fs::create_directories(soundDir);
        configuration.Quake_Id1_sound = soundDir.string();
    }
    void place(const fs::path& file) {
        triggeredit::placeChosenSound(file.string(), configuration, prompter, progress);
    }

    TempDir dir;
    fs::path soundDir = dir / "Quake" / "id1" / "sound";
    Configuration configuration;
    FakePrompter prompter;
    RecordingProgress progress;
};

TEST_F(PlaceChosenSoundTest, TheCopyReplacesTheFileOfItsNameButNeverItself) {
    const fs::path inPlace = soundDir / "Shotgun.wav";
    writeFile(inPlace, squareWave(100, 0, 255));
    std::vector<fs::path> spellings{inPlace, soundDir / ".." / "sound" / "Shotgun.wav"};
#ifdef _WIN32
    // Letter case does not matter to the file system (and symbolic links need privileges).
    spellings.push_back(dir / "QUAKE" / "ID1" / "SOUND" / "shotgun.WAV");
#else
    fs::create_directory_symlink(soundDir, dir / "link");
    spellings.push_back(dir / "link" / "Shotgun.wav");
#endif
    for (const fs::path& spelling : spellings)
        place(spelling);
    const fs::path workingDirectory = fs::current_path();
    fs::current_path(soundDir);
    place("Shotgun.wav");
    fs::current_path(workingDirectory);
    EXPECT_EQ(readFile(inPlace), squareWave(100, 0, 255));
    EXPECT_TRUE(prompter.shown.empty());

    writeFile(soundDir / "quad.wav", squareWave(100, 0, 255));
    writeFile(dir / "Quad.wav", squareWave(200, 0, 255));
    place(dir / "Quad.wav");
    EXPECT_EQ(readFile(soundDir / "quad.wav"), squareWave(200, 0, 255));
    EXPECT_EQ(std::ranges::distance(fs::directory_iterator(soundDir)), 2)
        << "no second copy under the chosen spelling";

    configuration.Quake_Id1_sound.clear();
    place(dir / "Quad.wav");
    EXPECT_EQ(prompter.shown.back().title, "File transfer ststus (ERROR!)");
}

// Any other sound is converted into the game's wave, which the play script names; a
// player's own file standing where the copy goes is kept, and the player told where.
TEST_F(PlaceChosenSoundTest, AnyOtherSoundIsConvertedAndThePlayersOwnFileKept) {
    writeTone(dir / "cue.mp3", SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III, 2, 44100, {0.5, 1});
    place(dir / "cue.mp3");
    EXPECT_TRUE(gameReady(soundDir / "cue.wav"));
    EXPECT_EQ(prompter.shown.back().text, "File copied to the correct\r\nQuake sound directory");

    const fs::path own = soundDir / "Stereo.wav",
                   kept = soundDir / "yelpcue-originals" / "Stereo.wav";
    writeTone(own, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, 44100, {0, 1});
    const std::string original = readFile(own);
    for (int time = 0; time < 2; ++time) {
        prompter.shown.clear();
        place(own);
        EXPECT_TRUE(gameReady(own));
        EXPECT_TRUE(readFile(kept) == original) << "kept, and left alone the second time";
    }
    ASSERT_EQ(prompter.shown.size(), 0u);
    writeTone(own, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, 44100, {0, 1, 0, 0.2});
    const std::string second = readFile(own);
    place(own);
    ASSERT_EQ(prompter.shown.size(), 2u);
    const fs::path keptSecond = soundDir / "yelpcue-originals" / "2" / "Stereo.wav";
    EXPECT_EQ(prompter.shown[0].text,
              "The game needs a copy made for it, so your own file was kept as\r\n" +
                  keptSecond.string());
    EXPECT_EQ(prompter.shown[1].title, "File transfer ststus");
    EXPECT_TRUE(readFile(keptSecond) == second && readFile(kept) == original);

    writeFile(dir / "notes.mp3", "not a sound");
    prompter.shown.clear();
    place(dir / "notes.mp3");
    ASSERT_EQ(prompter.shown.size(), 2u);
    EXPECT_EQ(prompter.shown[0].text,
              "not a sound file Yelpcue can read: " + (dir / "notes.mp3").string());
    EXPECT_EQ(prompter.shown[1].title, "File transfer ststus (ERROR!)");
    EXPECT_FALSE(fs::exists(soundDir / "notes.wav"));
}

TEST_F(PlaceChosenSoundTest, WithCopyingOffThePlayerHearsWhyTheGameWillNotPlayIt) {
    configuration.AutoCopy = false;
    writeTone(dir / "s.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, 44100, {0, 0.1});
    writeFile(dir / "mono.wav", squareWave(100, 0, 255));
    for (const char* name : {"s.wav", "mono.wav"})
        place(dir / name);
    ASSERT_EQ(prompter.shown.size(), 3u) << "nothing more for the mono wave";
    EXPECT_EQ(prompter.shown[0].title, "Sounds need copying");
    EXPECT_EQ(prompter.shown[1].text,
              "stereo: QuakeSpasm and ezQuake play no sound for it; turn on "
              "copying in Configure and Yelpcue makes a copy they play");
    EXPECT_EQ(prompter.shown[2].title, "Sounds need copying");
    EXPECT_TRUE(fs::is_empty(soundDir));
}

TEST_F(PlaceChosenSoundTest, TheSoundCheckFindsWhatTheGameWillNotPlayAndMakesItsCopies) {
    writeFile(soundDir / "ready.wav", squareWave(100, 0, 255));
    writeTone(soundDir / "stereo.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, 44100, {0, 0.2});
    writeTone(dir / "cue.mp3", SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III, 1, 44100, {0, 0.2});
    FakeSpeech speech;
    TriggerList triggers;
    for (const std::string& sound : std::vector<std::string>{
             "ready.wav", "stereo.wav", (dir / "cue.mp3").string(), "gone.wav", ""})
        triggers.append({sound.empty() ? "" : "t", sound.empty() ? "" : "K", sound});
    // A spoken cue from another machine: its own file is gone too, and made again.
    const fs::path said = dir / "elsewhere" / "go.wav";
    triggers.append({"s", "S", said.string(), 0, {}, SpokenText{"go", "German", 175}});
    const auto warning = [](const std::string& why, const char* sound) {
        return "Sound will not play (" + why + ") : " + sound;
    };
    const std::string missing = "not in the game's sound folder";
    EXPECT_EQ(soundcheck::warnings(triggers, configuration),
              (std::vector<std::string>{
                  warning("stereo: QuakeSpasm and ezQuake play no sound for it", "stereo.wav"),
                  warning(missing, "cue.wav"), warning(missing, "gone.wav"),
                  warning(missing, "go.wav")}));

    const auto repair = soundcheck::makeCopies(soundcheck::check(triggers, configuration),
                                               configuration, speech, progress);
    EXPECT_EQ(soundcheck::warnings(triggers, configuration),
              std::vector<std::string>{warning(missing, "gone.wav")});
    const fs::path kept = soundDir / "yelpcue-originals" / "stereo.wav";
    EXPECT_EQ(soundcheck::report(repair, GameFamily::Quake),
              "Game-ready copies made: 3.\r\n" + gamesound::runningGameAdvice(GameFamily::Quake) +
                  "\r\nFiles that stood where a copy goes were kept:\r\n    " + kept.string());
    EXPECT_TRUE(gameReady(soundDir / "cue.wav") && fs::exists(kept));
    EXPECT_TRUE(gameReady(soundDir / "go.wav") && gameReady(said));
    EXPECT_EQ(progress.values, (std::vector<int>{1, 2, 3}));
}

TEST(SpokenCueTest, TheSystemsLanguageComesFirstAndEachCueHasAFileNameOfItsOwn) {
    const auto voice = [](const char* name) { return testing::Field(&Speech::Voice::name, name); };
    EXPECT_THAT(spoken::orderedVoices({{"German", "de"},
                                       {"English (Great Britain)", "en-gb"},
                                       {"Afrikaans", "af"},
                                       {"English (America)", "en-us"}},
                                      "en_US"),
                testing::ElementsAre(voice("English (America)"), voice("English (Great Britain)"),
                                     voice("Afrikaans"), voice("German")));
    const auto file = [](const SpokenText& cue) {
        return spoken::renderedFile("/s", cue)->filename().string();
    };
    // std::regex: GoogleTest's own expressions on Windows know no classes or counts.
    const std::string name = file({"Need SHOTGUN!", "German", 175});
    EXPECT_TRUE(std::regex_match(name, std::regex("need-shotgun-[0-9a-f]{6}\\.wav"))) << name;
    EXPECT_NE(file({"need shotgun", "German", 175}), file({"need shotgun", "German", 200}));
    EXPECT_THAT(file({"\xD0\x9A\xD0\xB2\xD0\xB0\xD0\xB4", "Russian", 175}),
                testing::StartsWith("spoken-"));
    EXPECT_FALSE(spoken::renderedFile("", {"go", "German", 175}));
}

} // namespace
