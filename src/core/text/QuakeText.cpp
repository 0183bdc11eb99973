// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/text/QuakeText.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace text {

namespace {

enum Action : std::uint8_t { Copy, Replace, Caret, Ampersand, BeyondAscii };

struct Tables {
    std::array<Action, 256> action{};
    // What a byte reads as on the screen, when taken as the game's character.
    std::array<char, 256> plain{};
};

constexpr Tables makeTables() {
    Tables t;
    for (int byte = 0; byte < 128; ++byte)
        t.plain[byte] = static_cast<char>(byte);
    for (const int dot : {0x00, 0x05, 0x0E, 0x0F, 0x1C})
        t.plain[dot] = '.';
    t.plain[0x10] = '[';
    t.plain[0x11] = ']';
    for (int digit = 0; digit < 10; ++digit)
        t.plain[0x12 + digit] = static_cast<char>('0' + digit);
    for (int byte = 0; byte < 128; ++byte) {
        // The high bit only colours a character.
        t.plain[byte + 128] = t.plain[byte];
        t.action[byte] = t.plain[byte] == static_cast<char>(byte) ? Copy : Replace;
        t.action[byte + 128] = BeyondAscii;
    }
    t.action['^'] = Caret;
    t.action['&'] = Ampersand;
    return t;
}

constexpr Tables kTables = makeTables();

unsigned char at(const char* p) {
    return static_cast<unsigned char>(*p);
}

bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Whether p starts with `lead` followed by three hexadecimal digits (^xRGB, &cRGB).
bool startsColour(const char* p, const char* end, char lead) {
    return end - p >= 5 && p[1] == lead && isHexDigit(p[2]) && isHexDigit(p[3]) && isHexDigit(p[4]);
}

bool isContinuation(const char* p, const char* end, unsigned char low = 0x80,
                    unsigned char high = 0xBF) {
    return p < end && at(p) >= low && at(p) <= high;
}

// Whether the bytes from p to end are whole, valid UTF-8 sequences (no overlong forms, no
// surrogates, nothing beyond U+10FFFF).
bool isValidUtf8(const char* p, const char* end) {
    while (p < end) {
        const unsigned char lead = at(p);
        if (lead < 0x80) {
            ++p;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            if (!isContinuation(p + 1, end))
                return false;
            p += 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            const unsigned char low = lead == 0xE0 ? 0xA0 : 0x80;
            const unsigned char high = lead == 0xED ? 0x9F : 0xBF;
            if (!isContinuation(p + 1, end, low, high) || !isContinuation(p + 2, end))
                return false;
            p += 3;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            const unsigned char low = lead == 0xF0 ? 0x90 : 0x80;
            const unsigned char high = lead == 0xF4 ? 0x8F : 0xBF;
            if (!isContinuation(p + 1, end, low, high) || !isContinuation(p + 2, end) ||
                !isContinuation(p + 3, end))
                return false;
            p += 4;
        } else {
            return false;
        }
    }
    return true;
}

} // namespace

std::string_view foldQuakeText(std::string_view line, std::string& buffer) {
    if (buffer.size() < line.size())
        buffer.resize(line.size());
    const char* p = line.data();
    const char* const end = p + line.size();
    char* const start = buffer.data();
    char* out = start;
    while (p < end) {
        const char* run = p;
        while (p < end && kTables.action[at(p)] == Copy)
            ++p;
        std::memcpy(out, run, static_cast<std::size_t>(p - run));
        out += p - run;
        if (p == end)
            break;
        switch (kTables.action[at(p)]) {
        case Copy:
        case Replace:
            *out++ = kTables.plain[at(p++)];
            break;
        case Caret:
            if (end - p >= 2 && p[1] >= '0' && p[1] <= '9') {
                p += 2;
            } else if (startsColour(p, end, 'x')) {
                p += 5;
            } else {
                *out++ = '^';
                p += end - p >= 2 && p[1] == '^' ? 2 : 1;
            }
            break;
        case Ampersand:
            if (startsColour(p, end, 'c')) {
                p += 5;
            } else if (end - p >= 2 && p[1] == 'r') {
                p += 2;
            } else {
                *out++ = '&';
                ++p;
            }
            break;
        case BeyondAscii: {
            const char* runEnd = p;
            while (runEnd < end && at(runEnd) >= 0x80)
                ++runEnd;
            if (isValidUtf8(p, runEnd)) {
                std::memcpy(out, p, static_cast<std::size_t>(runEnd - p));
                out += runEnd - p;
                p = runEnd;
            } else {
                while (p < runEnd)
                    *out++ = kTables.plain[at(p++)];
            }
            break;
        }
        }
    }
    return {start, static_cast<std::size_t>(out - start)};
}

} // namespace text
