#pragma once

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
class TriggerMatcher {
public:
    explicit TriggerMatcher(const TriggerList& triggers);

    // The lowest matching position, or nullopt.
    std::optional<int> firstMatch(std::string_view piece);

private:
    struct Keyword {
        int position;
        std::vector<std::string> words;
    };

    void rebuildIfChanged();

    const TriggerList& m_triggers;
    std::optional<std::uint64_t> m_builtRevision;
    std::vector<Keyword> m_keywords;
};
