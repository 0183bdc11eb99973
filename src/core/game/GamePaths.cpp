// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/game/GamePaths.h"

#include "core/text/PathText.h"
#include "core/text/Text.h"

#include <algorithm>
#include <string>
#include <vector>

namespace gamepaths {

namespace fs = std::filesystem;

std::string systemSpelling(std::string_view name) {
#ifdef _WIN32
    return std::string(name);
#else
    return text::toLowerAscii(name);
#endif
}

fs::path entry(const fs::path& directory, std::string_view name) {
    const std::string preferred = systemSpelling(name);
    // The entries are listed even when the preferred spelling exists: on a case-insensitive
    // file system (Windows) that test succeeds for any spelling and says nothing about the
    // entry's own.
    std::vector<fs::path> matches;
    std::error_code error;
    for (fs::directory_iterator it(directory, error), end; !error && it != end;
         it.increment(error)) {
        const std::string found = text::fromPath(it->path().filename());
        if (found == preferred)
            return it->path();
        if (text::equalsIgnoringCase(found, name))
            matches.push_back(it->path());
    }
    if (matches.empty())
        return directory / preferred;
    return *std::min_element(matches.begin(), matches.end());
}

bool isSpelledAs(std::string_view found, std::string_view name) {
#ifdef _WIN32
    return text::equalsIgnoringCase(found, name);
#else
    return found == systemSpelling(name);
#endif
}

bool holdsDirectory(const fs::path& directory, std::string_view name) {
    std::error_code error;
    for (fs::directory_iterator it(directory, error), end; !error && it != end;
         it.increment(error)) {
        if (isSpelledAs(text::fromPath(it->path().filename()), name) && it->is_directory(error))
            return true;
    }
    return false;
}

fs::path fromSetting(std::string_view setting) {
    return text::toPath(setting);
}

std::optional<fs::path> playScript(std::string_view quakeDir, std::string_view soundDir) {
    if (quakeDir.empty())
        return std::nullopt;
#ifdef _WIN32
    constexpr const char* kScriptName = "Bellcast.CFG";
#else
    // Some engines look files up case-sensitively; this is the name the bind executes.
    constexpr const char* kScriptName = "bellcast.cfg";
#endif
    if (!soundDir.empty())
        return fromSetting(soundDir).parent_path() / kScriptName;
    return entry(fromSetting(quakeDir), "ID1") / kScriptName;
}

fs::path consoleLog(std::string_view modDir) {
    if (modDir.empty())
        return {};
    return entry(fromSetting(modDir), "qconsole.log");
}

} // namespace gamepaths
