// SPDX-License-Identifier: GPL-3.0-or-later
// Making a game-ready copy, the work of the edit dialog's "..." when the chosen file is not
// one the games play: a 10 s stereo 44.1 kHz MP3 and the same as a WAV (a chord with some
// noise, after half a second of silence), each converted for Quake (11025 Hz) and Quake III
// (22050 Hz). Prints the best of five runs of the whole conversion and of its two halves:
// decoding, and trimming, resampling, loudness and writing.
//
// Usage: bench_sound_conversion

#include "core/settings/Configuration.h"
#include "core/sound/GameWave.h"
#include "core/triggers/GameSoundCopy.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <numbers>
#include <random>
#include <sndfile.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Stopwatch = std::chrono::steady_clock;

constexpr int kRate = 44100;
constexpr double kSeconds = 10;

void writeMusic(const fs::path& path, int format) {
    SF_INFO info{0, kRate, 2, format, 0, 0};
    SNDFILE* file = sf_open(path.string().c_str(), SFM_WRITE, &info);
    std::mt19937 random(1);
    std::uniform_real_distribution<float> noise(-0.05F, 0.05F);
    std::vector<float> frames;
    for (int i = 0; i < static_cast<int>((kSeconds + 0.5) * kRate); ++i) {
        const double t = static_cast<double>(i) / kRate - 0.5;
        float value = 0;
        if (t >= 0)
            for (const double frequency : {220.0, 277.2, 329.6, 4400.0})
                value += static_cast<float>(0.2 * std::sin(2 * std::numbers::pi * frequency * t));
        frames.push_back(t >= 0 ? value + noise(random) : 0);
        frames.push_back(t >= 0 ? value - noise(random) : 0);
    }
    sf_writef_float(file, frames.data(), static_cast<sf_count_t>(frames.size() / 2));
    sf_close(file);
}

double bestSeconds(const std::function<void()>& work) {
    double best = 1e30;
    for (int run = 0; run < 5; ++run) {
        const auto start = Stopwatch::now();
        work();
        best = std::min(best, std::chrono::duration<double>(Stopwatch::now() - start).count());
    }
    return best;
}

} // namespace

int main() {
    const fs::path folder = fs::temp_directory_path() / "yelpcue-bench-sound";
    fs::create_directories(folder);
    const fs::path mp3 = folder / "music.mp3", wav = folder / "music.wav";
    writeMusic(mp3, SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III);
    writeMusic(wav, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    std::printf("10 s of stereo 44.1 kHz, best of 5 runs       whole     decode    the rest\n");
    for (const fs::path& file : {mp3, wav}) {
        for (const GameFamily family : {GameFamily::Quake, GameFamily::QuakeIII}) {
            const int rate = gamesound::copyRate(family);
            const auto decoded = sound::decodeSound(file, nullptr);
            const double whole = bestSeconds([&] { gamesound::convert(file, family, nullptr); });
            const double decode = bestSeconds([&] { sound::decodeSound(file, nullptr); });
            const double rest = bestSeconds([&] { sound::makeGameWave(*decoded.value, rate); });
            std::printf("%-10s to %5d Hz                     %6.3f s   %6.3f s   %6.3f s\n",
                        file.filename().string().c_str(), rate, whole, decode, rest);
        }
    }
    fs::remove_all(folder);
    return 0;
}
