// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/ToneFile.h"

#include <cmath>
#include <numbers>
#include <sndfile.h>
#include <stdexcept>
#include <string>
#include <vector>

void writeToneFile(const std::filesystem::path& path, int format, int channels, int rate,
                   double silence, double tone, double frequency) {
    const auto silent = static_cast<sf_count_t>(silence * rate);
    const sf_count_t frames = silent + static_cast<sf_count_t>(tone * rate);
    std::vector<float> samples;
    for (sf_count_t frame = 0; frame < frames; ++frame) {
        const double phase = 2 * std::numbers::pi * frequency * static_cast<double>(frame - silent);
        samples.insert(samples.end(), channels,
                       frame < silent ? 0.0F : static_cast<float>(0.5 * std::sin(phase / rate)));
    }
    SF_INFO info{0, rate, channels, format, 0, 0};
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    const bool written = file && sf_writef_float(file, samples.data(), frames) == frames;
    const std::string error = sf_strerror(file);
    sf_close(file);
    if (!written)
        throw std::runtime_error("libsndfile cannot write " + path.string() + ": " + error);
}
