#include "core/text/QuakeText.h"

#include <gtest/gtest.h>

namespace {

struct FoldCase {
    const char* what;
    std::string_view line;
    std::string_view folded;
};

TEST(QuakeTextTest, FoldsTheLineToWhatThePlayerReads) {
    const FoldCase cases[] = {
        FoldCase{"QuakeWorld red team text: say_team {QUAD} up", "(Bob): \xD1\xD5\xC1\xC4 up",
                 "(Bob): QUAD up"},
        FoldCase{"red text with a pair that alone is UTF-8 (C4 A0)",
                 "\xD1\xD5\xC1\xC4\xA0\xF5\xF0\xAD\xA0", "QUAD up- "},
        FoldCase{"gold brackets and digits, plain and high", "\x10\x13\x12\x11 \x9A\x9B\x90\x91",
                 "[10] 89[]"},
        FoldCase{"the dot characters", std::string_view("\x00\x05\x0E\x0F\x1C\x85\x9C", 7),
                 "......."},
        FoldCase{"DarkPlaces colour codes, as its log holds them",
                 "^7^1Bob^7: ^xF00QUAD^7 up ^^ ^x0aFnow^9", "Bob: QUAD up ^ now"},
        FoldCase{"carets that are no colour code", "^x12 ^xG00 ^a ^^^3 ^", "^x12 ^xG00 ^a ^ ^"},
        FoldCase{"ezQuake colour codes", "&cf00QUAD&r up &c12 R&D &", "QUAD up &c12 R&D &"},
        FoldCase{"UTF-8 from DarkPlaces stays", "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x8E\xAE",
                 "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x8E\xAE"},
        FoldCase{"UTF-8 and red and gold text on one DarkPlaces line",
                 "^7caf\xC3\xA9 \xD1\xD5\xC1\xC4 \x10\x13\x11 ", "caf\xC3\xA9 QUAD [1] "},
        FoldCase{"an overlong form is no UTF-8", "\xC0\xAF", "@/"},
        FoldCase{"nor is a surrogate", "\xED\xA0\x80", "m ."},
        FoldCase{"nor a cut sequence", "\xE2\x82", "b\x02"},
        FoldCase{"other control bytes stay", "\x01(Al)\x1D\x1E\x1F\x7F: hi",
                 "\x01(Al)\x1D\x1E\x1F\x7F: hi"}};
    // One buffer for every row, as the session reuses it, first filled longer than the line.
    std::string buffer(200, '#');
    for (const FoldCase& c : cases)
        EXPECT_EQ(text::foldQuakeText(c.line, buffer), c.folded) << c.what;
}

} // namespace
