// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/SoundFiles.h"

#include <cmath>
#include <ebur128.h>
#include <numbers>
#include <numeric>
#include <sndfile.h>

void writeTone(const std::filesystem::path& path, int format, int channels, int rate,
               const Tone& tone) {
    SF_INFO info{0, rate, channels, format, 0, 0};
    SNDFILE* file = sf_open(path.string().c_str(), SFM_WRITE, &info);
    if (!file)
        return;
    const auto frames = static_cast<long>((tone.lead + tone.seconds + tone.tail) * rate);
    std::vector<float> frame(static_cast<std::size_t>(channels));
    for (long i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / rate - tone.lead;
        const double value =
            t >= 0 && t < tone.seconds
                ? tone.amplitude * std::sin(2 * std::numbers::pi * tone.frequency * t)
                : 0;
        std::fill(frame.begin(), frame.end(), static_cast<float>(value));
        sf_writef_float(file, frame.data(), 1);
    }
    sf_close(file);
}

double ReadSound::rms() const {
    const double sum = std::inner_product(samples.begin(), samples.end(), samples.begin(), 0.0);
    return samples.empty() ? 0 : std::sqrt(sum / static_cast<double>(samples.size()));
}

double ReadSound::loudness() const {
    ebur128_state* state = ebur128_init(1, static_cast<unsigned long>(rate), EBUR128_MODE_I);
    ebur128_add_frames_float(state, samples.data(), samples.size());
    double lufs = 0;
    ebur128_loudness_global(state, &lufs);
    ebur128_destroy(&state);
    return lufs;
}

ReadSound readSound(const std::filesystem::path& path) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path.string().c_str(), SFM_READ, &info);
    if (!file)
        return {};
    ReadSound sound{{}, info.samplerate};
    std::vector<float> frame(static_cast<std::size_t>(info.channels));
    while (sf_readf_float(file, frame.data(), 1) == 1)
        sound.samples.push_back(frame[0]);
    sf_close(file);
    return sound;
}
