// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/triggers/TriggerStore.h"

#include "core/platform/Progress.h"
#include "core/platform/SettingsStore.h"
#include "core/settings/SettingsLayout.h"
#include "core/triggers/TriggerList.h"
#include "core/triggers/UsableTrigger.h"

#include <algorithm>

namespace triggerstore {

using namespace settings;

bool is_not_blank(std::string_view text) {
    return text.find_first_not_of(' ') != std::string_view::npos;
}

namespace {

// A spoken cue's text, voice and speed; none without a text. A speed that is no number
// within the synthesiser's range is the usual one.
std::optional<SpokenText> readSpokenText(const SettingsStore& store, const std::string& section) {
    std::string text = read(store, section, kTriggerSpeech);
    if (text.empty())
        return std::nullopt;
    const std::string speed = read(store, section, kTriggerSpeed);
    int wordsPerMinute = SpokenText::kUsualSpeed;
    if (speed.size() <= 3 && !speed.empty() &&
        speed.find_first_not_of("0123456789") == std::string::npos)
        wordsPerMinute = std::clamp(std::stoi(speed), SpokenText::kSlowest, SpokenText::kFastest);
    return SpokenText{std::move(text), read(store, section, kTriggerVoice), wordsPerMinute};
}

} // namespace

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
        Trigger trigger{read(store, section, kTriggerName),
                        read(store, section, kTriggerKeyword),
                        read(store, section, kTriggerFile),
                        readQuietMs(read(store, section, kTriggerQuiet), Trigger::kMaxQuietMs),
                        readCallers(read(store, section, kTriggerCallers)),
                        readSpokenText(store, section)};
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
    if (trigger.spoken) {
        store.save(section, kTriggerSpeech.name, trigger.spoken->text);
        store.save(section, kTriggerVoice.name, trigger.spoken->voice);
        store.save(section, kTriggerSpeed.name, std::to_string(trigger.spoken->wordsPerMinute));
    }
}

void Delete_Trigger_Section(SettingsStore& store, std::string_view section) {
    store.deleteSection(section);
}

} // namespace triggerstore
