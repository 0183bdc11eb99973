// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/platform/Speech.h"
#include "core/settings/Configuration.h"
#include "core/sound/GameWave.h"
#include "core/triggers/TriggerList.h"

#include <filesystem>
#include <string_view>
#include <vector>

// Spoken cues: a text rendered by the speech synthesiser into the game's wave, kept in a
// folder of the game's sound directory and copied into it like any chosen sound.
namespace spoken {

// The voices with the system's language first (English when no voice speaks it): its
// region's, then the language's others, then every other voice by name. `systemLanguage`
// as "en_US" or "en-us".
std::vector<Speech::Voice> orderedVoices(std::vector<Speech::Voice> voices,
                                         std::string_view systemLanguage);

// Where the cue's rendered sound is kept: the folder yelpcue-spoken of the sound directory,
// under a name made of its words and a mark of its voice and speed, the same on every
// machine. nullopt while the sound directory is unknown.
std::optional<std::filesystem::path> renderedFile(std::string_view soundDirectory,
                                                  const SpokenText& cue);

// The cue as the game's wave (trimmed, levelled, at the family's rate), or why there is none.
sound::Outcome<std::string> render(Speech& speech, const SpokenText& cue, GameFamily family);

// Renders the cue into its file (renderedFile): the path, or why there is none.
sound::Outcome<std::filesystem::path> renderToFile(Speech& speech, const SpokenText& cue,
                                                   const Configuration& configuration);

} // namespace spoken
