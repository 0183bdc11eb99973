// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/sound/Playability.h"
#include "core/sound/PreviewPlayer.h"
#include "core/sound/WaveFacts.h"
#include "core/triggers/GameSoundCopy.h"
#include "support/FakeSoundPlayer.h"
#include "support/Recorders.h"
#include "support/SoundFiles.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sndfile.h>

namespace {

namespace fs = std::filesystem;
using Family = GameFamily;

constexpr int kStereo16 = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
constexpr int kMp3 = SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III;

// Every kind of file a player has becomes the same game wave: mono 16-bit PCM with the
// plain header at the family's rate, the tone alone without the silence around it, as loud
// as every other cue (a sine at -18 LUFS has an RMS of 0.136) and never clipping.
TEST(GameWaveTest, EveryKindOfSoundBecomesTheSameGameWave) {
    struct Row {
        const char* name;
        int format, channels, rate;
        Tone tone;
        Family family = Family::Quake;
    };
    const Tone usual{0.5, 1, 0.3};
    for (const Row& row : {
             Row{"stereo.wav", kStereo16, 2, 44100, usual},
             Row{"24bit.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_24, 2, 48000, usual},
             Row{"float.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 1, 44100, usual},
             Row{"extensible.wav", SF_FORMAT_WAVEX | SF_FORMAT_PCM_16, 2, 22050, usual},
             Row{"quiet.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 2, 44100, {0.5, 1, 0.3, 0.02}},
             Row{"loud.ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS, 2, 44100, {0.5, 1, 0.3, 0.95}},
             Row{"voice.opus", SF_FORMAT_OGG | SF_FORMAT_OPUS, 1, 48000, usual},
             Row{"cue.mp3", kMp3, 2, 44100, usual},
             Row{"arena.mp3", kMp3, 2, 44100, usual, Family::QuakeIII},
             // Felt little (K-weighting), so only the true-peak ceiling holds it back.
             Row{"rumble.wav", kStereo16, 2, 44100, {0.5, 1, 0.3, 0.3, 15}},
         }) {
        TempDir dir;
        writeTone(dir / row.name, row.format, row.channels, row.rate, row.tone);
        RecordingProgress progress;
        const auto wave = gamesound::convert(dir / row.name, row.family, &progress);
        ASSERT_TRUE(wave.value) << row.name << ": " << wave.problem;
        writeFile(dir / "game.wav", *wave.value);

        const auto facts = sound::readWaveFacts(dir / "game.wav");
        ASSERT_TRUE(facts && sound::isGameReady(*facts)) << row.name;
        EXPECT_EQ(facts->bits, 16) << row.name;
        const ReadSound game = readSound(dir / "game.wav");
        EXPECT_EQ(game.rate, gamesound::copyRate(row.family)) << row.name;
        EXPECT_NEAR(game.seconds(), 1.02, 0.04) << row.name << ": the silence is trimmed";
        const float peak = std::abs(*std::ranges::max_element(
            game.samples, [](float a, float b) { return std::abs(a) < std::abs(b); }));
        EXPECT_LE(peak, 0.9F) << row.name;
        if (row.tone.frequency == 15)
            EXPECT_GT(peak, 0.85F) << row.name;
        else
            EXPECT_NEAR(20 * std::log10(game.rms() / 0.136), 0, 1) << row.name << " (dB)";
        EXPECT_FALSE(progress.values.empty());
        EXPECT_TRUE(std::ranges::is_sorted(progress.values)) << row.name;
    }
}

TEST(GameWaveTest, WhatIsNoCueIsRefusedInAPlayersWords) {
    TempDir dir;
    writeFile(dir / "notes.mp3", "these are not sounds");
    writeTone(dir / "silence.wav", kStereo16, 2, 44100, {1, 0});
    writeTone(dir / "speech.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, 8000, {0, 61});
    const std::string unreadable = "not a sound file Yelpcue can read: ";
    using Row = std::pair<const char*, std::string>;
    for (const auto& [name, problem] :
         {Row{"notes.mp3", unreadable + (dir / "notes.mp3").string()},
          Row{"silence.wav", "the sound holds nothing but silence"},
          Row{"speech.wav", "the sound is 61 s long; a cue may last at most 60 s"},
          Row{"missing.wav", unreadable + (dir / "missing.wav").string()}}) {
        const auto wave = gamesound::convert(dir / name, Family::Quake, nullptr);
        EXPECT_FALSE(wave.value) << name;
        EXPECT_EQ(wave.problem, problem);
    }
}

// What each engine does with a file, as measured with its own sound output.
TEST(PlayabilityTest, EachEngineThatPlaysAFileWrongIsNamedWithWhatItDoes) {
    TempDir dir;
    const std::string cue = "RIFF" + littleEndian(48, 4) + "WAVEfmt " + littleEndian(16, 4) +
                            littleEndian(1, 2) + littleEndian(1, 2) + littleEndian(11025, 4) +
                            littleEndian(22050, 4) + littleEndian(2, 2) + littleEndian(16, 2) +
                            "data" + littleEndian(4, 4) + "abcd" + "cue " + littleEndian(0, 4);
    writeFile(dir / "loop.wav", cue);
    const std::string silent = " play no sound for it";
    const std::string stereo = "stereo: QuakeSpasm and ezQuake" + silent;
    using Problems = std::vector<std::string>;
    const Problems deep{"24-bit samples: QuakeSpasm plays no sound for it, DarkPlaces plays noise"},
        deepQ3{"24-bit samples: ioquake3 (OpenArena) plays noise"},
        floats{stereo, "32-bit float samples: QuakeSpasm, ezQuake and DarkPlaces" + silent,
               "an extensible header: QuakeSpasm and DarkPlaces" + silent},
        floatsQ3{"32-bit float samples: ioquake3 (OpenArena) plays noise"},
        mp3{"MP3: QuakeSpasm, ezQuake and DarkPlaces" + silent},
        mp3Q3{"MP3: ioquake3 (OpenArena) plays no sound for it"},
        loop{"a loop point (cue chunk): QuakeSpasm and DarkPlaces play it over and over"};
    using Row = std::tuple<const char*, int, int, Problems, Problems>;
    for (const auto& [name, format, channels, quake, quakeIII] : {
             Row{"mono.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, {}, {}},
             Row{"8bit.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_U8, 1, {}, {}},
             Row{"stereo.wav", kStereo16, 2, {stereo}, {}},
             Row{"24bit.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_24, 1, deep, deepQ3},
             Row{"float.wav", SF_FORMAT_WAVEX | SF_FORMAT_FLOAT, 2, floats, floatsQ3},
             Row{"cue.mp3", kMp3, 1, mp3, mp3Q3},
             Row{"loop.wav", 0, 1, loop, {}},
         }) {
        if (format)
            writeTone(dir / name, format, channels, 11025, {0, 0.1});
        EXPECT_EQ(sound::playbackProblems(dir / name, Family::Quake), quake) << name;
        EXPECT_EQ(sound::playbackProblems(dir / name, Family::QuakeIII), quakeIII) << name;
    }
}

// The system's player plays only 8 and 16-bit PCM waves: anything else through a copy.
TEST(PreviewPlayerTest, WhatTheSystemCannotPlayIsPlayedFromAConvertedCopyRemovedAfterwards) {
    TempDir dir;
    writeFile(dir / "plain.wav", squareWave(100, 0, 255));
    writeTone(dir / "cue.mp3", kMp3, 2, 44100, {0, 0.2});
    FakeSoundPlayer system;
    {
        sound::PreviewPlayer player(system);
        for (const char* name : {"plain.wav", "cue.mp3", "missing.mp3"})
            player.play((dir / name).string());
        ASSERT_EQ(system.played.size(), 3u);
        const auto copy = sound::readWaveFacts(system.played[1]);
        EXPECT_TRUE(copy && sound::isPlainPcm(*copy));
    }
    EXPECT_EQ(system.played[0], (dir / "plain.wav").string());
    EXPECT_EQ(system.played[2], (dir / "missing.mp3").string()) << "silence, as for any file";
    EXPECT_FALSE(fs::exists(system.played[1])) << "removed with the player";
}

} // namespace
