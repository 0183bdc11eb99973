#include "core/triggers/TriggerStore.h"

#include "core/triggers/TriggerList.h"
#include "support/FakeSettingsStore.h"
#include "support/Recorders.h"

#include <gtest/gtest.h>

namespace {

using namespace triggerstore;

const Trigger kDefault{"Test Trigger", "SHOTGUN", "Bitch.wav"};

void store(FakeSettingsStore& settings, int position, const Trigger& trigger) {
    Add_Trigger(settings, std::to_string(position), trigger);
}

TEST(TriggerStoreTest, NothingStoredGivesOneDefaultTriggerAndWritesNothingUntilSaved) {
    FakeSettingsStore settings;
    TriggerList list;
    loadTriggerList(settings, list);

    ASSERT_EQ(list.TriggerCount(), 1);
    EXPECT_EQ(list.at(1), kDefault);
    EXPECT_TRUE(settings.sections().empty());

    RecordingProgress progress;
    ASSERT_TRUE(Save_Triggers(settings, list, progress));
    EXPECT_EQ(settings.get("Application_params", "RecordCount"), "1");
    EXPECT_EQ(settings.get("1", "t_name"), "Test Trigger");
    EXPECT_EQ(settings.get("1", "t_keyword"), "SHOTGUN");
    EXPECT_EQ(settings.get("1", "t_file"), "Bitch.wav");
}

TEST(TriggerStoreTest, MissingSectionTakesDefaultsAndBlankFieldLeavesAnEmptyPosition) {
    FakeSettingsStore settings;
    settings.save("Application_params", "RecordCount", "4");
    store(settings, 1, {"Shotgun", "SHOTGUN", "sg.wav"});
    store(settings, 3, {"Quad", "GET QUAD", "C:\\Sounds\\quad.wav"});
    store(settings, 4, {"Blank", "   ", "x.wav"});
    TriggerList list;
    loadTriggerList(settings, list);

    ASSERT_EQ(list.TriggerCount(), 4);
    EXPECT_EQ(list.at(1), (Trigger{"Shotgun", "SHOTGUN", "sg.wav"}));
    EXPECT_EQ(list.at(2), kDefault);
    EXPECT_EQ(list.at(3), (Trigger{"Quad", "GET QUAD", "C:\\Sounds\\quad.wav"}));
    EXPECT_TRUE(list.at(4).isEmpty());
}

TEST(TriggerStoreTest, EmptyPositionIsSavedAsEmptyValuesAndStaysEmpty) {
    FakeSettingsStore settings;
    TriggerList list;
    list.append({"One", "ONE", "one.wav"});
    list.resize(2);
    RecordingProgress progress;
    Save_Triggers(settings, list, progress);
    EXPECT_TRUE(settings.has("2", "t_keyword"));
    EXPECT_EQ(settings.get("2", "t_keyword", "missing"), "");

    TriggerList reloaded;
    loadTriggerList(settings, reloaded);
    ASSERT_EQ(reloaded.TriggerCount(), 2);
    EXPECT_TRUE(reloaded.at(2).isEmpty());
}

TEST(TriggerStoreTest, DeletingPositionTwoOfFourShiftsTheRestAndLeavesTheOldLastSection) {
    FakeSettingsStore settings;
    TriggerList list;
    for (const char* name : {"A", "B", "C", "D"})
        list.append({name, std::string("KEY ") + name, std::string(name) + ".wav"});
    RecordingProgress progress;
    Save_Triggers(settings, list, progress);

    list.markDeleted(2);
    list.Remove_Deleted_Triggers();
    ASSERT_EQ(list.TriggerCount(), 3);
    EXPECT_EQ(list.at(2).name, "C");
    EXPECT_EQ(list.at(3).name, "D");

    Save_Triggers(settings, list, progress);
    EXPECT_EQ(settings.get("Application_params", "RecordCount"), "3");
    EXPECT_EQ(settings.get("1", "t_name"), "A");
    EXPECT_EQ(settings.get("2", "t_name"), "C");
    EXPECT_EQ(settings.get("3", "t_name"), "D");
    EXPECT_EQ(settings.get("4", "t_name"), "D") << "the old section 4 is left as it was";
}

TEST(TriggerStoreTest, QuietTimeSurvivesADeleteAndAReloadAndIsStoredOnlyWhenSet) {
    FakeSettingsStore settings;
    TriggerList list;
    for (const auto& [name, quietMs] : {std::pair{"A", 0}, {"B", 1500}, {"C", 0}})
        list.append({name, name, "x.wav", quietMs});
    list.markDeleted(1);
    list.Remove_Deleted_Triggers();
    RecordingProgress progress;
    Save_Triggers(settings, list, progress);
    EXPECT_EQ(settings.get("1", "t_quiet_ms"), "1500");
    EXPECT_FALSE(settings.has("2", "t_quiet_ms")) << "a store without quiet times stays as it was";

    for (const auto& [stored, quietMs] : {std::pair{"2500", 2500},
                                          {"", 0},
                                          {"abc", 0},
                                          {"1.5", 0},
                                          {"-5", 0},
                                          {"9999999", 3600000}}) {
        settings.save("2", "t_quiet_ms", stored);
        TriggerList reloaded;
        loadTriggerList(settings, reloaded);
        EXPECT_EQ(reloaded.at(1).quietMs, 1500);
        EXPECT_EQ(reloaded.at(2).quietMs, quietMs) << stored;
    }
}

TEST(TriggerStoreTest, ATriggerNamedDeletedSurvivesTheDeletionOfAnother) {
    TriggerList list;
    for (const char* name : {"DELETED", "B", "Deleted"})
        list.append({name, "K", "k.wav"});
    list.markDeleted(2);
    list.Remove_Deleted_Triggers();
    ASSERT_EQ(list.TriggerCount(), 2);
    EXPECT_EQ(list.at(1).name, "DELETED");
    EXPECT_EQ(list.at(2).name, "Deleted");
}

struct CountCase {
    const char* stored;
    int expected;
};

class RecordCountTest : public testing::TestWithParam<CountCase> {};

TEST_P(RecordCountTest, StoredCountSizesTheListWithinItsRange) {
    FakeSettingsStore settings;
    settings.save("Application_params", "RecordCount", GetParam().stored);
    TriggerList list;
    list.append({"old", "OLD", "old.wav"});
    loadTriggerList(settings, list);
    EXPECT_EQ(list.TriggerCount(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Counts, RecordCountTest,
                         testing::Values(CountCase{"3", 3}, CountCase{"0", 0}, CountCase{"-1", 0},
                                         CountCase{"abc", 0}, CountCase{"", 0}, CountCase{"2x", 0},
                                         CountCase{"32767", 32767}, CountCase{"32768", 0},
                                         CountCase{"99999999999999999999999", 0}));

TEST(TriggerStoreTest, SaveShowsProgressOverEveryPositionThenHidesIt) {
    FakeSettingsStore settings;
    TriggerList list;
    for (int i = 0; i < 3; ++i)
        list.append(kDefault);
    RecordingProgress progress;
    Save_Triggers(settings, list, progress);
    EXPECT_EQ(progress.minimum, 1);
    EXPECT_EQ(progress.maximum, 3);
    EXPECT_EQ(progress.values, (std::vector<int>{1, 2, 3}));
    EXPECT_FALSE(progress.visible);
}

TEST(TriggerStoreTest, SaveReportsAStoreThatCannotBeWritten) {
    FakeSettingsStore settings;
    settings.syncSucceeds = false;
    TriggerList list;
    list.append(kDefault);
    RecordingProgress progress;
    EXPECT_FALSE(Save_Triggers(settings, list, progress));
}

TEST(TriggerStoreTest, BlankMeansEmptyOrOnlySpaces) {
    EXPECT_FALSE(is_not_blank(""));
    EXPECT_FALSE(is_not_blank(" "));
    EXPECT_FALSE(is_not_blank("    "));
    EXPECT_TRUE(is_not_blank("\t"));
    EXPECT_TRUE(is_not_blank("  a "));
}

TEST(TriggerListTest, AppendStopsAtTheLargestCount) {
    TriggerList list;
    list.resize(TriggerList::kMaxCount);
    EXPECT_FALSE(list.append(kDefault));
    EXPECT_EQ(list.TriggerCount(), TriggerList::kMaxCount);
    list.resize(TriggerList::kMaxCount + 5);
    EXPECT_EQ(list.TriggerCount(), TriggerList::kMaxCount);
}

} // namespace
