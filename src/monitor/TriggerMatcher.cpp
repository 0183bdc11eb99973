#include "monitor/TriggerMatcher.h"

#include "common/Text.h"
#include "triggers/TriggerList.h"

#include <algorithm>

std::vector<std::string> word_array(std::string_view sentence) {
    const auto space = sentence.find(' ');
    if (space == std::string_view::npos)
        return {std::string(sentence)};
    return {std::string(sentence.substr(0, space)), std::string(sentence.substr(space))};
}

TriggerMatcher::TriggerMatcher(const TriggerList& triggers)
    : m_triggers(triggers) {}

void TriggerMatcher::rebuildIfChanged() {
    if (m_builtRevision == m_triggers.revision())
        return;
    m_keywords.clear();
    for (int position = 1; position <= m_triggers.TriggerCount(); ++position) {
        const std::string& keyword = m_triggers.at(position).keyword;
        if (!keyword.empty())
            m_keywords.push_back({position, word_array(keyword)});
    }
    m_builtRevision = m_triggers.revision();
}

std::optional<int> TriggerMatcher::firstMatch(std::string_view piece) {
    if (piece.empty())
        return std::nullopt;
    rebuildIfChanged();
    for (const Keyword& keyword : m_keywords) {
        const bool allWordsOccur =
            std::all_of(keyword.words.begin(), keyword.words.end(), [piece](const auto& word) {
                return text::containsIgnoringCase(piece, word);
            });
        if (allWordsOccur)
            return keyword.position;
    }
    return std::nullopt;
}
