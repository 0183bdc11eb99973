// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/session/TriggerCalls.h"

#include "core/text/ChatLine.h"
#include "core/text/QuakeText.h"
#include "core/triggers/SoundName.h"
#include "core/triggers/TriggerList.h"

#include <algorithm>

std::string matchStatsSummary(const MatchStats& stats) {
    if (stats.sessionsStarted == 0)
        return "No session has run yet.";
    return "Since the last Start: " + std::to_string(stats.linesRead) + " lines read, " +
           std::to_string(stats.keysPushed) + " keys pushed.";
}

TriggerCalls::TriggerCalls(const TriggerList& triggers, const Clock& clock)
    : m_triggers(triggers)
    , m_clock(clock)
    , m_matcher(triggers)
    , m_echoes(clock) {}

std::string_view TriggerCalls::read(std::string_view line) {
    m_readAt = m_clock.timeOfDay();
    ++m_stats.linesRead;
    ++m_stats.revision;
    return text::foldQuakeText(line, m_lineBuffer);
}

TriggerCalls::Answer TriggerCalls::match(std::string_view text) {
    const text::ChatLine chat = text::readChatLine(text);
    const TriggerMatcher::Match found = m_matcher.firstMatch(text, chat);
    Answer answer{text, found.position};
    answer.refused = found.refused;
    answer.chat = chat;
    if (answer.position)
        answer.quietLeft = quietLeft(m_triggers.at(*answer.position), m_clock.steadyTime());
    return answer;
}

MatchStats::Row& TriggerCalls::rowOf(const Trigger& trigger) {
    const auto [row, added] =
        m_rowOf.try_emplace({trigger.name, trigger.keyword}, m_stats.rows.size());
    if (added)
        m_stats.rows.push_back({trigger.name, trigger.keyword});
    return m_stats.rows[row->second];
}

TriggerCalls::Answer TriggerCalls::answer(std::string_view text) {
    const Answer answer = match(text);
    if (answer.refused) {
        ++rowOf(m_triggers.at(*answer.refused)).refused;
        ++m_stats.revision;
    }
    if (!answer.position)
        return answer;
    const Trigger& trigger = m_triggers.at(*answer.position);
    if (!answer.skipped())
        m_lastPlayed[{trigger.name, trigger.keyword}] = m_clock.steadyTime();

    MatchStats::Row& counts = rowOf(trigger);
    ++counts.calls;
    counts.skipped += answer.skipped() ? 1 : 0;
    counts.lastCall = m_readAt;
    ++m_stats.revision;
    return answer;
}

void TriggerCalls::keyPushed() {
    ++m_stats.keysPushed;
    ++m_stats.revision;
}

void TriggerCalls::sessionStarted() {
    m_stats = MatchStats{m_stats.sessionsStarted + 1, 0, 0, {}, m_stats.revision + 1};
    m_rowOf.clear();
}

TriggerCalls::Answer TriggerCalls::test(std::string_view line) {
    const std::string_view text = text::foldQuakeText(line, m_testBuffer);
    if (isEcho(line))
        return {text, std::nullopt, {}, true};
    return match(text);
}

namespace {

// Why the trigger did not answer a line that holds its keyword.
std::string refusal(const Trigger& trigger, int position, const text::ChatLine& chat) {
    const char* why = text::mayCall(trigger.callers, chat.kind)
                          ? "its keyword is not in the message"
                      : trigger.callers == text::Callers::TeamTalk ? "not team talk"
                                                                   : "not chat";
    return "No trigger answers this line: " + std::string(why) + ".\nTrigger " +
           std::to_string(position) + ", \"" + trigger.name + "\" (keyword " + trigger.keyword +
           "), answers " +
           (trigger.callers == text::Callers::TeamTalk ? "team talk only" : "chat only") +
           "; the line is " + text::chatKindName(chat.kind) + ".";
}

} // namespace

std::chrono::milliseconds TriggerCalls::quietLeft(const Trigger& trigger,
                                                  std::chrono::milliseconds now) const {
    if (trigger.quietMs <= 0)
        return {};
    const auto played = m_lastPlayed.find({trigger.name, trigger.keyword});
    if (played == m_lastPlayed.end())
        return {};
    return std::max(std::chrono::milliseconds(trigger.quietMs) - (now - played->second),
                    std::chrono::milliseconds::zero());
}

TesterVerdict testConsoleLine(TriggerCalls& calls, std::string_view line) {
    if (line.empty())
        return {};
    const TriggerCalls::Answer answer = calls.test(line);
    std::string text;
    if (answer.text != line)
        text = "Reads as : " + std::string(answer.text) + "\n";
    if (answer.refused)
        return {text + refusal(calls.triggers().at(*answer.refused), *answer.refused, answer.chat),
                std::nullopt};
    if (!answer.position)
        return {text + "No trigger answers this line.", std::nullopt};

    const Trigger& trigger = calls.triggers().at(*answer.position);
    text += "Trigger " + std::to_string(*answer.position) + ", \"" + trigger.name + "\" (keyword " +
            trigger.keyword + "), answers";
    const std::string sound = gameSoundName(trigger.soundFile);
    if (const auto problem = soundNameProblem(sound))
        text += ", but its sound is refused: " + *problem + ".";
    else
        text += ": the game plays " + sound + ".";
    if (answer.skipped()) {
        const auto tenths = (answer.quietLeft.count() + 99) / 100;
        text += "\nIt is in its quiet time: a call now is skipped (" + std::to_string(tenths / 10) +
                "." + std::to_string(tenths % 10) + " s more).";
    }
    return {text, answer.position};
}
