// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TempDir.h"

#include <fstream>
#include <iterator>
#include <random>

#ifdef _WIN32
const std::string kNameBeyondAscii = "J\xF6rg's Quake";
#else
const std::string kNameBeyondAscii = "J\xC3\xB6rg's Quake";
#endif

TempDir::TempDir() {
    std::random_device random;
    // create_directory answers false only for a name already taken, and throws on any other
    // failure.
    do {
        m_path =
            std::filesystem::temp_directory_path() / ("yelpcue-test-" + std::to_string(random()));
    } while (!std::filesystem::create_directory(m_path));
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

void writeFile(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void appendFile(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary | std::ios::app)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

std::string littleEndian(std::uint32_t value, int count) {
    std::string bytes;
    for (int i = 0; i < count; ++i)
        bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    return bytes;
}

std::string squareWave(int samples, unsigned char low, unsigned char high) {
    const auto bytes = littleEndian;
    std::string data;
    for (int i = 0; i < samples; ++i)
        data.push_back(static_cast<char>((i / 10) % 2 ? high : low));
    return "RIFF" + bytes(36 + data.size(), 4) + "WAVEfmt " + bytes(16, 4) + bytes(1, 2) +
           bytes(1, 2) + bytes(11025, 4) + bytes(11025, 4) + bytes(1, 2) + bytes(8, 2) + "data" +
           bytes(data.size(), 4) + data;
}
