// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/espeak/EspeakSpeech.h"

#include "platform/qt/QtText.h"

#include <clocale>
#include <espeak-ng/speak_lib.h>

namespace {

int collect(short* samples, int count, espeak_EVENT* events) {
    auto* rendering = static_cast<Speech::Rendering*>(events->user_data);
    if (samples)
        rendering->samples.insert(rendering->samples.end(), samples, samples + count);
    return 0;
}

} // namespace

EspeakSpeech::EspeakSpeech(std::string dataDirectory)
    : m_dataDirectory(std::move(dataDirectory)) {}

EspeakSpeech::~EspeakSpeech() {
    if (m_rate.value_or(0) > 0)
        espeak_Terminate();
}

int EspeakSpeech::start() {
    if (!m_rate) {
        // The library sets the process's character type for itself; the rest of the
        // program keeps its own.
        const std::string characterType = std::setlocale(LC_CTYPE, nullptr);
        const int rate =
            espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0,
                              m_dataDirectory.empty() ? nullptr : m_dataDirectory.c_str(),
                              espeakINITIALIZE_DONT_EXIT);
        std::setlocale(LC_CTYPE, characterType.c_str());
        m_rate = rate > 0 ? rate : 0;
        if (*m_rate > 0)
            espeak_SetSynthCallback(collect);
    }
    return *m_rate;
}

std::vector<Speech::Voice> EspeakSpeech::voices() {
    std::vector<Voice> found;
    if (start() == 0)
        return found;
    for (const espeak_VOICE** voice = espeak_ListVoices(nullptr); *voice; ++voice) {
        // The languages are a priority byte and a name, one after another; the first
        // names the voice's own.
        const char* languages = (*voice)->languages;
        if (languages && *languages)
            found.push_back({(*voice)->name, languages + 1});
    }
    return found;
}

Speech::Rendering EspeakSpeech::speak(const std::string& text, const std::string& voice,
                                      int wordsPerMinute) {
    Rendering rendering;
    rendering.rate = start();
    if (rendering.rate == 0) {
        rendering.problem = "the speech synthesiser (espeak-ng) cannot start: its data is missing";
        return rendering;
    }
    if (espeak_SetVoiceByName(voice.c_str()) != EE_OK) {
        rendering.problem = "the voice \"" + voice + "\" is not installed";
        return rendering;
    }
    espeak_SetParameter(espeakRATE, wordsPerMinute, 0);
    const QByteArray utf8 = toQString(text).toUtf8();
    if (espeak_Synth(utf8.constData(), static_cast<std::size_t>(utf8.size()) + 1, 0, POS_CHARACTER,
                     0, espeakCHARS_UTF8 | espeakENDPAUSE, nullptr, &rendering) != EE_OK)
        rendering.problem = "the speech synthesiser could not say it";
    return rendering;
}
