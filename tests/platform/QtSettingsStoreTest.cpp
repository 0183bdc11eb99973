// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/QtSettingsStore.h"

#include "core/settings/Configuration.h"
#include "core/triggers/TriggerList.h"
#include "core/triggers/TriggerStore.h"
#include "support/Recorders.h"
#include "support/TempDir.h"

#include <QSettings>

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <random>

#ifndef _WIN32
#include "support/FullDisk.h"
#endif

namespace {

namespace fs = std::filesystem;

class QtSettingsStoreTest : public testing::Test {
protected:
    TempDir dir;
    const QString ini = QString::fromStdString((dir / "Bellcast.ini").string());
};

// Qt reads "a, b" as a list and writes sections escaped ("Hornwise%20Params"); the player's
// own file and the program's values must both come back as they stand.
TEST_F(QtSettingsStoreTest, AHandWrittenFileAndTheValuesSavedSurviveARoundTrip) {
    writeFile(dir / "Bellcast.ini",
              "[Hornwise Params]\nSelected_Key=F2\nAutoCopy=False\n[1]\nt_name=Shotgun, please\n");
    const std::string awkward = "C:\\Quake\\fortress; a=b, \"c\" \xC3\xA9";
    {
        QtSettingsStore store(ini);
        Configuration configuration;
        configuration.load(store);
        EXPECT_EQ(configuration.Selected_Key, "F2");
        EXPECT_FALSE(configuration.AutoCopy);
        store.save("Hornwise Params", "Quake_Dir", awkward);
        store.save("Hornwise Params", "Selected_Key", "");
        store.save("2", "t_name", "two");
        store.save("2", "t_file", "two.wav");
        store.save("20", "t_name", "twenty");
        store.deleteSection("2");
        store.deleteSection("never existed");
        ASSERT_TRUE(store.sync());
    }
    const QtSettingsStore reopened(ini);
    EXPECT_EQ(reopened.get("1", "t_name"), "Shotgun, please");
    EXPECT_EQ(reopened.get("Hornwise Params", "Quake_Dir"), awkward);
    EXPECT_EQ(reopened.get("Hornwise Params", "Selected_Key", "PAUSE"), "")
        << "a stored empty text is not a missing key";
    EXPECT_EQ(reopened.get("No Section", "Missing", "default"), "default");
    EXPECT_EQ(reopened.get("2", "t_name", "gone") + reopened.get("2", "t_file", "gone"),
              "gonegone");
    EXPECT_EQ(reopened.get("20", "t_name"), "twenty") << "section 20 is not part of 2";
}

// The damage read before is no failure to save; a save that does not fit (a full disk,
// simulated by a file-size limit in a child process) leaves the previous settings and says so.
TEST_F(QtSettingsStoreTest, RandomBytesReadAsDefaultsTheNextSaveIsValidAndAFullDiskKeepsIt) {
    std::mt19937 random(9);
    std::string noise(1 << 20, '\0');
    for (char& c : noise)
        c = static_cast<char>(random());
    writeFile(dir / "Bellcast.ini", noise);
    {
        QtSettingsStore store(ini);
        Configuration configuration;
        configuration.load(store);
        EXPECT_EQ(Configuration::readVersion(store), "NONE");
        EXPECT_EQ(configuration, Configuration{});
        configuration.Selected_Key = "F2";
        ASSERT_TRUE(configuration.save(store));
    }
    EXPECT_EQ(QSettings(ini, QSettings::IniFormat).status(), QSettings::NoError);
#ifndef _WIN32
    const std::string before = readFile(dir / "Bellcast.ini");
    EXPECT_TRUE(underFileSizeLimit(before.size(), [&] {
        QtSettingsStore store(ini);
        TriggerList triggers;
        for (int i = 0; i < 50; ++i)
            triggers.append({"name " + std::to_string(i), "KEY", "sound.wav"});
        RecordingProgress progress;
        return !triggerstore::Save_Triggers(store, triggers, progress) &&
               store.get("1", "t_name") == "name 0";
    })) << "the failed save is reported, and the values stay in memory";
    EXPECT_EQ(readFile(dir / "Bellcast.ini"), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1)
        << "no temporary file is left behind";
#endif
    const QtSettingsStore reopened(ini);
    EXPECT_EQ(reopened.get("Hornwise Params", "Selected_Key"), "F2");
    EXPECT_EQ(reopened.get("Hornwise Params", "reg_version"), "2");
}

} // namespace
