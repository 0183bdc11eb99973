// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/platform/FileFacts.h"
#include "core/session/LineCutter.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// Follows the console log as `tail -F` does. Every complete line is returned exactly once,
// in log order, however the game's writes and the reads fall. A log that starts afresh is
// read from its beginning: one shorter than the read position (truncated), another file
// than the one read so far (replaced by the game, or a path that now names another file),
// or one whose text before the read position changed (rewritten). A missing log, or one
// that cannot be opened, counts as empty.
class ConsoleLogFollower {
public:
    // One read takes at most this much; the rest waits for the next read, so memory does
    // not grow with a flood of text.
    static constexpr std::int64_t kMaxReadBytes = 1 << 20;

    // Measures the log. Returns its length, 0 when it is missing or cannot be opened.
    std::int64_t measure(const std::filesystem::path& log);

    // Whether the last measurement found text past the read position.
    bool hasUnreadText() const { return m_length > m_position; }

    // Reads the unread text (at most kMaxReadBytes) in one request; the complete lines in it.
    std::vector<std::string> readNewLines(const std::filesystem::path& log);

    // Measures the log and moves the read position to its end: the text it holds now,
    // including the rest of a line begun in it, is never returned.
    void skipToEnd(const std::filesystem::path& log);

    // The next read starts at the first byte of the log.
    void rewind() { startAfresh(); }

    std::int64_t length() const { return m_length; }
    // The number of bytes read so far: the offset of the next byte to read.
    std::int64_t position() const { return m_position; }

private:
    // Bytes before the read position kept to notice a rewritten log.
    static constexpr std::size_t kTailBytes = 32;

    void startAfresh();
    void keepTail(std::string_view readBytes);

    std::int64_t m_length = 0;
    std::int64_t m_position = 0;
    std::optional<FileIdentity> m_identity;
    std::string m_tail;
    LineCutter m_cutter;
};
