// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

// The file operations that several parts of the program share, each in one place.
namespace files {

// The text of the error that the last failed system call left (errno), or `fallback` when it
// left none.
std::string systemErrorText(std::string_view fallback);

// The bytes of a whole file; nullopt when it is not a regular file or cannot be read.
std::optional<std::string> readWholeFile(const std::filesystem::path& path);

// Replaces `target` only by a complete file: `fill` writes a temporary file beside it (same
// directory, so the rename cannot cross file systems), which is then renamed over the target.
// False when `fill` fails or the rename does; the target is then as it was and no temporary
// is left behind.
bool replaceFile(const std::filesystem::path& target,
                 const std::function<bool(const std::filesystem::path& temporary)>& fill);
// The same, with `write` putting the contents into the temporary's stream, which is flushed
// and checked before the rename (a full disk often shows only when the last bytes are
// flushed).
bool replaceFileWith(const std::filesystem::path& target,
                     const std::function<bool(std::ostream& out)>& write);
bool replaceFile(const std::filesystem::path& target, std::string_view bytes);

// Empties a console log, leaving only `markerLine`, so that its old text is never read again.
// False when the log could not be written.
bool clearConsoleLog(const std::filesystem::path& log, std::string_view markerLine);

} // namespace files
