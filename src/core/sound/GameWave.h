// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

class Progress;

// Turning any sound into the wave the games play right: mono 16-bit PCM at the game's own
// mixing rate, band-limited by a real resampler (libsoxr), without the silence before and
// after it, and as loud as every other cue (EBU R128 loudness and true peak, libebur128).
namespace sound {

// One channel of samples in -1..1 at `rate` per second.
struct Samples {
    std::vector<float> mono;
    int rate = 0;
};

// What a conversion gives: the result, or why there is none, in a player's words.
template <typename T> struct Outcome {
    std::optional<T> value;
    std::string problem;
};

// A cue longer than this is no cue; it would also fill the game's sound memory.
inline constexpr double kMaxSeconds = 60;
// Every cue is made this loud (LUFS), or less where its true peak would pass kCeilingDbtp.
inline constexpr double kTargetLufs = -18;
inline constexpr double kCeilingDbtp = -1;

// The sound in a file of any kind libsndfile reads (WAV of every kind, FLAC, Ogg Vorbis,
// Opus, MP3), its channels mixed into one. `progress`, when given, goes from 0 to 80.
Outcome<Samples> decodeSound(const std::filesystem::path& path, Progress* progress);

// The game's wave of the samples, as the bytes of a wave file at `rate`.
Outcome<std::string> makeGameWave(Samples samples, int rate);

} // namespace sound
