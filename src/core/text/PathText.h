// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// Paths and the core's text, which is in the system's 8-bit encoding (the ANSI code page on
// Windows, UTF-8 elsewhere) as settings, file dialogs and the game's files are. Every
// conversion between the two goes through here: on Windows the standard library's own
// (path from a string, path::string) use other encodings, so a path taken apart and put
// together again would name another file as soon as it holds a letter beyond ASCII.
namespace text {

std::filesystem::path toPath(std::string_view text);
std::string fromPath(const std::filesystem::path& path);

} // namespace text
