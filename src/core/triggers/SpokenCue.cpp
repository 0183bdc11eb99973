// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/triggers/SpokenCue.h"

#include "core/files/Files.h"
#include "core/game/GamePaths.h"
#include "core/text/PathText.h"
#include "core/text/Text.h"
#include "core/triggers/GameSoundCopy.h"

#include <algorithm>
#include <cstdio>

namespace spoken {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kMaxNameWords = 40;

// "en_US" and "en-US" as the synthesiser writes languages: "en-us".
std::string languageCode(std::string_view language) {
    std::string code = text::toLowerAscii(language);
    std::replace(code.begin(), code.end(), '_', '-');
    return code;
}

std::string primaryLanguage(std::string_view code) {
    return std::string(code.substr(0, code.find('-')));
}

// The text as the synthesiser gets it: without spaces around it, and a run of dots as one
// (espeak-ng 1.51 stops with a text that ends in two).
std::string spokenText(std::string_view text) {
    std::string cleaned;
    for (const char c : text)
        if (c != '.' || cleaned.empty() || cleaned.back() != '.')
            cleaned += c;
    const auto first = cleaned.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    return cleaned.substr(first, cleaned.find_last_not_of(" \t\r\n.") + 1 - first);
}

// A file name's words from the text: ASCII letters and digits, anything else one hyphen.
std::string nameWords(std::string_view text) {
    std::string words;
    for (const char c : text::toLowerAscii(text))
        if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
            words += c;
        else if (!words.empty() && words.back() != '-')
            words += '-';
    while (!words.empty() && words.back() == '-')
        words.pop_back();
    words.resize(std::min(words.size(), kMaxNameWords));
    return words.empty() ? "spoken" : words;
}

} // namespace

std::vector<Speech::Voice> orderedVoices(std::vector<Speech::Voice> voices,
                                         std::string_view systemLanguage) {
    std::string system = languageCode(systemLanguage);
    // A system without a language of its own ("C") or one no voice speaks: English first.
    if (std::none_of(voices.begin(), voices.end(), [&](const Speech::Voice& voice) {
            return primaryLanguage(voice.language) == primaryLanguage(system);
        }))
        system = "en-us";
    const std::string primary = primaryLanguage(system);
    const auto rank = [&](const Speech::Voice& voice) {
        return voice.language == system ? 0 : primaryLanguage(voice.language) == primary ? 1 : 2;
    };
    std::stable_sort(voices.begin(), voices.end(), [&](const auto& a, const auto& b) {
        return std::pair(rank(a), a.name) < std::pair(rank(b), b.name);
    });
    return voices;
}

std::optional<fs::path> renderedFile(std::string_view soundDirectory, const SpokenText& cue) {
    if (soundDirectory.empty())
        return std::nullopt;
    // FNV-1a over what makes the sound.
    std::uint32_t mark = 2166136261U;
    for (const char c : cue.text + '\n' + cue.voice + '\n' + std::to_string(cue.wordsPerMinute))
        mark = (mark ^ static_cast<unsigned char>(c)) * 16777619U;
    char hex[7];
    std::snprintf(hex, sizeof hex, "%06x", mark & 0xFFFFFFU);
    return gamepaths::fromSetting(soundDirectory) / "yelpcue-spoken" /
           (nameWords(spokenText(cue.text)) + "-" + hex + ".wav");
}

sound::Outcome<std::string> render(Speech& speech, const SpokenText& cue, GameFamily family) {
    const std::string text = spokenText(cue.text);
    if (text.empty())
        return {{}, "there is no text to say"};
    const Speech::Rendering rendering = speech.speak(text, cue.voice, cue.wordsPerMinute);
    if (!rendering.problem.empty())
        return {{}, rendering.problem};
    sound::Samples samples{{}, rendering.rate};
    for (const std::int16_t sample : rendering.samples)
        samples.mono.push_back(static_cast<float>(sample) / 32768.0F);
    auto wave = sound::makeGameWave(std::move(samples), gamesound::copyRate(family));
    if (!wave.value)
        wave.problem = "the voice \"" + cue.voice + "\" says nothing for this text";
    return wave;
}

sound::Outcome<fs::path> renderToFile(Speech& speech, const SpokenText& cue,
                                      const Configuration& configuration) {
    const auto file = renderedFile(configuration.Quake_Id1_sound, cue);
    if (!file)
        return {{}, "the game's sound folder is not known yet: configure the game first"};
    const auto wave = render(speech, cue, configuration.Game_Family);
    if (!wave.value)
        return {{}, wave.problem};
    std::error_code error;
    fs::create_directories(file->parent_path(), error);
    if (!files::replaceFile(*file, *wave.value))
        return {{}, "it could not be written to " + text::fromPath(*file)};
    return {*file, {}};
}

} // namespace spoken
