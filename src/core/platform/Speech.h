// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A speech synthesiser that renders text to samples in memory, for spoken cues.
class Speech {
public:
    struct Voice {
        // The name the synthesiser knows it by ("English (America)").
        std::string name;
        // Its language, lower case, with the region after a hyphen ("en-us").
        std::string language;
    };

    // Mono 16-bit samples at `rate`, or why there are none, in a player's words.
    struct Rendering {
        std::vector<std::int16_t> samples;
        int rate = 0;
        std::string problem;
    };

    virtual ~Speech() = default;
    // Every voice that can speak; empty when the synthesiser cannot start.
    virtual std::vector<Voice> voices() = 0;
    // `text` (the core's text, in the system's encoding) in `voice` at `wordsPerMinute`.
    virtual Rendering speak(const std::string& text, const std::string& voice,
                            int wordsPerMinute) = 0;
};
