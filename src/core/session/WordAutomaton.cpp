// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/session/WordAutomaton.h"

#include "core/text/Text.h"

#include <deque>

WordAutomaton::WordAutomaton()
    : WordAutomaton(std::vector<std::string>{}) {}

WordAutomaton::WordAutomaton(const std::vector<std::string>& words) {
    // Every byte that occurs in a word gets a column of its own, an upper-case letter the
    // column of its lower-case one.
    for (const std::string& word : words) {
        for (const char c : word) {
            auto& column = m_classOf[static_cast<unsigned char>(text::toLowerAscii(c))];
            if (column == 0)
                column = static_cast<std::uint8_t>(m_classCount++);
        }
    }
    for (int byte = 'A'; byte <= 'Z'; ++byte)
        m_classOf[static_cast<std::size_t>(byte)] =
            m_classOf[static_cast<unsigned char>(text::toLowerAscii(static_cast<char>(byte)))];

    newState(); // the root
    for (std::uint32_t id = 0; id < words.size(); ++id)
        addWord(words[id], id);
    linkSuffixes();
}

WordAutomaton::State WordAutomaton::newState() {
    const auto state = static_cast<State>(m_suffix.size());
    m_next.resize(m_next.size() + m_classCount, 0);
    m_suffix.push_back(0);
    m_wordEnd.push_back(kNone);
    m_wordOf.push_back(0);
    return state;
}

void WordAutomaton::addWord(std::string_view word, std::uint32_t id) {
    State state = 0;
    for (const char c : word) {
        const std::size_t cell = state * m_classCount + m_classOf[static_cast<unsigned char>(c)];
        // While the words go in, 0 means "no edge": no edge of the tree leads to the root.
        if (m_next[cell] == 0) {
            const State added = newState();
            m_next[cell] = added;
        }
        state = m_next[cell];
    }
    m_wordEnd[state] = state;
    m_wordOf[state] = id;
}

void WordAutomaton::linkSuffixes() {
    // Breadth first, so the suffix of every state (shorter, hence nearer the root) is complete
    // before the state itself is.
    std::deque<State> queue;
    for (std::uint32_t column = 0; column < m_classCount; ++column) {
        if (const State child = m_next[column]; child != 0)
            queue.push_back(child);
    }
    while (!queue.empty()) {
        const State state = queue.front();
        queue.pop_front();
        const State suffix = m_suffix[state];
        for (std::uint32_t column = 0; column < m_classCount; ++column) {
            State& next = m_next[state * m_classCount + column];
            const State suffixNext = m_next[suffix * m_classCount + column];
            if (next == 0) {
                next = suffixNext;
                continue;
            }
            m_suffix[next] = suffixNext;
            if (m_wordEnd[next] == kNone)
                m_wordEnd[next] = m_wordEnd[suffixNext];
            queue.push_back(next);
        }
    }
}
