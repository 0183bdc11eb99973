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
