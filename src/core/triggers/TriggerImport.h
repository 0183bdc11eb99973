// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/platform/Prompter.h"

#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

class TriggerList;
struct Trigger;

namespace triggerimport {

enum class ImportMode {
    // Every valid record is appended.
    Add,
    // A valid record is appended only when no trigger has its name yet.
    Merge,
    // The valid records replace the whole list; a file without one leaves the list alone.
    // A record named as a trigger of the list keeps that trigger's quiet time and callers.
    Replace,
};

// The names of a list, for Merge, which asks for each record whether its name is new.
class TriggerNames {
public:
    explicit TriggerNames(const TriggerList& list);
    // True when no trigger has exactly this name (letter case and spaces count).
    bool trigger_doesnt_exist(const std::string& name) const;
    void add(const std::string& name);

private:
    std::unordered_set<std::string> m_names;
};

struct ImportResult {
    int imported = 0;
    // The list reached its greatest size before every valid record was taken.
    bool listFull = false;
};

// Applies the records to the list in file order, up to the list's greatest size.
ImportResult importTriggers(TriggerList& list, const std::vector<Trigger>& records,
                            ImportMode mode);

struct ImportOutcome {
    // The file was read and the import is over, so the import window closes.
    bool finished = false;
    std::optional<Prompter::Message> message;
};

// The import window's "Import" with a chosen file. The whole file is read before the list
// changes, so a file that cannot be read leaves the list as it was.
ImportOutcome importFile(const std::string& path, ImportMode mode, TriggerList& list);

} // namespace triggerimport
