// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/QtText.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(DisplayTextTest, EveryByteShowsAndNothingBreaksTheRow) {
    const std::pair<std::string, QString> cases[] = {
        {"Bob: SHOTGUN", QStringLiteral("Bob: SHOTGUN")},
        {kNameBeyondAscii, QStringLiteral(u"J\u00F6rg's Quake")},
#ifndef _WIN32
        // Latin-1 bytes and a character cut short are not UTF-8. (Windows's ANSI code page
        // has a character for nearly every byte.)
        {"caf\xE9 \xFF\xFE", QStringLiteral(u"caf\uFFFD \uFFFD\uFFFD")},
        {"cut \xC3", QStringLiteral(u"cut \uFFFD")},
#endif
        // Control characters of the game's console, NUL and line ends included.
        {std::string("a\0b", 3), QStringLiteral(u"a\u2400b")},
        {"\x1B[31mred\x7F", QStringLiteral(u"\u241B[31mred\u2421")},
        {"\x10name\x11\tsays\r\n", QStringLiteral(u"\u2410name\u2411\u2409says\u240D\u240A")}};
    for (const auto& [bytes, shown] : cases)
        EXPECT_EQ(toDisplayText(bytes), shown) << bytes;
}

} // namespace
