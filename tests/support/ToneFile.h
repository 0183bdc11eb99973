// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>

// Writes a sound file in libsndfile's `format` (SF_FORMAT_... bits): `silence` seconds of
// silence, then `tone` seconds of a sine tone at half the full scale in every channel.
// Throws when libsndfile cannot.
void writeToneFile(const std::filesystem::path& path, int format, int channels, int rate,
                   double silence, double tone, double frequency = 440);
