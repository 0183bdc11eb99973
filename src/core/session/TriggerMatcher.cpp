// SPDX-License-Identifier: GPL-3.0-or-later
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
        const Trigger& trigger = m_triggers.at(position);
        if (trigger.keyword.empty())
            continue;
        const auto index = static_cast<std::uint32_t>(m_keywords.size());
        std::vector<std::uint32_t> ids;
        for (const std::string& word : word_array(trigger.keyword)) {
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
        m_keywords.push_back({position, trigger.callers, static_cast<std::uint32_t>(ids.size())});
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
    m_words.clear();
    for (const std::string& word : words)
        m_words.push_back({static_cast<std::uint32_t>(word.size())});
    m_piece = 0;
    m_builtRevision = m_triggers.revision();
}

bool TriggerMatcher::noteWord(std::uint32_t id, std::size_t end) {
    Word& word = m_words[id];
    const bool inMessage = end - word.length >= m_chat.messageStart;
    const bool newAnywhere = word.seenIn != m_piece;
    const bool newInMessage = inMessage && word.inMessageIn != m_piece;
    if (!newAnywhere && !newInMessage) {
        // Its shorter words were noted with it before; only those that start in the message
        // when it does not may be new there.
        return !inMessage && end > m_chat.messageStart;
    }
    word.seenIn = m_piece;
    if (newInMessage)
        word.inMessageIn = m_piece;
    noteKeywords(id, newAnywhere, newInMessage);
    return true;
}

void TriggerMatcher::noteKeywords(std::uint32_t word, bool anywhere, bool inMessage) {
    for (std::uint32_t i = m_firstKeywordOf[word]; i < m_firstKeywordOf[word + 1]; ++i) {
        const std::uint32_t index = m_keywordsOfWord[i];
        // A keyword after one that calls cannot win.
        if (index >= m_best)
            break;
        Keyword& keyword = m_keywords[index];
        if (keyword.seenIn != m_piece) {
            keyword.seenIn = m_piece;
            keyword.wordsAnywhere = 0;
            keyword.wordsInMessage = 0;
        }
        if (anywhere && ++keyword.wordsAnywhere == keyword.wordCount) {
            m_firstHeld = std::min(m_firstHeld, index);
            if (keyword.callers == text::Callers::AnyLine)
                m_best = index;
        }
        if (inMessage && ++keyword.wordsInMessage == keyword.wordCount &&
            text::mayCall(keyword.callers, m_chat.kind))
            m_best = index;
    }
}

TriggerMatcher::Match TriggerMatcher::firstMatch(std::string_view piece,
                                                 const text::ChatLine& chat) {
    if (piece.empty())
        return {};
    rebuildIfChanged();
    ++m_piece;
    m_chat = chat;
    const auto none = static_cast<std::uint32_t>(m_keywords.size());
    m_best = m_firstHeld = none;
    m_automaton.scan(piece,
                     [this](std::uint32_t word, std::size_t end) { return noteWord(word, end); });
    if (m_best != none)
        return {m_keywords[m_best].position, std::nullopt};
    if (m_firstHeld != none)
        return {std::nullopt, m_keywords[m_firstHeld].position};
    return {};
}
