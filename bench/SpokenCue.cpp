// SPDX-License-Identifier: GPL-3.0-or-later
// Making a spoken cue, the work of the edit dialog's Speak... on Ok: espeak-ng renders a few
// words and the result becomes the game's wave (trimmed, levelled, at the family's rate).
// Prints the first rendering, which starts the synthesiser, and the best of five after it.
//
// Usage: bench_spoken_cue

#include "core/triggers/SpokenCue.h"

#include "core/triggers/GameSoundCopy.h"
#include "platform/espeak/EspeakSpeech.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace {

using Stopwatch = std::chrono::steady_clock;

// The time one rendering takes; `cueSeconds` gets the length of the cue it made.
double secondsOf(EspeakSpeech& speech, const SpokenText& cue, GameFamily family,
                 double& cueSeconds) {
    const auto start = Stopwatch::now();
    const auto rendered = spoken::render(speech, cue, family);
    const double seconds = std::chrono::duration<double>(Stopwatch::now() - start).count();
    if (!rendered.value)
        std::printf("  (not rendered: %s)\n", rendered.problem.c_str());
    // 16-bit mono after a 44-byte header.
    cueSeconds =
        rendered.value ? (rendered.value->size() - 44) / 2.0 / gamesound::copyRate(family) : 0;
    return seconds;
}

} // namespace

int main() {
    EspeakSpeech speech;
    std::printf(
        "spoken cue, English (America), 175 words a minute   cue      first    best of 5\n");
    for (const char* words : {"need shotgun", "quad in ten seconds, get ready"}) {
        for (const GameFamily family : {GameFamily::Quake, GameFamily::QuakeIII}) {
            const SpokenText cue{words, "English (America)", 175};
            double cueSeconds = 0;
            const double first = secondsOf(speech, cue, family, cueSeconds);
            double best = 1e30;
            for (int run = 0; run < 5; ++run)
                best = std::min(best, secondsOf(speech, cue, family, cueSeconds));
            std::printf("%-32s %-9s  %4.2f s  %6.3f s  %6.3f s\n", words,
                        family == GameFamily::Quake ? "Quake" : "Quake III", cueSeconds, first,
                        best);
        }
    }
    return 0;
}
