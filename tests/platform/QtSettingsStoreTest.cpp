#include "platform/qt/QtSettingsStore.h"
#include "shell/Configuration.h"
#include "support/Recorders.h"
#include "support/TempDir.h"
#include "triggers/TriggerList.h"
#include "triggers/TriggerStore.h"

#include <gtest/gtest.h>

namespace {

QString iniPath(const TempDir& dir) {
    return QString::fromStdString((dir / "Bellcast.ini").string());
}

TEST(QtSettingsStoreTest, ValuesSurviveARoundTripThroughTheFile) {
    TempDir dir;
    const std::string awkward = "C:\\Quake\\fortress; a=b, \"c\" \xC3\xA9";
    {
        QtSettingsStore store(iniPath(dir));
        store.save("Hornwise Params", "Quake_Dir", awkward);
        store.save("Hornwise Params", "Selected_Key", "");
        ASSERT_TRUE(store.sync());
    }
    const QtSettingsStore reopened(iniPath(dir));
    EXPECT_EQ(reopened.get("Hornwise Params", "Quake_Dir"), awkward);
    EXPECT_EQ(reopened.get("Hornwise Params", "Selected_Key", "PAUSE"), "")
        << "a stored empty text is not a missing key";
    EXPECT_EQ(reopened.get("Hornwise Params", "Missing", "default"), "default");
    EXPECT_EQ(reopened.get("No Section", "Missing", "default"), "default");
}

TEST(QtSettingsStoreTest, DeletingASectionRemovesEveryKeyOfItOnly) {
    TempDir dir;
    QtSettingsStore store(iniPath(dir));
    store.save("2", "t_name", "two");
    store.save("2", "t_file", "two.wav");
    store.save("3", "t_name", "three");
    store.deleteSection("2");
    store.deleteSection("never existed");
    ASSERT_TRUE(store.sync());

    const QtSettingsStore reopened(iniPath(dir));
    EXPECT_EQ(reopened.get("2", "t_name", "gone"), "gone");
    EXPECT_EQ(reopened.get("2", "t_file", "gone"), "gone");
    EXPECT_EQ(reopened.get("3", "t_name"), "three");
}

TEST(QtSettingsStoreTest, TriggerSectionsComeBackInNumericOrder) {
    TempDir dir;
    TriggerList saved;
    for (int i = 1; i <= 12; ++i)
        saved.append({"name " + std::to_string(i), "KEY" + std::to_string(i), "s.wav"});
    {
        QtSettingsStore store(iniPath(dir));
        RecordingProgress progress;
        ASSERT_TRUE(triggerstore::Save_Triggers(store, saved, progress));
    }
    const QtSettingsStore reopened(iniPath(dir));
    TriggerList loaded;
    triggerstore::loadTriggerList(reopened, loaded);
    ASSERT_EQ(loaded.TriggerCount(), 12);
    for (int i = 1; i <= 12; ++i)
        EXPECT_EQ(loaded.at(i), saved.at(i)) << "position " << i;
}

TEST(QtSettingsStoreTest, ReadsAHandWrittenFileWithPlainSectionNames) {
    TempDir dir;
    writeFile(dir / "Bellcast.ini", "[Hornwise Params]\n"
                                    "Selected_Key=F2\n"
                                    "AutoCopy=False\n"
                                    "[1]\n"
                                    "t_name=Shotgun, please\n");
    const QtSettingsStore store(iniPath(dir));
    Configuration configuration;
    configuration.load(store);
    EXPECT_EQ(configuration.Selected_Key, "F2");
    EXPECT_FALSE(configuration.AutoCopy);
    EXPECT_EQ(store.get("1", "t_name"), "Shotgun, please");
}

} // namespace
