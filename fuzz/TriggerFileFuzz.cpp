// SPDX-License-Identifier: GPL-3.0-or-later
// Trigger files are shared between players, so the reader gets any bytes. Whatever it reads
// gives records of three fields that the export writes back to the same records, and an
// import in any mode keeps the list within its size and takes only records the play script
// can carry.

#include "FuzzCheck.h"
#include "core/session/PlayScript.h"
#include "core/triggers/TriggerFile.h"
#include "core/triggers/TriggerImport.h"
#include "core/triggers/TriggerList.h"
#include "core/triggers/TriggerStore.h"

#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

using triggerimport::ImportMode;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::vector<Trigger> records = triggerfile::parse(text);

    TriggerList read;
    for (const Trigger& record : records)
        if (!read.append(record))
            break;
    FUZZ_CHECK(triggerfile::parse(triggerfile::format(read)).size() ==
                   static_cast<std::size_t>(read.TriggerCount()),
               "an exported list does not read back record for record");
    const auto again = triggerfile::parse(triggerfile::format(read));
    for (int position = 1; position <= read.TriggerCount(); ++position)
        FUZZ_CHECK(again[static_cast<std::size_t>(position - 1)] == read.at(position),
                   "an exported trigger reads back changed");

    const Trigger existing{"Quad", "QUAD", "quad.wav"};
    for (const ImportMode mode : {ImportMode::Add, ImportMode::Merge, ImportMode::Replace}) {
        TriggerList list;
        list.append(existing);
        const auto result = triggerimport::importTriggers(list, records, mode);
        FUZZ_CHECK(list.TriggerCount() <= TriggerList::kMaxCount, "the list outgrew its size");
        FUZZ_CHECK(result.imported >= 0 && result.imported <= list.TriggerCount(),
                   "the import counts triggers that are not in the list");
        const int first = list.TriggerCount() - result.imported + 1;
        FUZZ_CHECK(mode != ImportMode::Replace || result.imported > 0 || list.at(1) == existing,
                   "a Replace without a valid record changed the list");
        std::set<std::string> names;
        if (mode == ImportMode::Merge)
            names.insert(existing.name);
        for (int position = first; position <= list.TriggerCount(); ++position) {
            const Trigger& trigger = list.at(position);
            FUZZ_CHECK(triggerstore::is_not_blank(trigger.name) &&
                           triggerstore::is_not_blank(trigger.keyword) &&
                           triggerstore::is_not_blank(trigger.soundFile),
                       "a record with a blank field was imported");
            FUZZ_CHECK(!soundNameProblem(gameSoundName(trigger.soundFile)),
                       "a sound name the play script refuses was imported");
            if (mode == ImportMode::Merge)
                FUZZ_CHECK(names.insert(trigger.name).second, "Merge took a name twice");
        }
    }
    return 0;
}
