// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Finds many words in a text in one pass over it (Aho-Corasick), however many words there
// are. Letters are compared without regard to case, for the ASCII letters only, like every
// other comparison of the program.
//
// The automaton is a complete transition table, so each byte of the text costs one lookup.
// Bytes that occur in no word share one column of the table, which keeps it small: a
// thousand keywords take a couple of megabytes.
class WordAutomaton {
public:
    WordAutomaton();
    // Word i of `words` is reported as i. Every word must be non-empty.
    explicit WordAutomaton(const std::vector<std::string>& words);

    // Calls `found(word, end)` for the words that end at each byte of `text`, longest
    // first, `end` being the position after that byte. `found` returns whether to go on with
    // the shorter words that end at the same byte, the suffixes of that word.
    template <typename Found> void scan(std::string_view text, Found&& found) const;

private:
    using State = std::uint32_t;
    // The root is never the end of a word, so 0 can stand for "no word here".
    static constexpr State kNone = 0;

    void addWord(std::string_view word, std::uint32_t id);
    void linkSuffixes();
    State newState();

    std::array<std::uint8_t, 256> m_classOf{};
    std::uint32_t m_classCount = 1;
    // m_next[state * m_classCount + class]: the state after reading a byte of that class.
    std::vector<State> m_next;
    std::vector<State> m_suffix;
    // The longest word ending in this state or in one of its suffixes, as the state where it
    // ends; kNone when there is none.
    std::vector<State> m_wordEnd;
    std::vector<std::uint32_t> m_wordOf;
};

template <typename Found> void WordAutomaton::scan(std::string_view text, Found&& found) const {
    State state = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        state = m_next[state * m_classCount + m_classOf[static_cast<unsigned char>(text[at])]];
        for (State end = m_wordEnd[state]; end != kNone; end = m_wordEnd[m_suffix[end]]) {
            if (!found(m_wordOf[end], at + 1))
                break;
        }
    }
}
