// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <fstream>
#include <sndfile.h>
#include <string>
#include <vector>

namespace sound {

// A sound file opened for reading with libsndfile. The bytes come through a C++ stream, which
// opens any path the program holds; libsndfile's own open takes the ANSI code page on
// Windows and would miss a name with letters beyond it.
class SoundReader {
public:
    explicit SoundReader(const std::filesystem::path& path);
    ~SoundReader();
    SoundReader(const SoundReader&) = delete;
    SoundReader& operator=(const SoundReader&) = delete;

    bool isOpen() const { return m_file != nullptr; }
    const SF_INFO& info() const { return m_info; }
    // Up to `frames` frames into `samples`, interleaved: the number read, 0 at the end.
    sf_count_t read(float* samples, sf_count_t frames);

private:
    std::ifstream m_stream;
    SF_INFO m_info{};
    SNDFILE* m_file = nullptr;
};

// A mono wave file of 16-bit PCM samples at `rate`, made by libsndfile, as bytes. Samples
// are in -1..1.
std::string encodePcm16Wave(const std::vector<float>& samples, int rate);

} // namespace sound
