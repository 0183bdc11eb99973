#include "shell/Configuration.h"
#include "support/FakePrompter.h"
#include "support/FakeSettingsStore.h"
#include "support/Recorders.h"
#include "support/TempDir.h"
#include "triggers/TriggerEdit.h"
#include "triggers/TriggerList.h"
#include "triggers/TriggerManager.h"

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

TriggerList fourTriggers() {
    TriggerList list;
    for (const char* name : {"A", "B", "C", "D"})
        list.append({name, name, std::string(name) + ".wav"});
    return list;
}

std::string names(const TriggerList& list) {
    std::string result;
    for (int position = 1; position <= list.TriggerCount(); ++position)
        result += list.at(position).name;
    return result;
}

struct DeleteCase {
    int rowCount;
    std::optional<int> selected;
    const char* refusal;
    int rowToSelect;
    const char* remaining;
};

class TriggerManagerDeleteTest : public testing::TestWithParam<DeleteCase> {};

TEST_P(TriggerManagerDeleteTest, RefusesOrRemovesTheSelectedRow) {
    const DeleteCase& c = GetParam();
    TriggerList list = fourTriggers();
    list.resize(c.rowCount);
    Configuration configuration;
    FakePrompter prompter;
    TriggerManager manager(list, configuration, prompter);

    const auto deletion = manager.deleteSelected(c.rowCount, c.selected);
    EXPECT_EQ(names(list), c.remaining);
    if (c.refusal) {
        EXPECT_FALSE(deletion);
        ASSERT_EQ(prompter.shown.size(), 1u);
        EXPECT_EQ(prompter.shown[0].text, c.refusal);
        EXPECT_EQ(prompter.shown[0].title, "Error");
        EXPECT_EQ(prompter.shown[0].icon, Prompter::Icon::None);
    } else {
        ASSERT_TRUE(deletion);
        EXPECT_EQ(deletion->removedRow, *c.selected);
        EXPECT_EQ(deletion->rowToSelect, c.rowToSelect);
        EXPECT_TRUE(prompter.shown.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TriggerManagerDeleteTest,
    testing::Values(
        DeleteCase{1, 1, "You must always have at least one trigger!", 0, "A"},
        DeleteCase{1, std::nullopt, "You must always have at least one trigger!", 0, "A"},
        DeleteCase{4, std::nullopt, "You need to select a trigger to delete first", 0, "ABCD"},
        DeleteCase{4, 2, nullptr, 2, "ACD"}, DeleteCase{4, 1, nullptr, 1, "BCD"},
        DeleteCase{4, 3, nullptr, 3, "ABD"}, DeleteCase{4, 4, nullptr, 3, "ABC"},
        DeleteCase{2, 2, nullptr, 1, "A"}));

TEST(TriggerManagerTest, AddStopsAtAFullListAndModifyNeedsASelection) {
    TriggerList list;
    list.resize(TriggerList::kMaxCount - 1);
    Configuration configuration;
    FakePrompter prompter;
    TriggerManager manager(list, configuration, prompter);

    ASSERT_TRUE(manager.beginAdd());
    EXPECT_EQ(list.CurrentTrigger, TriggerList::kMaxCount);
    EXPECT_FALSE(manager.beginAdd());
    EXPECT_EQ(list.TriggerCount(), TriggerList::kMaxCount);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, "The trigger list is full: it holds at most 32767 triggers.");

    EXPECT_FALSE(manager.beginModify(std::nullopt));
    EXPECT_EQ(prompter.shown.back().text, "You need to select a trigger to modify first");
    EXPECT_EQ(prompter.shown.back().title, "Error");
    EXPECT_TRUE(manager.beginModify(7));
    EXPECT_EQ(list.CurrentTrigger, 7);
}

TEST(TriggerManagerTest, ExportAndSaveAreReported) {
    TriggerList list = fourTriggers();
    Configuration configuration;
    FakePrompter prompter;
    TriggerManager manager(list, configuration, prompter);

    manager.reportExport(false, "/no/such/dir/t.txt");
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, "Could not write the trigger file : /no/such/dir/t.txt");
    EXPECT_EQ(prompter.shown[0].icon, Prompter::Icon::Critical);

    FakeSettingsStore store;
    RecordingProgress progress;
    manager.saveList(store, progress);
    EXPECT_EQ(prompter.shown.size(), 1u) << "a save that worked shows nothing";
    EXPECT_EQ(store.get("Application_params", "RecordCount"), "4");
    store.syncSucceeds = false;
    manager.saveList(store, progress);
    ASSERT_EQ(prompter.shown.size(), 2u);
    EXPECT_EQ(prompter.shown[1].icon, Prompter::Icon::Critical);
}

TEST(SoundFileToPreviewTest, ABareNameIsTakenFromTheSoundDirectoryAPathAsItStands) {
    TempDir dir;
    const fs::path sound = dir / "sound";
    fs::create_directory(sound);
    writeFile(sound / "Quad.WAV", "RIFF");
    const std::string soundDir = sound.string();

    EXPECT_EQ(soundFileToPreview("quad.wav", soundDir), sound / "Quad.WAV")
        << "the game's files are found in any letter case";
    EXPECT_EQ(soundFileToPreview("C:\\Sounds\\x.wav", soundDir), fs::path("C:\\Sounds\\x.wav"));
    EXPECT_EQ(soundFileToPreview("/home/me/x.wav", soundDir), fs::path("/home/me/x.wav"));
    EXPECT_EQ(soundFileToPreview("x.wav", soundDir)->parent_path(), sound);
    EXPECT_FALSE(soundFileToPreview("x.wav", ""));
    EXPECT_FALSE(soundFileToPreview("", soundDir));
    EXPECT_EQ((fs::path(soundDir) / "x.wav").string(),
              soundDir + static_cast<char>(fs::path::preferred_separator) + "x.wav");
}

struct OkCase {
    Trigger typed;
    const char* refusal;
};

class TriggerEditOkTest : public testing::TestWithParam<OkCase> {};

TEST_P(TriggerEditOkTest, EveryBoxMustHoldSomethingThePlayScriptCanCarry) {
    const auto refusal = triggeredit::okRefusal(GetParam().typed);
    if (!GetParam().refusal) {
        EXPECT_FALSE(refusal);
        return;
    }
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->text, GetParam().refusal);
    EXPECT_EQ(refusal->title, "Please enter data!");
    EXPECT_EQ(refusal->icon, Prompter::Icon::Critical);
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, TriggerEditOkTest,
    testing::Values(OkCase{{"", "K", "k.wav"}, "You must enter something in each box!"},
                    OkCase{{"N", "", "k.wav"}, "You must enter something in each box!"},
                    OkCase{{"N", "K", ""}, "You must enter something in each box!"},
                    OkCase{{"N", " ", "k.wav"}, nullptr},
                    OkCase{{"N", "K", "C:\\a;b\\k.wav"}, nullptr},
                    OkCase{{"N", "K", "k;quit.wav"},
                           "The game cannot play this sound file: it holds \";\", which would "
                           "start another game command."}));

class PlaceChosenSoundTest : public testing::Test {
protected:
    PlaceChosenSoundTest() {
        fs::create_directories(soundDir);
        fs::create_directories(dir / "mine");
        configuration.Quake_Id1_sound = soundDir.string();
        writeFile(chosen, "RIFF new sound");
    }

    void place(const fs::path& file) {
        triggeredit::placeChosenSound(file.string(), configuration, prompter, progress);
    }
    std::vector<std::string> titles() const {
        std::vector<std::string> result;
        for (const auto& message : prompter.shown)
            result.push_back(message.title);
        return result;
    }

    TempDir dir;
    fs::path soundDir = dir / "Quake" / "id1" / "sound";
    fs::path chosen = dir / "mine" / "Quad.wav";
    Configuration configuration;
    FakePrompter prompter;
    RecordingProgress progress;
};

TEST_F(PlaceChosenSoundTest, CopiesUnderTheNameThePlayScriptUses) {
    place(chosen);
    EXPECT_EQ(readFile(soundDir / "Quad.wav"), "RIFF new sound");
    EXPECT_EQ(titles(), std::vector<std::string>{"File transfer ststus"});
    EXPECT_EQ(prompter.shown[0].text, "File copied to the correct\r\nQuake sound directory");
    EXPECT_EQ(progress.values.back(), 100);
}

TEST_F(PlaceChosenSoundTest, AnExistingCopyInAnotherLetterCaseIsTheOneAskedAbout) {
    writeFile(soundDir / "quad.wav", "old");
    prompter.answers = {Prompter::Answer::No};
    place(chosen);
    ASSERT_EQ(prompter.shown.size(), 2u);
    EXPECT_EQ(prompter.shown[0].buttons, Prompter::Buttons::YesNo);
    EXPECT_EQ(prompter.shown[1].text, "There was a problem with\r\ncopying the wav file!");
    EXPECT_EQ(prompter.shown[1].title, "File transfer ststus (ERROR!)");
    EXPECT_EQ(readFile(soundDir / "quad.wav"), "old");
    EXPECT_FALSE(fs::exists(soundDir / "Quad.wav"));
}

TEST_F(PlaceChosenSoundTest, AFileAlreadyInTheSoundDirectoryIsNeverCopiedOntoItself) {
    const fs::path inPlace = soundDir / "Shotgun.wav";
    writeFile(inPlace, "RIFF shotgun");
    fs::create_directory_symlink(soundDir, dir / "link");
    const fs::path spellings[] = {
        inPlace,
        soundDir / ".." / "sound" / "Shotgun.wav",
        dir / "link" / "Shotgun.wav",
    };
    for (const fs::path& spelling : spellings) {
        place(spelling);
        EXPECT_EQ(readFile(inPlace), "RIFF shotgun") << spelling;
    }
    const fs::path workingDirectory = fs::current_path();
    fs::current_path(soundDir);
    place("Shotgun.wav");
    fs::current_path(workingDirectory);
    EXPECT_EQ(readFile(inPlace), "RIFF shotgun");
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(PlaceChosenSoundTest, WithAutoCopyOffOrNoSoundDirectoryNothingIsCopied) {
    configuration.AutoCopy = false;
    place(chosen);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, "This sound file will need to be placed\r\n"
                                      "in the quake directory, if you want configure hornwise\r\n"
                                      "to do this automatically.");
    EXPECT_EQ(prompter.shown[0].title, "Sounds need copying");
    EXPECT_EQ(prompter.shown[0].icon, Prompter::Icon::Information);

    configuration.AutoCopy = true;
    configuration.Quake_Id1_sound.clear();
    place(chosen);
    EXPECT_EQ(titles(),
              (std::vector<std::string>{"Sounds need copying", "File transfer ststus (ERROR!)"}));
    EXPECT_TRUE(fs::is_empty(soundDir));
}

} // namespace
