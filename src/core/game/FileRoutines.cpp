// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/game/FileRoutines.h"

#include "core/files/Files.h"
#include "core/platform/Progress.h"
#include "core/platform/Prompter.h"
#include "core/text/PathText.h"
#include "core/text/Text.h"

#include <array>
#include <fstream>
#include <optional>

namespace fs = std::filesystem;

std::string ParentPath(std::string_view path) {
#ifdef _WIN32
    const auto separator = path.find_last_of("\\/");
#else
    const auto separator = path.find_last_of('/');
#endif
    if (separator == std::string_view::npos)
        return std::string(path);
    return std::string(path.substr(0, separator));
}

bool isSameFile(const fs::path& a, const fs::path& b) {
    std::error_code error;
    return fs::equivalent(a, b, error) && !error;
}

namespace {

constexpr std::size_t kChunkSize = 1024;

bool isOrdinaryFile(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

// Copies the whole source into `output`: the number of bytes, or nullopt on any read or
// write failure. `total` is the source's length when the copy began.
std::optional<std::uintmax_t> copyContents(const fs::path& source, std::ostream& output,
                                           std::uintmax_t total, Progress* progress) {
    std::ifstream input(source, std::ios::binary);
    if (!input)
        return std::nullopt;
    std::array<char, kChunkSize> buffer{};
    std::uintmax_t copied = 0;
    bool readSinceEnd = true;
    for (;;) {
        input.read(buffer.data(), buffer.size());
        const auto got = static_cast<std::size_t>(input.gcount());
        if (got > 0) {
            output.write(buffer.data(), static_cast<std::streamsize>(got));
            if (!output)
                return std::nullopt;
            copied += got;
            readSinceEnd = true;
            if (progress && total > 0) {
                const std::uintmax_t remaining = copied >= total ? 0 : total - copied;
                progress->setValue(100 - static_cast<int>(remaining * 100 / total));
            }
        }
        if (input.bad())
            return std::nullopt;
        if (input.eof()) {
            // The game may still be writing: go on until the length holds, or until a
            // length it claims cannot be read, rather than turn here for ever.
            std::error_code error;
            const auto length = fs::file_size(source, error);
            if (error || length <= copied || !readSinceEnd)
                break;
            readSinceEnd = false;
            // The seek, not only the cleared state: the Windows C runtime answers every read
            // of a file that met its end with nothing more until the file is positioned.
            input.clear();
            input.seekg(static_cast<std::streamoff>(copied));
        }
    }
    return copied;
}

// The number of bytes copied, or nullopt when the copy failed; the destination is replaced
// only by a complete copy.
std::optional<std::uintmax_t>
copyThroughTemporary(const fs::path& source, const fs::path& destination, Progress* progress) {
    std::error_code error;
    const std::uintmax_t total = fs::file_size(source, error);
    if (error)
        return std::nullopt;
    std::optional<std::uintmax_t> copied;
    const bool replaced = files::replaceFileWith(destination, [&](std::ostream& output) {
        copied = copyContents(source, output, total, progress);
        return copied.has_value();
    });
    return replaced ? copied : std::nullopt;
}

} // namespace

bool sourceFound(const fs::path& source, Prompter& prompter) {
    if (isOrdinaryFile(source))
        return true;
    prompter.inform("File not found");
    return false;
}

bool mayReplace(const fs::path& destination, Prompter& prompter) {
    return !isOrdinaryFile(destination) ||
           prompter.ask(
               {text::toUpperAscii(text::fromPath(destination)) + "\r\nFile exists. Overwrite?",
                {},
                Prompter::Buttons::YesNo,
                Prompter::Icon::None,
                Prompter::Answer::Yes}) == Prompter::Answer::Yes;
}

std::uintmax_t CopyFileWithPrompt(const fs::path& source, const fs::path& destination,
                                  Prompter& prompter, Progress* progress) {
    if (!sourceFound(source, prompter) || isSameFile(source, destination) ||
        !mayReplace(destination, prompter))
        return 0;

    const auto copied = copyThroughTemporary(source, destination, progress);
    if (!copied) {
        prompter.inform("Copy Error!");
        return 0;
    }
    return *copied;
}
