#include "core/triggers/TriggerStore.h"

#include "core/platform/Progress.h"
#include "core/platform/SettingsStore.h"
#include "core/text/Text.h"
#include "core/triggers/TriggerList.h"

namespace triggerstore {

namespace {
constexpr const char* kCountSection = "Application_params";
constexpr const char* kCountKey = "RecordCount";
constexpr const char* kNameKey = "t_name";
constexpr const char* kKeywordKey = "t_keyword";
constexpr const char* kFileKey = "t_file";
} // namespace

bool is_not_blank(std::string_view text) {
    return text.find_first_not_of(' ') != std::string_view::npos;
}

void loadTriggerList(const SettingsStore& store, TriggerList& list) {
    // A count that is no 16-bit number is a damaged store: rather an empty list than 32767
    // copies of the default trigger, which closing the manager would then save.
    const auto stored = text::parseWholeNumber(store.get(kCountSection, kCountKey, "1"));
    const bool usable = stored && *stored >= 0 && *stored <= TriggerList::kMaxCount;
    list.resize(0);
    list.resize(usable ? static_cast<int>(*stored) : 0);
    Load_Triggers(store, list);
}

void Load_Triggers(const SettingsStore& store, TriggerList& list) {
    for (int position = 1; position <= list.TriggerCount(); ++position) {
        const std::string section = std::to_string(position);
        Trigger trigger{store.get(section, kNameKey, "Test Trigger"),
                        store.get(section, kKeywordKey, "SHOTGUN"),
                        store.get(section, kFileKey, "Bitch.wav")};
        if (is_not_blank(trigger.name) && is_not_blank(trigger.keyword) &&
            is_not_blank(trigger.soundFile))
            list.set(position, std::move(trigger));
    }
}

bool Save_Triggers(SettingsStore& store, const TriggerList& list, Progress& progress) {
    const int count = list.TriggerCount();
    progress.start(1, count);
    for (int position = 1; position <= count; ++position) {
        const std::string section = std::to_string(position);
        Delete_Trigger_Section(store, section);
        Add_Trigger(store, section, list.at(position));
        progress.setValue(position);
    }
    progress.finish();
    store.save(kCountSection, kCountKey, std::to_string(count));
    return store.sync();
}

void Add_Trigger(SettingsStore& store, std::string_view section, const Trigger& trigger) {
    store.save(section, kNameKey, trigger.name);
    store.save(section, kKeywordKey, trigger.keyword);
    store.save(section, kFileKey, trigger.soundFile);
}

void Delete_Trigger_Section(SettingsStore& store, std::string_view section) {
    store.deleteSection(section);
}

} // namespace triggerstore
