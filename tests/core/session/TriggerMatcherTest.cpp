// The matcher against the matching rule written out plainly, on many random trigger lists
// and pieces, over a small alphabet so that words overlap, repeat, and are prefixes and
// suffixes of one another.

#include "core/session/TriggerMatcher.h"

#include "core/text/Text.h"
#include "core/triggers/TriggerList.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

// The first position whose keyword's words (cut at the first space) all occur in the piece,
// one plain substring search after another.
std::optional<int> referenceFirstMatch(const TriggerList& list, const std::string& piece) {
    if (piece.empty())
        return std::nullopt;
    for (int position = 1; position <= list.TriggerCount(); ++position) {
        const std::string& keyword = list.at(position).keyword;
        if (keyword.empty())
            continue;
        const auto space = keyword.find(' ');
        const bool matches = space == std::string::npos
                                 ? text::containsIgnoringCase(piece, keyword)
                                 : text::containsIgnoringCase(piece, keyword.substr(0, space)) &&
                                       text::containsIgnoringCase(piece, keyword.substr(space));
        if (matches)
            return position;
    }
    return std::nullopt;
}

class RandomText {
public:
    explicit RandomText(unsigned seed)
        : m_random(seed) {}

    // Both cases of two letters, a space, and two non-ASCII letters that differ only in
    // case in Latin-1, which must stay different.
    std::string text(int maxLength) {
        static const char alphabet[] = {'a', 'b', 'A', 'B', ' ', 'c', '\xC4', '\xE4'};
        std::string result;
        for (int i = number(0, maxLength); i > 0; --i)
            result.push_back(alphabet[number(0, static_cast<int>(sizeof alphabet) - 1)]);
        return result;
    }

    // Random text, or a prefix or suffix of a keyword already in the list.
    std::string keyword(const std::vector<std::string>& others) {
        if (others.empty() || number(0, 2) != 0)
            return text(5);
        const std::string& other =
            others[static_cast<std::size_t>(number(0, static_cast<int>(others.size()) - 1))];
        const auto cut = static_cast<std::size_t>(number(0, static_cast<int>(other.size())));
        return number(0, 1) == 0 ? other.substr(0, cut) : other.substr(cut);
    }

    int number(int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(m_random);
    }

private:
    std::mt19937 m_random;
};

TEST(TriggerMatcherTest, AgreesWithThePlainRuleOnRandomListsAndPieces) {
    for (unsigned seed = 1; seed <= 2000; ++seed) {
        RandomText random(seed);
        TriggerList list;
        TriggerMatcher matcher(list);
        std::vector<std::string> keywords;
        for (int round = 0; round < 4; ++round) {
            // Each round changes the list, which the matcher must follow.
            for (int i = random.number(1, 4); i > 0; --i) {
                keywords.push_back(random.keyword(keywords));
                list.append({"t", keywords.back(), "t.wav"});
            }
            if (random.number(0, 3) == 0)
                list.set(random.number(1, list.TriggerCount()), {});
            for (int line = 0; line < 10; ++line) {
                const std::string piece = random.text(14);
                ASSERT_EQ(matcher.firstMatch(piece), referenceFirstMatch(list, piece))
                    << "seed " << seed << ", piece '" << piece << "'";
            }
        }
    }
}

} // namespace
