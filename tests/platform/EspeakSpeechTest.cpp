// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/espeak/EspeakSpeech.h"

#include "core/sound/GameWave.h"
#include "core/sound/WaveFacts.h"
#include "core/triggers/SpokenCue.h"
#include "support/SoundFiles.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace {

// espeak-ng itself: a phrase becomes the game's wave through the core's conversion, and
// every wrong request gets its reason. The data comes from where the library was built to
// look, or (for the Windows build under Wine) from YELPCUE_ESPEAK_DATA.
TEST(EspeakSpeechTest, APhraseBecomesTheGamesWaveAndWrongRequestsGetTheirReason) {
    const char* data = std::getenv("YELPCUE_ESPEAK_DATA");
    EspeakSpeech speech(data ? data : "");
    const auto voices = speech.voices();
    const std::string english = "English (America)";
    ASSERT_TRUE(std::ranges::any_of(
        voices, [&](const auto& v) { return v.name == english && v.language == "en-us"; }))
        << voices.size() << " voices";

    TempDir dir;
    for (const char* text : {"need shotgun", "quad in ten.."}) {
        const auto wave = spoken::render(speech, {text, english, 175}, GameFamily::Quake);
        ASSERT_TRUE(wave.value) << text << ": " << wave.problem;
        writeFile(dir / "cue.wav", *wave.value);
        const auto facts = sound::readWaveFacts(dir / "cue.wav");
        EXPECT_TRUE(facts && sound::isGameReady(*facts) && facts->rate == 11025) << text;
        const ReadSound cue = readSound(dir / "cue.wav");
        EXPECT_GT(cue.seconds(), 0.4) << text;
        EXPECT_LT(cue.seconds(), 2) << text;
        EXPECT_NEAR(cue.loudness(), sound::kTargetLufs, 1) << text;
    }
    for (const auto& [text, voice, problem] : {std::tuple{" ", english, "there is no text to say"},
                                               std::tuple{"need shotgun", std::string("Nobody"),
                                                          "the voice \"Nobody\" is not installed"}})
        EXPECT_EQ(spoken::render(speech, {text, voice, 175}, GameFamily::Quake).problem, problem);
}

} // namespace
