// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/triggers/TriggerStore.h"

#include "core/platform/Progress.h"
#include "core/platform/SettingsStore.h"
#include "core/settings/SettingsLayout.h"
#include "core/triggers/TriggerList.h"
#include "core/triggers/UsableTrigger.h"

namespace triggerstore {

using namespace settings;

bool is_not_blank(std::string_view text) {
    return text.find_first_not_of(' ') != std::string_view::npos;
}

void loadTriggerList(const SettingsStore& store, TriggerList& list) {
    // A count that is no 16-bit number is a damaged store: rather an empty list than 32767
    // copies of the default trigger, which closing the manager would then save.
    const auto count =
        readRecordCount(read(store, kCountSection, kRecordCount), TriggerList::kMaxCount);
    list.resize(0);
    list.resize(count.value_or(0));
    Load_Triggers(store, list);
}

void Load_Triggers(const SettingsStore& store, TriggerList& list) {
    for (int position = 1; position <= list.TriggerCount(); ++position) {
        const std::string section = std::to_string(position);
        Trigger trigger{read(store, section, kTriggerName), read(store, section, kTriggerKeyword),
                        read(store, section, kTriggerFile),
                        readQuietMs(read(store, section, kTriggerQuiet), Trigger::kMaxQuietMs),
                        readCallers(read(store, section, kTriggerCallers))};
        if (hasEveryField(trigger))
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
    store.save(kCountSection, kRecordCount.name, std::to_string(count));
    return store.sync();
}

void Add_Trigger(SettingsStore& store, std::string_view section, const Trigger& trigger) {
    store.save(section, kTriggerName.name, trigger.name);
    store.save(section, kTriggerKeyword.name, trigger.keyword);
    store.save(section, kTriggerFile.name, trigger.soundFile);
    // Only a trigger with a quiet time or wider callers gets the key, so the store of a
    // player who sets neither stays as earlier versions wrote it.
    if (trigger.quietMs != 0)
        store.save(section, kTriggerQuiet.name, std::to_string(trigger.quietMs));
    if (trigger.callers != text::Callers::TeamTalk)
        store.save(section, kTriggerCallers.name, callersText(trigger.callers));
}

void Delete_Trigger_Section(SettingsStore& store, std::string_view section) {
    store.deleteSection(section);
}

} // namespace triggerstore
