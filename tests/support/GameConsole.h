// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/TempDir.h"

#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

// Plays the game's part: appends to a console log in the pieces a test asks for, and
// starts the log afresh the ways the engines do.
class GameConsole {
public:
    enum class LineEnd { CrLf, Lf };

    explicit GameConsole(std::filesystem::path log, LineEnd lineEnd = LineEnd::CrLf)
        : m_log(std::move(log))
        , m_lineEnd(lineEnd) {}

    const std::filesystem::path& path() const { return m_log; }
    std::string lineEnd() const { return m_lineEnd == LineEnd::CrLf ? "\r\n" : "\n"; }

    // Appends one console line and its line end.
    void say(std::string_view line) { write(std::string(line) + lineEnd()); }
    // Appends bytes as given: half a line, a lone CR.
    void write(std::string_view bytes) { appendFile(m_log, bytes); }
    // Appends `text` in pieces of `chunkSize` bytes, each written and closed on its own,
    // and calls `afterEachPiece` after each.
    void writeInPieces(std::string_view text, std::size_t chunkSize,
                       const std::function<void()>& afterEachPiece) {
        while (!text.empty()) {
            const std::size_t size = std::min(chunkSize, text.size());
            write(text.substr(0, size));
            text.remove_prefix(size);
            afterEachPiece();
        }
    }

    // Empties the log in place and writes `firstText` (quakespasm at start).
    void restartByTruncating(std::string_view firstText = {}) { writeFile(m_log, firstText); }
    // Puts a new file holding `firstText` in the log's place (darkplaces at start).
    void restartByReplacing(std::string_view firstText = {}) {
        auto replacement = m_log;
        replacement += ".new";
        writeFile(replacement, firstText);
        std::filesystem::rename(replacement, m_log);
    }

private:
    std::filesystem::path m_log;
    LineEnd m_lineEnd;
};
