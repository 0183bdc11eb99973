// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

// A directory of its own for one test, removed with everything in it afterwards.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(std::string_view name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

// A name with a letter beyond ASCII ("Jörg's Quake") in the core's text encoding: the ANSI
// code page on Windows, UTF-8 elsewhere.
extern const std::string kNameBeyondAscii;

// Whole-file helpers for tests; bytes unchanged.
void writeFile(const std::filesystem::path& path, std::string_view bytes);
void appendFile(const std::filesystem::path& path, std::string_view bytes);
std::string readFile(const std::filesystem::path& path);

// `count` bytes of `value`, least significant first, as wave and pak files hold numbers.
std::string littleEndian(std::uint32_t value, int count);

// A wave file of a square tone, 8-bit PCM mono at 11025 Hz, between the sample values `low`
// and `high`: `samples` long, so 11025 is one second.
std::string squareWave(int samples, unsigned char low, unsigned char high);
