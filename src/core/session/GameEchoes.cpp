// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/session/GameEchoes.h"

#include "core/platform/Clock.h"
#include "core/text/Text.h"

#include <algorithm>

namespace {

// The bind's "exec bellcast.cfg": the game names it whenever it runs the script.
constexpr std::string_view kPlayScript = "bellcast.cfg";

bool isNameCharacter(char c) {
    c = text::toLowerAscii(c);
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '-';
}

// Whether `lowerName` occurs in `line`, in any letter case, as a whole file name and not as
// the end of a longer one. No copy of the line: every console line comes through here.
bool namesFile(std::string_view line, std::string_view lowerName) {
    const auto sameLetter = [](char c, char lower) { return text::toLowerAscii(c) == lower; };
    for (auto at = line.begin();; ++at) {
        at = std::search(at, line.end(), lowerName.begin(), lowerName.end(), sameLetter);
        if (at == line.end())
            return false;
        const auto end = at + static_cast<std::ptrdiff_t>(lowerName.size());
        if ((at == line.begin() || !isNameCharacter(*(at - 1))) &&
            (end == line.end() || !isNameCharacter(*end)))
            return true;
    }
}

} // namespace

void GameEchoes::played(std::string_view soundName) {
    forgetOld();
    std::string lookedUp = text::toLowerAscii(soundName);
    std::erase_if(m_played, [&](const Played& p) { return p.lookedUp == lookedUp; });
    m_played.push_back({std::move(lookedUp), m_clock.steadyTime()});
}

bool GameEchoes::isEcho(std::string_view line) {
    // Every name looked for has a dot; most console lines have none.
    if (line.find('.') == std::string_view::npos)
        return false;
    if (text::containsIgnoringCase(line, kPlayScript))
        return true;
    forgetOld();
    return std::any_of(m_played.begin(), m_played.end(),
                       [&](const Played& p) { return namesFile(line, p.lookedUp); });
}

void GameEchoes::forgetOld() {
    const auto now = m_clock.steadyTime();
    std::erase_if(m_played, [&](const Played& p) { return now - p.at > kAnswerTime; });
}
