// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <string>
#include <string_view>

// The core keeps text in the system's 8-bit encoding (UTF-8 on Linux, the ANSI code page
// on Windows), as file names and the game's files are.
inline QString toQString(std::string_view text) {
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string toSystemText(const QString& text) {
    return text.toLocal8Bit().toStdString();
}

// Text from outside (console lines, trigger files) for a list or label: bytes that are not
// valid in the system's encoding become replacement characters (U+FFFD), and control
// characters, which the game's console lines hold, become their visible pictures (U+2400 to
// U+2421: NUL shows as "␀", ESC as "␛"), so that nothing is hidden or breaks the line.
inline QString toDisplayText(std::string_view text) {
    QString display = toQString(text);
    for (QChar& c : display) {
        const char16_t code = c.unicode();
        if (code < 0x20)
            c = QChar(static_cast<char16_t>(0x2400 + code));
        else if (code == 0x7F)
            c = QChar(u'\u2421');
    }
    return display;
}
