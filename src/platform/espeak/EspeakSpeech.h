// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/platform/Speech.h"

#include <optional>
#include <string>

// Speech by espeak-ng, through its library: its state is the process's own, so there is one
// of these, used from one thread. It starts at the first use, from its data in
// `dataDirectory` (the folder holding espeak-ng-data), or where the library was built to
// look when that is empty.
class EspeakSpeech final : public Speech {
public:
    explicit EspeakSpeech(std::string dataDirectory = {});
    ~EspeakSpeech() override;
    EspeakSpeech(const EspeakSpeech&) = delete;
    EspeakSpeech& operator=(const EspeakSpeech&) = delete;

    std::vector<Voice> voices() override;
    Rendering speak(const std::string& text, const std::string& voice, int wordsPerMinute) override;

private:
    // The synthesiser's rate, 0 when it cannot start.
    int start();

    std::string m_dataDirectory;
    std::optional<int> m_rate;
};
