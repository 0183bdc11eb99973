// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/session/LineCutter.h"

#include <algorithm>

std::vector<std::string> LineCutter::SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    if (text.empty())
        return lines;
    if (m_afterCarriageReturn && text.front() == '\n')
        text.remove_prefix(1);
    m_afterCarriageReturn = false;

    while (!text.empty()) {
        const auto end = text.find_first_of("\r\n");
        if (end == std::string_view::npos) {
            addToUnfinished(text, lines);
            break;
        }
        addToUnfinished(text.substr(0, end), lines);
        // The line end after a line cut at the limit ends that line: no empty line follows.
        if (m_cutAtLimit && m_unfinished.empty())
            m_cutAtLimit = false;
        else
            endLine(lines);
        const bool carriageReturn = text[end] == '\r';
        text.remove_prefix(end + 1);
        if (carriageReturn) {
            if (text.empty())
                m_afterCarriageReturn = true;
            else if (text.front() == '\n')
                text.remove_prefix(1);
        }
    }
    return lines;
}

void LineCutter::reset() {
    m_unfinished.clear();
    m_afterCarriageReturn = false;
    m_droppingLine = false;
    m_cutAtLimit = false;
}

void LineCutter::resumeAfter(char lastByte) {
    reset();
    m_afterCarriageReturn = lastByte == '\r';
    m_droppingLine = lastByte != '\r' && lastByte != '\n';
}

void LineCutter::addToUnfinished(std::string_view text, std::vector<std::string>& lines) {
    for (std::size_t nul; (nul = text.find('\0')) != std::string_view::npos;) {
        addText(text.substr(0, nul), lines);
        text.remove_prefix(nul + 1);
    }
    addText(text, lines);
}

void LineCutter::addText(std::string_view text, std::vector<std::string>& lines) {
    if (m_droppingLine)
        return;
    while (!text.empty()) {
        const std::size_t room = kMaxLineBytes - m_unfinished.size();
        const std::size_t taken = std::min(room, text.size());
        m_unfinished.append(text.substr(0, taken));
        text.remove_prefix(taken);
        m_cutAtLimit = false;
        if (m_unfinished.size() == kMaxLineBytes) {
            endLine(lines);
            m_cutAtLimit = true;
        }
    }
}

void LineCutter::endLine(std::vector<std::string>& lines) {
    if (m_droppingLine)
        m_droppingLine = false;
    else
        lines.push_back(std::move(m_unfinished));
    m_unfinished.clear();
}
