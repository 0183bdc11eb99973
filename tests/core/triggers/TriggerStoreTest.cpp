#include "core/triggers/TriggerStore.h"

#include "core/triggers/TriggerList.h"
#include "support/FakeSettingsStore.h"
#include "support/Recorders.h"

#include <gtest/gtest.h>

namespace {

using namespace triggerstore;

const Trigger kDefault{"Test Trigger", "SHOTGUN", "Bitch.wav"};

TriggerList loaded(FakeSettingsStore& settings) {
    TriggerList list;
    list.append({"old", "OLD", "old.wav"});
    loadTriggerList(settings, list);
    return list;
}

TEST(TriggerStoreTest, NothingStoredGivesOneDefaultTriggerAndWritesNothingUntilSaved) {
    FakeSettingsStore settings;
    TriggerList list = loaded(settings);
    ASSERT_EQ(list.TriggerCount(), 1);
    EXPECT_EQ(list.at(1), kDefault);
    EXPECT_TRUE(settings.sections().empty());

    RecordingProgress progress;
    ASSERT_TRUE(Save_Triggers(settings, list, progress));
    EXPECT_EQ(settings.get("Application_params", "RecordCount"), "1");
    EXPECT_EQ(loaded(settings).at(1), kDefault);
}

// A missing section takes the defaults; a blank keyword or an empty position stays empty.
TEST(TriggerStoreTest, StoredPositionsReloadAsSavedWithTheirQuietTimesAndCallers) {
    FakeSettingsStore settings;
    TriggerList list;
    for (const char* name : {"A", "B", "C", "D", "E"})
        list.append({name, std::string("KEY ") + name, "x.wav", name[0] == 'C' ? 1500 : 0,
                     name[0] == 'C' ? text::Callers::AnyLine : text::Callers::TeamTalk});
    list.set(4, {"D", "KEY D", "x.wav", 0, text::Callers::AllChat});
    RecordingProgress progress;
    Save_Triggers(settings, list, progress);
    list.markDeleted(2);
    list.Remove_Deleted_Triggers();
    list.set(4, {});
    Save_Triggers(settings, list, progress);
    EXPECT_EQ(settings.get("2", "t_quiet_ms") + settings.get("2", "t_callers"), "1500any");
    EXPECT_FALSE(settings.has("1", "t_quiet_ms") || settings.has("1", "t_callers")) << "as it was";
    settings.save("Application_params", "RecordCount", "7");
    Add_Trigger(settings, "6", {"Blank", "   ", "x.wav"});
    settings.save("7", "t_callers", "Any"); // no value of ours: team talk

    const TriggerList reloaded = loaded(settings);
    ASSERT_EQ(reloaded.TriggerCount(), 7);
    EXPECT_EQ(reloaded.at(1), (Trigger{"A", "KEY A", "x.wav"}));
    EXPECT_EQ(reloaded.at(2), (Trigger{"C", "KEY C", "x.wav", 1500, text::Callers::AnyLine}));
    EXPECT_EQ(reloaded.at(3), (Trigger{"D", "KEY D", "x.wav", 0, text::Callers::AllChat}));
    EXPECT_TRUE(reloaded.at(4).isEmpty());
    EXPECT_EQ(reloaded.at(5).name, "E") << "the old last section, left as it was";
    EXPECT_TRUE(reloaded.at(6).isEmpty());
    EXPECT_EQ(reloaded.at(7), kDefault);
}

TEST(TriggerStoreTest, StoredCountAndQuietTimeAreTakenOnlyWithinTheirRange) {
    using Stored = std::pair<const char*, int>;
    for (const auto& [stored, count] :
         {Stored{"3", 3}, Stored{"0", 0}, Stored{"-1", 0}, Stored{"abc", 0}, Stored{"", 0},
          Stored{"2x", 0}, Stored{"32767", 32767}, Stored{"32768", 0},
          Stored{"99999999999999999999999", 0}}) {
        FakeSettingsStore settings;
        settings.save("Application_params", "RecordCount", stored);
        EXPECT_EQ(loaded(settings).TriggerCount(), count) << stored;
    }
    for (const auto& [stored, quietMs] :
         {Stored{"2500", 2500}, Stored{"", 0}, Stored{"abc", 0}, Stored{"1.5", 0}, Stored{"-5", 0},
          Stored{"9999999", 3600000}}) {
        FakeSettingsStore settings;
        settings.save("Application_params", "RecordCount", "1");
        settings.save("1", "t_quiet_ms", stored);
        EXPECT_EQ(loaded(settings).at(1).quietMs, quietMs) << stored;
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

} // namespace
