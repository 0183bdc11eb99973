// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

// Text rules shared by the program. Letter case is compared for the ASCII letters only;
// the game and its files use no other.
namespace text {

char toUpperAscii(char c);
char toLowerAscii(char c);
std::string toUpperAscii(std::string_view s);
std::string toLowerAscii(std::string_view s);
bool equalsIgnoringCase(std::string_view a, std::string_view b);
bool containsIgnoringCase(std::string_view haystack, std::string_view needle);

// An optional sign followed by decimal digits and nothing else; nullopt for any other text.
// Values beyond the range of long long saturate, so callers can still tell "too big".
std::optional<long long> parseWholeNumber(std::string_view s);

} // namespace text
