// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/sound/WaveFacts.h"

#include "core/sound/SoundIo.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <string_view>

namespace sound {

namespace {

std::uint16_t le16(const char* bytes) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[0]) |
                                      static_cast<unsigned char>(bytes[1]) << 8);
}

std::uint32_t le32(const char* bytes) {
    return le16(bytes) | static_cast<std::uint32_t>(le16(bytes + 2)) << 16;
}

} // namespace

std::optional<WaveFacts> readWaveFacts(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::array<char, 12> riff{};
    if (!in.read(riff.data(), riff.size()) || std::string_view(riff.data(), 4) != "RIFF" ||
        std::string_view(riff.data() + 8, 4) != "WAVE")
        return std::nullopt;
    WaveFacts facts;
    bool hasFormat = false, hasData = false;
    // Chunks in any order, each padded to an even length; a loop point may follow the data.
    for (std::array<char, 8> chunk{}; in.read(chunk.data(), chunk.size());) {
        const std::string_view id(chunk.data(), 4);
        const std::uint32_t size = le32(chunk.data() + 4);
        std::uint32_t consumed = 0;
        if (id == "fmt ") {
            std::array<char, 40> format{};
            consumed = std::min<std::uint32_t>(size, format.size());
            if (size < 16 || !in.read(format.data(), consumed))
                return std::nullopt;
            facts.formatTag = le16(format.data());
            facts.channels = le16(format.data() + 2);
            facts.rate = le32(format.data() + 4);
            facts.bits = le16(format.data() + 14);
            facts.fmtSize = size;
            // An extensible header names the sample kind in the first two bytes of its GUID.
            facts.sampleFormat = facts.formatTag == WaveFacts::kExtensible && size >= 40
                                     ? le16(format.data() + 24)
                                     : facts.formatTag;
            hasFormat = true;
        }
        hasData = hasData || id == "data";
        facts.hasCue = facts.hasCue || id == "cue ";
        in.seekg(static_cast<std::streamoff>(size) - consumed + (size & 1), std::ios::cur);
    }
    return hasFormat && hasData ? std::optional(facts) : std::nullopt;
}

bool isGameReady(const WaveFacts& wave) {
    return isPlainPcm(wave) && wave.fmtSize == 16 && wave.channels == 1 && !wave.hasCue;
}

bool isPlainPcm(const WaveFacts& wave) {
    return wave.formatTag == WaveFacts::kPcm && (wave.bits == 8 || wave.bits == 16);
}

std::optional<std::string> soundKind(const std::filesystem::path& path) {
    const SoundReader reader(path);
    if (!reader.isOpen())
        return std::nullopt;
    switch (reader.info().format & SF_FORMAT_TYPEMASK) {
    case SF_FORMAT_WAV:
    case SF_FORMAT_WAVEX:
        return "WAV";
    case SF_FORMAT_MPEG:
        return "MP3";
    case SF_FORMAT_FLAC:
        return "FLAC";
    case SF_FORMAT_OGG:
        return (reader.info().format & SF_FORMAT_SUBMASK) == SF_FORMAT_OPUS ? "Opus" : "Ogg Vorbis";
    case SF_FORMAT_AIFF:
        return "AIFF";
    default:
        return "sound file";
    }
}

} // namespace sound
