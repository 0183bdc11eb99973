// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/platform/Clock.h"
#include "core/session/GameEchoes.h"
#include "core/session/TriggerMatcher.h"
#include "core/text/ChatLine.h"

#include <chrono>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class TriggerList;
struct Trigger;

// What the monitoring session counted since its last Start, for the Match Stats window.
struct MatchStats {
    struct Row {
        std::string name;
        std::string keyword;
        // The lines that called the trigger, the skipped ones included.
        long calls = 0;
        // The calls that fell in its quiet time.
        long skipped = 0;
        // The lines that held its keyword but were not allowed to call it, and called none.
        long refused = 0;
        // Of the last call, when there was one.
        TimeOfDay lastCall{};
    };
    // The sessions started since the program began; the counts are of the last one.
    int sessionsStarted = 0;
    long linesRead = 0;
    long keysPushed = 0;
    // One row per trigger that was called or refused, in the order of their first lines.
    std::vector<Row> rows;
    // Changes with every count, so that a window knows when to show the record again.
    std::uint64_t revision = 0;
};

// The line below the table of the Match Stats window.
std::string matchStatsSummary(const MatchStats& stats);

// How a session answers console lines, kept in one place so that the trigger tester answers
// exactly as the session does: a line that is the game's answer to a play script is no call
// (GameEchoes); any other is folded to the text the player reads, the first trigger whose
// keyword it matches where the trigger's callers allow (TriggerMatcher) answers, and a call
// within the quiet time of that trigger's last play is skipped. It counts what the session
// does for Match Stats.
//
// A trigger is known by its name and keyword, so that its quiet time and its counts follow
// it when the trigger manager moves it to another position during a session.
class TriggerCalls {
public:
    TriggerCalls(const TriggerList& triggers, const Clock& clock);

    struct Answer {
        // The line as the player reads it; valid until the next line is read or tested.
        std::string_view text;
        // The trigger that answers, if any.
        std::optional<int> position;
        // How much longer its quiet time lasts: a call now is skipped when this is above 0.
        std::chrono::milliseconds quietLeft{0};
        // The line is the game's answer to a play script: no trigger answers it.
        bool echo = false;
        // When none answers: the first trigger whose keyword the line holds, but not where
        // its callers allow.
        std::optional<int> refused{};
        // Who wrote the line.
        text::ChatLine chat{};
        bool skipped() const { return quietLeft.count() > 0; }
    };

    const TriggerList& triggers() const { return m_triggers; }

    // The session, for each line: folds and counts it, and notes the time it was read.
    std::string_view read(std::string_view line);
    const TimeOfDay& readAt() const { return m_readAt; }
    // Whether the line, as the game wrote it, answers a play script (GameEchoes::isEcho).
    bool isEcho(std::string_view line) { return m_echoes.isEcho(line); }
    // A play script naming `soundName` was written.
    void played(std::string_view soundName) { m_echoes.played(soundName); }
    // The session's answer to a line just read; a call that is not skipped plays, which
    // starts the trigger's quiet time.
    Answer answer(std::string_view text);
    void keyPushed();
    // A new session: the counts start again. Quiet times go on, as the sounds they keep
    // apart are measured in real time.
    void sessionStarted();

    // The trigger tester: the answer the session would give the line now; changes nothing.
    Answer test(std::string_view line);

    const MatchStats& stats() const { return m_stats; }

private:
    using Identity = std::pair<std::string, std::string>;
    MatchStats::Row& rowOf(const Trigger& trigger);
    std::chrono::milliseconds quietLeft(const Trigger& trigger,
                                        std::chrono::milliseconds now) const;
    Answer match(std::string_view text);

    const TriggerList& m_triggers;
    const Clock& m_clock;
    TriggerMatcher m_matcher;
    GameEchoes m_echoes;
    std::string m_lineBuffer;
    std::string m_testBuffer;
    TimeOfDay m_readAt;
    std::map<Identity, std::chrono::milliseconds> m_lastPlayed;
    std::map<Identity, std::size_t> m_rowOf;
    MatchStats m_stats;
};

// What the trigger tester shows for a console line: which trigger answers it, by the
// session's own rule, and the sound it plays; or that none does, and why when a trigger's
// keyword is in the line. Empty for an empty line.
struct TesterVerdict {
    std::string text;
    // The trigger that answers, whose sound the tester's Play button plays.
    std::optional<int> position;
};
TesterVerdict testConsoleLine(TriggerCalls& calls, std::string_view line);
