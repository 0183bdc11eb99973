#include "core/session/TriggerMatcher.h"

#include "core/text/Text.h"
#include "core/triggers/TriggerList.h"

#include <algorithm>
#include <map>

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

    // Words that differ in letter case only are one word.
    std::map<std::string, std::uint32_t> idOfWord;
    std::vector<std::string> words;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> wordKeywordPairs;
    m_keywords.clear();
    for (int position = 1; position <= m_triggers.TriggerCount(); ++position) {
        const std::string& keyword = m_triggers.at(position).keyword;
        if (keyword.empty())
            continue;
        const auto index = static_cast<std::uint32_t>(m_keywords.size());
        std::vector<std::uint32_t> ids;
        for (const std::string& word : word_array(keyword)) {
            if (word.empty())
                continue;
            const auto [entry, added] =
                idOfWord.try_emplace(text::toLowerAscii(word), std::uint32_t(words.size()));
            if (added)
                words.push_back(entry->first);
            if (std::find(ids.begin(), ids.end(), entry->second) == ids.end())
                ids.push_back(entry->second);
        }
        for (const std::uint32_t id : ids)
            wordKeywordPairs.emplace_back(id, index);
        m_keywords.push_back({position, static_cast<std::uint32_t>(ids.size())});
    }

    std::sort(wordKeywordPairs.begin(), wordKeywordPairs.end());
    m_firstKeywordOf.assign(words.size() + 1, 0);
    m_keywordsOfWord.clear();
    for (const auto& [word, keyword] : wordKeywordPairs) {
        ++m_firstKeywordOf[word + 1];
        m_keywordsOfWord.push_back(keyword);
    }
    for (std::size_t word = 0; word < words.size(); ++word)
        m_firstKeywordOf[word + 1] += m_firstKeywordOf[word];

    m_automaton = WordAutomaton(words);
    m_wordSeenIn.assign(words.size(), 0);
    m_piece = 0;
    m_builtRevision = m_triggers.revision();
}

bool TriggerMatcher::noteWord(std::uint32_t word) {
    if (m_wordSeenIn[word] == m_piece)
        return false;
    m_wordSeenIn[word] = m_piece;
    for (std::uint32_t i = m_firstKeywordOf[word]; i < m_firstKeywordOf[word + 1]; ++i) {
        const std::uint32_t index = m_keywordsOfWord[i];
        // A keyword after one already complete cannot win.
        if (index >= m_best)
            break;
        Keyword& keyword = m_keywords[index];
        if (keyword.seenIn != m_piece) {
            keyword.seenIn = m_piece;
            keyword.wordsSeen = 0;
        }
        if (++keyword.wordsSeen == keyword.wordCount)
            m_best = index;
    }
    return true;
}

std::optional<int> TriggerMatcher::firstMatch(std::string_view piece) {
    if (piece.empty())
        return std::nullopt;
    rebuildIfChanged();
    ++m_piece;
    m_best = static_cast<std::uint32_t>(m_keywords.size());
    m_automaton.scan(piece, [this](std::uint32_t word) { return noteWord(word); });
    if (m_best == m_keywords.size())
        return std::nullopt;
    return m_keywords[m_best].position;
}
