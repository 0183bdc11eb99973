// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/game/ConfigScript.h"

#include "core/files/Files.h"
#include "core/game/FileRoutines.h"
#include "core/text/PathText.h"

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <iterator>
#include <system_error>

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kLineEnd = "\r\n";

std::string lastSystemError() {
    return files::systemErrorText("the file could not be used");
}

std::string cannotRead(const fs::path& script, const std::string& reason) {
    return "Could not read the config script " + text::fromPath(script) + ": " + reason;
}

bool isLineEnd(char c) {
    return c == '\n' || c == '\r';
}

// The last byte of a script of the given length, or nullopt when it cannot be read.
std::optional<char> lastByte(const fs::path& script, std::uintmax_t length) {
    std::ifstream file(script, std::ios::binary);
    file.seekg(static_cast<std::streamoff>(length - 1));
    char last = 0;
    if (!file.get(last))
        return std::nullopt;
    return last;
}

} // namespace

std::string bindCommands(std::string_view keyName, GameFamily family) {
    const std::string bind = "bind " + std::string(keyName) + " \"exec bellcast.cfg\"";
    if (family == GameFamily::QuakeIII)
        return "set logfile 2" + std::string(kLineEnd) + bind;
    return bind;
}

std::string bindBlock(std::string_view keyName, GameFamily family) {
    std::string block;
    block.append("//** INSERTED BY YELPCUE **").append(kLineEnd);
    block.append(bindCommands(keyName, family)).append(kLineEnd);
    block.append("//**         END         **").append(kLineEnd);
    return block;
}

std::string bindScriptAdvice(GameFamily family) {
    if (family != GameFamily::QuakeIII)
        return {};
    return "OpenArena and ioquake3: add it to autoexec.cfg in the game's folder (baseoa, baseq3 "
           "or the mod's; make an empty one if there is none). The game rewrites q3config.cfg "
           "when it quits and does not keep \"set logfile 2\" there.";
}

std::vector<std::string> chosenConfigFiles(const std::vector<std::string>& chosenPaths) {
    if (chosenPaths.size() <= 1)
        return chosenPaths;
    std::vector<std::string> files{ParentPath(chosenPaths.front())};
    files.insert(files.end(), chosenPaths.begin(), chosenPaths.end());
    return files;
}

OfferedScripts scriptsToOffer(const std::vector<std::string>& ChosenConfigFiles) {
    if (ChosenConfigFiles.size() > 1) {
        std::vector<std::string> paths(ChosenConfigFiles.begin() + 1, ChosenConfigFiles.end());
        const int selected = std::min(1, static_cast<int>(paths.size()) - 1);
        return {std::move(paths), selected};
    }
    if (ChosenConfigFiles.empty())
        return {};
    return {ChosenConfigFiles, 0};
}

ScriptText readScriptForViewer(const fs::path& script) {
    // Asking for the length tells a missing script or a directory apart, with the reason.
    std::error_code error;
    static_cast<void>(fs::file_size(script, error));
    if (error)
        return {{}, cannotRead(script, error.message())};
    errno = 0;
    const auto read = files::readWholeFile(script);
    if (!read)
        return {{}, cannotRead(script, lastSystemError())};
    const std::string& bytes = *read;

    std::string text;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = std::min(bytes.find_first_of("\r\n", start), bytes.size());
        text.append(bytes, start, end - start).push_back('\n');
        start = end;
        if (start < bytes.size())
            start += bytes.compare(start, kLineEnd.size(), kLineEnd) == 0 ? kLineEnd.size() : 1;
    }
    return {std::move(text), std::nullopt};
}

bool isBindableKeyName(std::string_view keyName) {
    return !keyName.empty() && keyName.find("//") == std::string_view::npos &&
           std::none_of(keyName.begin(), keyName.end(), [](char c) {
               const auto byte = static_cast<unsigned char>(c);
               return byte <= ' ' || byte == 0x7F || c == '"' || c == ';' || c == '$';
           });
}

std::optional<std::string> AppendBindBlock(const fs::path& script, std::string_view keyName,
                                           GameFamily family) {
    // The key name may come from the settings store; it must not add commands of its own.
    if (!isBindableKeyName(keyName))
        return "The key \"" + std::string(keyName) +
               "\" cannot be bound in a config script. Choose a key in the list of the "
               "configure window first.";

    std::error_code error;
    const std::uintmax_t length = fs::file_size(script, error);
    if (error)
        return cannotRead(script, error.message()) + ". Nothing was added to it.";

    std::string addition;
    if (length > 0) {
        const auto last = lastByte(script, length);
        if (!last)
            return cannotRead(script, lastSystemError()) + ". Nothing was added to it.";
        if (!isLineEnd(*last))
            addition = kLineEnd;
    }
    addition += bindBlock(keyName, family);

    errno = 0;
    std::ofstream file(script, std::ios::binary | std::ios::app);
    if (file) {
        file.write(addition.data(), static_cast<std::streamsize>(addition.size()));
        file.close();
    }
    if (!file) {
        const std::string reason = lastSystemError();
        // Whatever part of the block reached the disk is taken back off again.
        fs::resize_file(script, length, error);
        return "Could not add the bind to the config script " + text::fromPath(script) + ": " +
               reason + ". The script was left as it was.";
    }
    return std::nullopt;
}
