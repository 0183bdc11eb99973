// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/session/WordAutomaton.h"
#include "core/text/ChatLine.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class TriggerList;

// A keyword is cut at its first space only: "GET QUAD" gives "GET" and " QUAD".
std::vector<std::string> word_array(std::string_view sentence);

// Finds the first trigger that a piece of console text calls: every word of its keyword
// occurs, letters compared without regard to case, in any order, where the trigger's callers
// allow: in the message of a chat line of a kind they may call from, or anywhere for a
// trigger that answers any line. An empty position never matches, and nothing matches an
// empty piece.
//
// One pass over the piece finds the words of all keywords at once, each known to lie in the
// message or not, so a line costs about the same with a thousand triggers as with one. What
// the pass needs is built again when the trigger list has changed.
class TriggerMatcher {
public:
    explicit TriggerMatcher(const TriggerList& triggers);

    struct Match {
        // The lowest position that the piece calls.
        std::optional<int> position;
        // When it calls none: the lowest position whose keyword the piece holds somewhere,
        // but not where that trigger's callers allow.
        std::optional<int> refused;
    };
    // `chat` is what readChatLine tells of the piece.
    Match firstMatch(std::string_view piece, const text::ChatLine& chat);

private:
    struct Keyword {
        int position;
        text::Callers callers;
        // Its distinct non-empty words. Every keyword has one: a keyword without a space is
        // a non-empty word, and the second word of one with a space starts with the space.
        // An empty first word occurs in every piece that is tested, so it asks for nothing.
        std::uint32_t wordCount;
        // The piece being tested, and how many of the keyword's words it holds anywhere and
        // in the message.
        std::uint64_t seenIn = 0;
        std::uint32_t wordsAnywhere = 0;
        std::uint32_t wordsInMessage = 0;
    };
    struct Word {
        std::uint32_t length;
        // The pieces in which it was last seen anywhere and in the message.
        std::uint64_t seenIn = 0;
        std::uint64_t inMessageIn = 0;
    };

    void rebuildIfChanged();
    // Notes that the piece holds the word, ending before byte `end`; false when the shorter
    // words that end there were noted before wherever they lie now.
    bool noteWord(std::uint32_t id, std::size_t end);
    void noteKeywords(std::uint32_t word, bool anywhere, bool inMessage);

    const TriggerList& m_triggers;
    std::optional<std::uint64_t> m_builtRevision;
    WordAutomaton m_automaton;
    // In the order of their positions.
    std::vector<Keyword> m_keywords;
    std::vector<Word> m_words;
    // The keywords of word w, in ascending order: m_keywordsOfWord[m_firstKeywordOf[w] ..
    // m_firstKeywordOf[w + 1]).
    std::vector<std::uint32_t> m_firstKeywordOf;
    std::vector<std::uint32_t> m_keywordsOfWord;
    // Counts the pieces tested, so that nothing needs clearing between them.
    std::uint64_t m_piece = 0;
    // The piece being tested.
    text::ChatLine m_chat;
    // The first keyword found to call, and the first found complete anywhere.
    std::uint32_t m_best = 0;
    std::uint32_t m_firstHeld = 0;
};
