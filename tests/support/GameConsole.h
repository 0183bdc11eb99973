// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/TempDir.h"

#include <filesystem>
#include <string>
#include <string_view>

// Plays the game's part: appends to a console log, and starts the log afresh the ways the
// engines do.
class GameConsole {
public:
    explicit GameConsole(std::filesystem::path log)
        : m_log(std::move(log)) {}

    const std::filesystem::path& path() const { return m_log; }

    // Appends one console line and its line end.
    void say(std::string_view line) { write(std::string(line) + "\r\n"); }
    // Appends bytes as given: half a line, a lone CR.
    void write(std::string_view bytes) { appendFile(m_log, bytes); }

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
};
