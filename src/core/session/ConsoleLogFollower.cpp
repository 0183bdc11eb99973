// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/session/ConsoleLogFollower.h"

#include <algorithm>
#include <fstream>

namespace fs = std::filesystem;

std::int64_t ConsoleLogFollower::measure(const fs::path& log) {
    const auto facts = regularFileFacts(log);
    if (!facts) {
        // When the log appears, it is all new.
        startAfresh();
        m_identity.reset();
        m_length = 0;
        return m_length;
    }
    if (!std::ifstream(log, std::ios::binary).is_open()) {
        // Perhaps held by another program for a moment: wait, keeping the place.
        m_length = 0;
        return m_length;
    }
    if ((m_identity && *m_identity != facts->identity) || facts->size < m_position)
        startAfresh();
    m_identity = facts->identity;
    m_length = facts->size;
    return m_length;
}

std::vector<std::string> ConsoleLogFollower::readNewLines(const fs::path& log) {
    if (!hasUnreadText())
        return {};
    std::ifstream file(log, std::ios::binary);
    if (!file)
        return {};
    const std::int64_t count = std::min(m_length - m_position, kMaxReadBytes);
    const auto tailSize = static_cast<std::int64_t>(m_tail.size());
    std::string bytes(static_cast<std::size_t>(tailSize + count), '\0');
    file.seekg(m_position - tailSize);
    file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(std::max<std::streamsize>(file.gcount(), 0)));

    if (bytes.size() < m_tail.size() || bytes.compare(0, m_tail.size(), m_tail) != 0) {
        // The text before the read position is not what was read there: a new log.
        file.close();
        startAfresh();
        return readNewLines(log);
    }
    const std::string_view fresh = std::string_view(bytes).substr(m_tail.size());
    m_position += static_cast<std::int64_t>(fresh.size());
    keepTail(bytes);
    return m_cutter.SplitLines(fresh);
}

void ConsoleLogFollower::skipToEnd(const fs::path& log) {
    measure(log);
    startAfresh();
    if (m_length == 0)
        return;
    std::ifstream file(log, std::ios::binary);
    const std::int64_t tailSize = std::min<std::int64_t>(m_length, kTailBytes);
    std::string tail(static_cast<std::size_t>(tailSize), '\0');
    file.seekg(m_length - tailSize);
    file.read(tail.data(), static_cast<std::streamsize>(tail.size()));
    if (file.gcount() != static_cast<std::streamsize>(tail.size())) {
        // Changed under us: read it from its beginning rather than guess.
        return;
    }
    m_position = m_length;
    m_tail = tail;
    m_cutter.resumeAfter(tail.back());
}

void ConsoleLogFollower::startAfresh() {
    m_position = 0;
    m_tail.clear();
    m_cutter.reset();
}

void ConsoleLogFollower::keepTail(std::string_view readBytes) {
    m_tail =
        std::string(readBytes.substr(readBytes.size() - std::min(readBytes.size(), kTailBytes)));
}
