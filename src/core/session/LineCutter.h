// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Cuts console text into lines as it arrives, in pieces of any size. A line ends at CR, LF
// or CR LF, also when the CR comes at the end of one piece and its LF at the start of the
// next, and is returned without them. Text after the last line end waits for the next
// piece. A line that reaches kMaxLineBytes without an end is returned at that size, so a
// file without line ends cannot take memory without bound; a line end right after such a
// piece adds no empty line. NUL bytes are no text and are dropped: the engines never log
// one, but a Quake III game writes its log on at its own place when the log is cleared
// under it, and the gap before reads as NUL bytes.
class LineCutter {
public:
    static constexpr std::size_t kMaxLineBytes = 64 * 1024;

    // The lines completed by `text`, in order.
    std::vector<std::string> SplitLines(std::string_view text);

    // Forgets the unfinished line: the text it came from is gone.
    void reset();

    // Cutting resumes in the middle of a text whose last byte already seen is `lastByte`:
    // the rest of a line begun there is dropped, and an LF completing a CR is no line.
    void resumeAfter(char lastByte);

private:
    void addToUnfinished(std::string_view text, std::vector<std::string>& lines);
    void addText(std::string_view text, std::vector<std::string>& lines);
    void endLine(std::vector<std::string>& lines);

    std::string m_unfinished;
    bool m_afterCarriageReturn = false;
    bool m_droppingLine = false;
    // The last line was cut at the limit and nothing has followed it yet.
    bool m_cutAtLimit = false;
};
