// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace sound {

// What the header of a RIFF wave file says, as the games' loaders read it.
struct WaveFacts {
    static constexpr std::uint16_t kPcm = 1;
    static constexpr std::uint16_t kFloat = 3;
    static constexpr std::uint16_t kExtensible = 0xFFFE;

    std::uint16_t formatTag = 0;
    // The sample kind an extensible header names (PCM or float); formatTag otherwise.
    std::uint16_t sampleFormat = 0;
    std::uint16_t channels = 0;
    std::uint32_t rate = 0;
    std::uint16_t bits = 0;
    std::uint32_t fmtSize = 0;
    // A "cue " chunk, which some games take for a loop point and play over and over.
    bool hasCue = false;
};

// The facts of a RIFF wave file with a "fmt " and a "data" chunk; nullopt for anything else.
std::optional<WaveFacts> readWaveFacts(const std::filesystem::path& path);

// A wave that every game plays right as it is: mono 8 or 16-bit PCM (Quake's own sounds are
// 8-bit) with the plain 16-byte header and no loop point.
bool isGameReady(const WaveFacts& wave);

// A wave that the system's own player plays (the preview): 8 or 16-bit PCM.
bool isPlainPcm(const WaveFacts& wave);

// What kind of sound file is at `path`, in a player's words ("MP3", "FLAC", "Ogg Vorbis",
// "WAV"), as the sound library reads it; nullopt when it cannot read it.
std::optional<std::string> soundKind(const std::filesystem::path& path);

} // namespace sound
