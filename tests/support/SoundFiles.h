// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <vector>

// Sound files of every kind for the tests, written and read back by libsndfile.

// A sine tone of `seconds` after `lead` seconds of silence, and `tail` seconds of silence
// after it, at `amplitude` (1 is full scale).
struct Tone {
    double lead = 0;
    double seconds = 1;
    double tail = 0;
    double amplitude = 0.5;
    double frequency = 440;
};

// Writes `tone` in `format` (libsndfile's SF_FORMAT_ major and minor kind) with every
// channel alike.
void writeTone(const std::filesystem::path& path, int format, int channels, int rate,
               const Tone& tone);

// The first channel of a sound file as libsndfile reads it, with its rate.
struct ReadSound {
    std::vector<float> samples;
    int rate = 0;

    double seconds() const { return static_cast<double>(samples.size()) / rate; }
    double rms() const;
    // EBU R128 integrated loudness, in LUFS.
    double loudness() const;
};
ReadSound readSound(const std::filesystem::path& path);
