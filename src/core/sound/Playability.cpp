// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/sound/Playability.h"

#include "core/sound/WaveFacts.h"
#include "core/text/PathText.h"

#include <array>
#include <utility>

namespace sound {

namespace {

enum class Effect { Plays, Silent, Noise, Loops };

struct Engine {
    const char* name;
    GameFamily family;
};

constexpr std::array<Engine, 4> kEngines{{{"QuakeSpasm", GameFamily::Quake},
                                          {"ezQuake", GameFamily::Quake},
                                          {"DarkPlaces", GameFamily::Quake},
                                          {"ioquake3 (OpenArena)", GameFamily::QuakeIII}}};
using Effects = std::array<Effect, kEngines.size()>;

constexpr Effect P = Effect::Plays, S = Effect::Silent, N = Effect::Noise, L = Effect::Loops;

// The traits of a wave that some engine plays wrong, each with what every engine does.
std::vector<std::pair<std::string, Effects>> traitsOf(const WaveFacts& wave) {
    std::vector<std::pair<std::string, Effects>> traits;
    const std::string bits = std::to_string(wave.bits) + "-bit";
    if (wave.channels > 1)
        traits.push_back(
            {wave.channels == 2 ? "stereo" : std::to_string(wave.channels) + " channels",
             {S, S, P, P}});
    if (wave.sampleFormat == WaveFacts::kFloat)
        traits.push_back({bits + " float samples", {S, S, S, N}});
    else if (wave.sampleFormat != WaveFacts::kPcm)
        traits.push_back({"compressed samples", {S, S, S, S}});
    else if (wave.bits > 16)
        traits.push_back({bits + " samples", {S, P, N, N}});
    if (wave.formatTag == WaveFacts::kExtensible)
        traits.push_back({"an extensible header", {S, P, S, P}});
    if (wave.hasCue)
        traits.push_back({"a loop point (cue chunk)", {L, P, L, P}});
    return traits;
}

std::string joined(const std::vector<std::string>& names) {
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i)
        text += (i == 0 ? "" : i + 1 == names.size() ? " and " : ", ") + names[i];
    return text;
}

// What engines do with a wave they play wrong, said of one engine and of several.
struct Deed {
    Effect effect;
    const char* one;
    const char* several;
};
constexpr std::array<Deed, 3> kDeeds{{{S, " plays no sound for it", " play no sound for it"},
                                      {N, " plays noise", " play noise"},
                                      {L, " plays it over and over", " play it over and over"}}};

// "QuakeSpasm and ezQuake play no sound for it, DarkPlaces plays noise"; empty when every
// engine of the family plays it.
std::string whatEnginesDo(const Effects& effects, GameFamily family) {
    std::string text;
    for (const Deed& deed : kDeeds) {
        std::vector<std::string> names;
        for (std::size_t i = 0; i < kEngines.size(); ++i)
            if (kEngines[i].family == family && effects[i] == deed.effect)
                names.emplace_back(kEngines[i].name);
        if (!names.empty())
            text += (text.empty() ? "" : ", ") + joined(names) +
                    (names.size() == 1 ? deed.one : deed.several);
    }
    return text;
}

} // namespace

std::vector<std::string> playbackProblems(const std::filesystem::path& file, GameFamily family) {
    const auto wave = readWaveFacts(file);
    if (!wave) {
        const auto kind = soundKind(file);
        if (!kind)
            return {"not a sound file Yelpcue can read: " + text::fromPath(file)};
        return {*kind + ": " + whatEnginesDo({S, S, S, S}, family)};
    }
    std::vector<std::string> problems;
    for (const auto& [trait, effects] : traitsOf(*wave))
        if (const std::string deeds = whatEnginesDo(effects, family); !deeds.empty())
            problems.push_back(trait + ": " + deeds);
    return problems;
}

} // namespace sound
