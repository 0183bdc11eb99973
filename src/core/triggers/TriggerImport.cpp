// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/triggers/TriggerImport.h"

#include "core/text/PathText.h"
#include "core/triggers/TriggerFile.h"
#include "core/triggers/TriggerList.h"
#include "core/triggers/TriggerStore.h"
#include "core/triggers/UsableTrigger.h"

#include <unordered_map>

namespace triggerimport {

TriggerNames::TriggerNames(const TriggerList& list) {
    for (int position = 1; position <= list.TriggerCount(); ++position)
        m_names.insert(list.at(position).name);
}

bool TriggerNames::trigger_doesnt_exist(const std::string& name) const {
    return !m_names.contains(name);
}

void TriggerNames::add(const std::string& name) {
    m_names.insert(name);
}

ImportResult importTriggers(TriggerList& list, const std::vector<Trigger>& records,
                            ImportMode mode) {
    std::vector<const Trigger*> valid;
    for (const Trigger& record : records) {
        if (!unusableTrigger(record))
            valid.push_back(&record);
    }
    // Trigger files carry no quiet times, callers nor spoken texts: a trigger that Replace
    // brings back under its name keeps the ones it had, the text while its sound is the same.
    std::unordered_map<std::string, Trigger> previousOfName;
    if (mode == ImportMode::Replace && !valid.empty()) {
        for (int position = 1; position <= list.TriggerCount(); ++position)
            previousOfName.try_emplace(list.at(position).name, list.at(position));
        list.resize(0);
    }

    TriggerNames names(list);
    ImportResult result;
    for (const Trigger* record : valid) {
        if (mode == ImportMode::Merge && !names.trigger_doesnt_exist(record->name))
            continue;
        Trigger taken = *record;
        if (const auto kept = previousOfName.find(taken.name); kept != previousOfName.end()) {
            taken.quietMs = kept->second.quietMs;
            taken.callers = kept->second.callers;
            if (kept->second.soundFile == taken.soundFile)
                taken.spoken = kept->second.spoken;
        }
        if (!list.append(std::move(taken))) {
            result.listFull = true;
            break;
        }
        names.add(record->name);
        ++result.imported;
    }
    return result;
}

ImportOutcome importFile(const std::string& path, ImportMode mode, TriggerList& list) {
    const auto records = triggerfile::read(text::toPath(path));
    if (!records)
        return {false,
                Prompter::Message{"Could not read the trigger file : " + path, "Import Triggers",
                                  Prompter::Buttons::Ok, Prompter::Icon::Critical}};

    const ImportResult result = importTriggers(list, *records, mode);
    if (!result.listFull)
        return {true, std::nullopt};
    return {true,
            Prompter::Message{"The trigger list is full: it holds at most " +
                                  std::to_string(TriggerList::kMaxCount) +
                                  " triggers.\r\nImported : " + std::to_string(result.imported) +
                                  " triggers, the rest of the file was left out.",
                              "Import Triggers", Prompter::Buttons::Ok, Prompter::Icon::Warning}};
}

} // namespace triggerimport
