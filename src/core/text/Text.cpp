// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/text/Text.h"

#include <algorithm>
#include <limits>

namespace text {

char toUpperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

char toLowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string toUpperAscii(std::string_view s) {
    std::string result(s);
    std::transform(result.begin(), result.end(), result.begin(),
                   [](char c) { return toUpperAscii(c); });
    return result;
}

std::string toLowerAscii(std::string_view s) {
    std::string result(s);
    std::transform(result.begin(), result.end(), result.begin(),
                   [](char c) { return toLowerAscii(c); });
    return result;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return toLowerAscii(x) == toLowerAscii(y);
           });
}

bool containsIgnoringCase(std::string_view haystack, std::string_view needle) {
    const auto found =
        std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end(),
                    [](char x, char y) { return toLowerAscii(x) == toLowerAscii(y); });
    return found != haystack.end() || needle.empty();
}

std::optional<long long> parseWholeNumber(std::string_view s) {
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    if (s.empty())
        return std::nullopt;
    constexpr long long limit = std::numeric_limits<long long>::max();
    long long magnitude = 0;
    for (const char c : s) {
        if (c < '0' || c > '9')
            return std::nullopt;
        const int digit = c - '0';
        magnitude = magnitude > (limit - digit) / 10 ? limit : magnitude * 10 + digit;
    }
    return negative ? -magnitude : magnitude;
}

} // namespace text
