#include "core/session/TriggerCalls.h"

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
    Answer answer{text, m_matcher.firstMatch(text)};
    if (answer.position)
        answer.quietLeft = quietLeft(m_triggers.at(*answer.position), m_clock.steadyTime());
    return answer;
}

TriggerCalls::Answer TriggerCalls::answer(std::string_view text) {
    const Answer answer = match(text);
    if (!answer.position)
        return answer;
    const Trigger& trigger = m_triggers.at(*answer.position);
    Identity identity{trigger.name, trigger.keyword};
    if (!answer.skipped())
        m_lastPlayed[identity] = m_clock.steadyTime();

    const auto [row, added] = m_rowOf.try_emplace(std::move(identity), m_stats.rows.size());
    if (added)
        m_stats.rows.push_back({trigger.name, trigger.keyword, 0, 0, {}});
    MatchStats::Row& counts = m_stats.rows[row->second];
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
    if (!answer.position)
        return {text + "No trigger answers this line.", std::nullopt};

    const Trigger& trigger = calls.triggers().at(*answer.position);
    text += "Trigger " + std::to_string(*answer.position) + ", \"" + trigger.name + "\" (keyword " +
            trigger.keyword + "), answers";
    const std::string sound = BaseFileName(trigger.soundFile);
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
