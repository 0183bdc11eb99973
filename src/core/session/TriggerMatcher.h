#pragma once

#include "core/session/WordAutomaton.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class TriggerList;

// A keyword is cut at its first space only: "GET QUAD" gives "GET" and " QUAD".
std::vector<std::string> word_array(std::string_view sentence);

// Finds the first trigger whose keyword matches a piece of console text: every word of the
// keyword occurs in the piece, letters compared without regard to case, in any order. An
// empty position never matches, and nothing matches an empty piece.
//
// One pass over the piece finds the words of all keywords at once, so a line costs about
// the same with a thousand triggers as with one. What the pass needs is built again when
// the trigger list has changed.
class TriggerMatcher {
public:
    explicit TriggerMatcher(const TriggerList& triggers);

    // The lowest matching position, or nullopt.
    std::optional<int> firstMatch(std::string_view piece);

private:
    struct Keyword {
        int position;
        // Its distinct non-empty words. Every keyword has one: a keyword without a space is
        // a non-empty word, and the second word of one with a space starts with the space.
        // An empty first word occurs in every piece that is tested, so it asks for nothing.
        std::uint32_t wordCount;
        // The piece being tested, and how many of the keyword's words it holds.
        std::uint64_t seenIn = 0;
        std::uint32_t wordsSeen = 0;
    };

    void rebuildIfChanged();
    // Notes that the piece holds the word; false when it was noted before.
    bool noteWord(std::uint32_t word);

    const TriggerList& m_triggers;
    std::optional<std::uint64_t> m_builtRevision;
    WordAutomaton m_automaton;
    // In the order of their positions.
    std::vector<Keyword> m_keywords;
    // The keywords of word w, in ascending order: m_keywordsOfWord[m_firstKeywordOf[w] ..
    // m_firstKeywordOf[w + 1]).
    std::vector<std::uint32_t> m_firstKeywordOf;
    std::vector<std::uint32_t> m_keywordsOfWord;
    // The piece in which each word was last seen.
    std::vector<std::uint64_t> m_wordSeenIn;
    // Counts the pieces tested, so that nothing needs clearing between them.
    std::uint64_t m_piece = 0;
    // The first keyword found complete in the current piece.
    std::uint32_t m_best = 0;
};
