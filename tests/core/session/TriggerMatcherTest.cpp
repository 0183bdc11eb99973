// SPDX-License-Identifier: GPL-3.0-or-later
// The matcher against the matching rule written out plainly, on many random trigger lists,
// callers, pieces and chat shapes, over a small alphabet so that words overlap, repeat, and
// are prefixes and suffixes of one another and of the message's start.

#include "core/session/TriggerMatcher.h"

#include "core/text/Text.h"
#include "core/triggers/TriggerList.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using Kind = text::ChatLine::Kind;

// Whether the keyword's words (cut at the first space) all occur in the text.
bool holds(std::string_view text, const std::string& keyword) {
    const auto space = keyword.find(' ');
    return text::containsIgnoringCase(text, keyword.substr(0, space)) &&
           (space == std::string::npos || text::containsIgnoringCase(text, keyword.substr(space)));
}

// The first position called: its keyword anywhere for any line, or in the message of team
// talk (for all chat also of all chat and private ones); else the first holding it anywhere.
std::pair<std::optional<int>, std::optional<int>>
referenceFirstMatch(const TriggerList& list, const std::string& piece, text::ChatLine chat) {
    std::optional<int> refused;
    for (int position = 1; !piece.empty() && position <= list.TriggerCount(); ++position) {
        const Trigger& trigger = list.at(position);
        if (trigger.keyword.empty())
            continue;
        if (trigger.callers == text::Callers::AnyLine
                ? holds(piece, trigger.keyword)
                : (chat.kind == Kind::TeamTalk ||
                   (trigger.callers == text::Callers::AllChat &&
                    (chat.kind == Kind::AllChat || chat.kind == Kind::Private))) &&
                      holds(std::string_view(piece).substr(chat.messageStart), trigger.keyword))
            return {position, std::nullopt};
        if (!refused && holds(piece, trigger.keyword))
            refused = position;
    }
    return {std::nullopt, refused};
}

TEST(TriggerMatcherTest, AgreesWithThePlainRuleOnRandomListsAndPieces) {
    for (unsigned seed = 1; seed <= 2000; ++seed) {
        std::mt19937 random(seed);
        const auto number = [&](int low, int high) {
            return std::uniform_int_distribution<int>(low, high)(random);
        };
        // Both cases of two letters, a space, and two letters that differ only in case in
        // Latin-1, which must stay different.
        const auto text = [&](int maxLength) {
            static const char alphabet[] = {'a', 'b', 'A', 'B', ' ', 'c', '\xC4', '\xE4'};
            std::string result;
            for (int i = number(0, maxLength); i > 0; --i)
                result.push_back(alphabet[number(0, static_cast<int>(sizeof alphabet) - 1)]);
            return result;
        };
        TriggerList list;
        TriggerMatcher matcher(list);
        for (int round = 0; round < 4; ++round) {
            // Each round changes the list, which the matcher must follow. A keyword is random
            // text or a prefix or suffix of one in the list.
            for (int i = number(1, 4); i > 0; --i) {
                std::string keyword = text(5);
                if (list.TriggerCount() > 0 && number(0, 2) == 0) {
                    const std::string other = list.at(number(1, list.TriggerCount())).keyword;
                    const auto cut =
                        static_cast<std::size_t>(number(0, static_cast<int>(other.size())));
                    keyword = number(0, 1) == 0 ? other.substr(0, cut) : other.substr(cut);
                }
                list.append({"t", keyword, "t.wav", 0, text::Callers(number(0, 2))});
            }
            if (number(0, 3) == 0)
                list.set(number(1, list.TriggerCount()), {});
            for (int line = 0; line < 10; ++line) {
                const std::string piece = text(14);
                const text::ChatLine chat{Kind(number(0, 4)),
                                          std::size_t(number(0, int(piece.size())))};
                const auto match = matcher.firstMatch(piece, chat);
                ASSERT_EQ(std::pair(match.position, match.refused),
                          referenceFirstMatch(list, piece, chat))
                    << "seed " << seed << ", piece '" << piece << "' from " << chat.messageStart;
            }
        }
    }
}

} // namespace
