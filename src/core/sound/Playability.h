// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/settings/Configuration.h"

#include <filesystem>
#include <string>
#include <vector>

// What the engines of a game family do with a sound file, as measured with each engine's
// own sound output: only a mono 16-bit PCM wave with a plain header plays right in all.
namespace sound {

// Each way the engines of `family` play the file wrong, in a player's words, such as
// "stereo: QuakeSpasm and ezQuake play no sound for it"; empty when every one plays it
// right.
std::vector<std::string> playbackProblems(const std::filesystem::path& file, GameFamily family);

} // namespace sound
