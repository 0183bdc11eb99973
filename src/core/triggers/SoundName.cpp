// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/triggers/SoundName.h"

#include "core/text/Text.h"

std::string BaseFileName(std::string_view path) {
    const auto separator = path.find_last_of("\\/");
    if (separator == std::string_view::npos)
        return std::string(path);
    return std::string(path.substr(separator + 1));
}

std::string gameSoundName(std::string_view chosen) {
    const std::string name = BaseFileName(chosen);
    const auto dot = name.rfind('.');
    if (dot != std::string::npos &&
        text::equalsIgnoringCase(std::string_view(name).substr(dot), ".wav"))
        return name;
    return name.substr(0, dot) + ".wav";
}

std::optional<std::string> soundNameProblem(std::string_view soundName) {
    // "play" adds ".wav" to a name without a dot; the game quits with "Sound name too long"
    // when what it looks up has 64 characters or more.
    const std::size_t lookedUp =
        soundName.size() + (soundName.find('.') == std::string_view::npos ? 4 : 0);
    if (lookedUp >= kMaxSoundNameLength)
        return "it is too long: the game stops with an error at " +
               std::to_string(kMaxSoundNameLength) + " characters";
    for (const char c : soundName) {
        const auto code = static_cast<unsigned char>(c);
        if (c == ';')
            return "it holds \";\", which would start another game command";
        if (c == '"')
            return "it holds a double quote, which would change the game command";
        if (c == '$')
            return "it holds \"$\", which some games replace by the value of a setting";
        if (c == '\n' || c == '\r')
            return "it holds a line break, which would start another game command";
        if (code < 0x20 || code == 0x7F)
            return "it holds a control character";
    }
    return std::nullopt;
}
