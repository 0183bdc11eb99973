#include "core/settings/Configuration.h"
#include "core/triggers/TriggerEdit.h"
#include "core/triggers/TriggerList.h"
#include "core/triggers/TriggerManager.h"
#include "support/FakePrompter.h"
#include "support/FakeSettingsStore.h"
#include "support/Recorders.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

// Deletion and its selection are the trigger window's own tests.
TEST(TriggerManagerTest, AFullListAndAStoreThatCannotBeWrittenAreTold) {
    TriggerList list;
    list.resize(TriggerList::kMaxCount);
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

TEST_F(PlaceChosenSoundTest, AFileAlreadyInTheSoundDirectoryIsNeverCopiedOntoItself) {
    const fs::path inPlace = soundDir / "Shotgun.wav";
    writeFile(inPlace, "RIFF shotgun");
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
    EXPECT_EQ(readFile(inPlace), "RIFF shotgun");
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(PlaceChosenSoundTest, AnExistingCopyInAnotherLetterCaseIsTheOneReplaced) {
    writeFile(soundDir / "quad.wav", "old");
    writeFile(dir / "Quad.wav", "new");
    place(dir / "Quad.wav");
    EXPECT_EQ(readFile(soundDir / "quad.wav"), "new");
    EXPECT_EQ(std::ranges::distance(fs::directory_iterator(soundDir)), 1)
        << "no second copy under the chosen spelling";

    configuration.Quake_Id1_sound.clear();
    place(dir / "Quad.wav");
    EXPECT_EQ(prompter.shown.back().title, "File transfer ststus (ERROR!)");
}

} // namespace
