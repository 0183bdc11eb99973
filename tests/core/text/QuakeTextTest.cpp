// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/text/QuakeText.h"

#include "core/text/ChatLine.h"
#include "core/text/PathText.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

using Kind = text::ChatLine::Kind;

struct FoldCase {
    const char* what;
    std::string_view line;
    std::string_view folded; // empty: the line as it stands
    Kind kind = Kind::GameOwn;
    std::string_view message = {};
};

TEST(QuakeTextTest, FoldsTheLineToWhatThePlayerReadsAndTellsWhoWroteIt) {
    using enum Kind;
    const FoldCase cases[] = {
        {"QuakeWorld red: say_team {QUAD} up", "(Bob): \xD1\xD5\xC1\xC4 up", "(Bob): QUAD up",
         TeamTalk, " QUAD up"},
        {"ezQuake's team talk all red, after its time stamp",
         "12:34 \xA8\xED\xE1\xF4\xE5\xA9\xBA\xA0\xEE\xE5\xE5\xE4\xA0\xD3\xC8\xCF\xD4\xC7\xD5\xCE",
         "12:34 (mate): need SHOTGUN", TeamTalk, " need SHOTGUN"},
        {"stamp with seconds, name as keyword", "12:34:56 (Shotgun): hi", "", TeamTalk, " hi"},
        {"DarkPlaces team talk", "^7^3(mate): need RL", "(mate): need RL", TeamTalk, " need RL"},
        {"NetQuake's chat mark", "\x01(Al): get quad", "", TeamTalk, " get quad"},
        {"Quake III, a location in brackets",
         "(Mate^2Two^7) (Upper Area (Grenade)): ^5need SHOT^1GUN",
         "(MateTwo) (Upper Area (Grenade)): need SHOTGUN", TeamTalk, " need SHOTGUN"},
        {"keyword in a location", "(Mate) (Shotgun to LG Passage): RL", "", TeamTalk, " RL"},
        {"a private message, with a location", "[Mate^2Two^7] (Red Base): ^6quad",
         "[MateTwo] (Red Base): quad", Private, " quad"},
        {"the server", "console: flag taken", "", Server, " flag taken"},
        {"game's line shaped as chat", "Draw_CachePic(\"gfx/inv_shotgun\"): frame 1: loading pic",
         "", AllChat, " frame 1: loading pic"},
        {"the game's own line", "couldn't exec SHOTGUN.cfg", ""},
        {"red text with UTF-8's C4 A0", "\xD1\xD5\xC1\xC4\xA0\xF5\xF0\xAD\xA0", "QUAD up- "},
        {"gold brackets and digits", "\x10\x13\x12\x11 \x9A\x9B\x90\x91", "[10] 89[]"},
        {"the dot characters", std::string_view("\x00\x05\x0E\x0F\x1C\x85\x9C", 7), "......."},
        {"DarkPlaces colour codes", "^7^1Bob^7: ^xF00QUAD^7 up ^^ ^x0aFnow^9", "Bob: QUAD up ^ now",
         AllChat, " QUAD up ^ now"},
        {"carets that are no colour code", "^x12 ^xG00 ^a ^^^3 ^", "^x12 ^xG00 ^a ^ ^"},
        {"ezQuake colour codes", "&cf00QUAD&r up &c12 R&D &", "QUAD up &c12 R&D &"},
        {"UTF-8 from DarkPlaces stays", "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x8E\xAE", ""},
        {"UTF-8 and red and gold text on one DarkPlaces line",
         "^7caf\xC3\xA9 \xD1\xD5\xC1\xC4 \x10\x13\x11 ", "caf\xC3\xA9 QUAD [1] "},
        {"an overlong form is no UTF-8", "\xC0\xAF", "@/"},
        {"nor is a surrogate", "\xED\xA0\x80", "m ."},
        {"nor a cut sequence", "\xE2\x82", "b\x02"},
        {"other control bytes stay", "\x01(Al)\x1D\x1E\x1F\x7F: hi", "", AllChat, " hi"}};
    // One buffer for every row, as the session reuses it, first filled longer than the line.
    std::string buffer(200, '#');
    for (const FoldCase& c : cases) {
        const std::string_view folded = text::foldQuakeText(c.line, buffer);
        EXPECT_EQ(folded, c.folded.empty() ? c.line : c.folded) << c.what;
        const text::ChatLine chat = text::readChatLine(folded);
        EXPECT_EQ(chat.kind, c.kind) << c.what;
        EXPECT_EQ(folded.substr(chat.messageStart), c.message) << c.what;
    }
}

#ifdef _WIN32
// Letters of Windows-1252 that Latin-1, which the standard library reads, places elsewhere.
TEST(PathTextTest, TextIsReadInTheAnsiCodePage) {
    if (GetACP() != 1252)
        GTEST_SKIP() << "the letters are those of the code page Windows-1252";
    EXPECT_EQ(text::toPath("\x80 \x8A\xF6").native(), L"\u20AC \u0160\u00F6");
}
#endif

} // namespace
