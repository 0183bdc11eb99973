// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

class Progress;
class Prompter;

// The path without its last separator and what follows it; unchanged when it has none.
// Separators are the system's: "\" and "/" on Windows, "/" elsewhere.
std::string ParentPath(std::string_view path);

// Whether two paths name the same existing file, however each is spelled (letter case on a
// case-insensitive file system, a relative form, a link).
bool isSameFile(const std::filesystem::path& a, const std::filesystem::path& b);

// Whether `source` is an ordinary file; tells the user "File not found" when it is not.
bool sourceFound(const std::filesystem::path& source, Prompter& prompter);
// Whether `destination` may be written: nothing is there, or the user answers Yes to
// overwriting it.
bool mayReplace(const std::filesystem::path& destination, Prompter& prompter);

// Copies a file, asking before an existing destination is overwritten. Returns the number
// of bytes copied; 0 when nothing was copied (a missing or empty source, an answer other
// than Yes, a failure), each failure but the answer shown through the prompter.
//
// The copy goes to a temporary file beside the destination, which replaces the destination
// only when complete, so a failed copy never destroys the old destination. Text the source
// gains while it is copied is copied too, until its length holds. A file is never copied
// onto itself. `progress`, when given, receives the percentage done after every chunk.
std::uintmax_t CopyFileWithPrompt(const std::filesystem::path& source,
                                  const std::filesystem::path& destination, Prompter& prompter,
                                  Progress* progress = nullptr);
