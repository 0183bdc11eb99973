// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/text/ChatLine.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What a spoken cue says, and how: its sound is rendered from it, and rendered again
// wherever it is missing.
struct SpokenText {
    static constexpr int kSlowest = 80;
    static constexpr int kFastest = 450;
    static constexpr int kUsualSpeed = 175;

    std::string text;
    std::string voice;
    int wordsPerMinute = kUsualSpeed;
    friend bool operator==(const SpokenText&, const SpokenText&) = default;
};

// One keyword-to-sound rule, its fields kept exactly as typed.
struct Trigger {
    std::string name;
    std::string keyword;
    std::string soundFile;
    // After the trigger plays, its further calls within this many milliseconds are skipped;
    // 0 lets every call play. Kept in the store only, never in trigger files.
    int quietMs = 0;
    static constexpr int kMaxQuietMs = 3600000;
    // Who may call it; kept in the store only, like the quiet time.
    text::Callers callers = text::Callers::TeamTalk;
    // For a spoken cue, what its sound says; kept in the store only, like the quiet time.
    std::optional<SpokenText> spoken = std::nullopt;

    // An empty position: all three fields empty.
    bool isEmpty() const { return name.empty() && keyword.empty() && soundFile.empty(); }
    friend bool operator==(const Trigger&, const Trigger&) = default;
};

// The program's trigger list: positions 1 to TriggerCount() without gaps, where a position
// may be empty. A position's number is its identity in the manager and in the store.
class TriggerList {
public:
    // TriggerCount is a signed 16-bit number in the stored format.
    static constexpr int kMaxCount = 32767;

    int TriggerCount() const { return static_cast<int>(m_triggers.size()); }
    // Position 1 to TriggerCount().
    const Trigger& at(int position) const;
    void set(int position, Trigger trigger);
    // Grows with empty positions or shrinks from the end; clamped to 0..kMaxCount.
    void resize(int count);
    // Appends at TriggerCount() + 1; false, and nothing changes, when the list is full.
    bool append(Trigger trigger);

    // Deletion marks positions, then compacts them away. The mark is kept apart from the
    // fields, so no name a user can type is ever taken for it.
    void markDeleted(int position);
    void Remove_Deleted_Triggers();

    // Changes every time the list changes, so derived data (the matcher) knows to rebuild.
    std::uint64_t revision() const { return m_revision; }

private:
    struct Entry {
        Trigger trigger;
        bool markedDeleted = false;
    };
    Entry& entryAt(int position);
    const Entry& entryAt(int position) const;

    std::vector<Entry> m_triggers;
    std::uint64_t m_revision = 0;
};
