// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/triggers/TriggerList.h"

#include <algorithm>

// Positions count from 1; one outside the list is a programming error and throws.
TriggerList::Entry& TriggerList::entryAt(int position) {
    return m_triggers.at(static_cast<std::size_t>(position - 1));
}

const TriggerList::Entry& TriggerList::entryAt(int position) const {
    return m_triggers.at(static_cast<std::size_t>(position - 1));
}

const Trigger& TriggerList::at(int position) const {
    return entryAt(position).trigger;
}

void TriggerList::set(int position, Trigger trigger) {
    entryAt(position) = {std::move(trigger), false};
    ++m_revision;
}

void TriggerList::resize(int count) {
    m_triggers.resize(static_cast<std::size_t>(std::clamp(count, 0, kMaxCount)));
    ++m_revision;
}

bool TriggerList::append(Trigger trigger) {
    if (TriggerCount() >= kMaxCount)
        return false;
    m_triggers.push_back({std::move(trigger), false});
    ++m_revision;
    return true;
}

void TriggerList::markDeleted(int position) {
    entryAt(position).markedDeleted = true;
}

void TriggerList::Remove_Deleted_Triggers() {
    std::erase_if(m_triggers, [](const Entry& entry) { return entry.markedDeleted; });
    ++m_revision;
}
