// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/sound/GameWave.h"

#include "core/platform/Progress.h"
#include "core/sound/SoundIo.h"
#include "core/text/PathText.h"

#include <algorithm>
#include <cmath>
#include <ebur128.h>
#include <memory>
#include <soxr.h>

namespace sound {

namespace {

constexpr sf_count_t kBlockFrames = 4096;
// Quieter than this, relative to the loudest sample, is silence before or after the cue;
// and never counted as sound below -60 dBFS, where a coder's noise floor lies.
constexpr float kSilenceBelowPeak = 0.01F;
constexpr float kSilenceFloor = 0.001F;
// Kept around the sound, so that its attack and fade are not cut.
constexpr double kLeadSeconds = 0.005;
constexpr double kTailSeconds = 0.02;

std::string secondsText(double seconds) {
    return std::to_string(std::lround(seconds)) + " s";
}

// The samples without the silence before and after the sound; empty when all is silence.
std::vector<float> trimmed(const Samples& samples) {
    const auto magnitude = [](float a, float b) { return std::abs(a) < std::abs(b); };
    const auto& mono = samples.mono;
    if (mono.empty())
        return {};
    const float peak = std::abs(*std::max_element(mono.begin(), mono.end(), magnitude));
    const float threshold = std::max(peak * kSilenceBelowPeak, kSilenceFloor);
    const auto loud = [threshold](float sample) { return std::abs(sample) > threshold; };
    const auto first = std::find_if(mono.begin(), mono.end(), loud);
    if (first == mono.end())
        return {};
    const auto last = std::find_if(mono.rbegin(), mono.rend(), loud).base();
    const auto lead = static_cast<std::ptrdiff_t>(kLeadSeconds * samples.rate);
    const auto tail = static_cast<std::ptrdiff_t>(kTailSeconds * samples.rate);
    return {first - std::min(lead, first - mono.begin()), last + std::min(tail, mono.end() - last)};
}

std::vector<float> resampled(const std::vector<float>& mono, int from, int to) {
    if (from == to)
        return mono;
    std::vector<float> out(
        static_cast<std::size_t>(std::ceil(static_cast<double>(mono.size()) * to / from) + 1));
    std::size_t written = 0;
    const soxr_io_spec_t io = soxr_io_spec(SOXR_FLOAT32_I, SOXR_FLOAT32_I);
    const soxr_quality_spec_t quality = soxr_quality_spec(SOXR_HQ, 0);
    if (soxr_oneshot(from, to, 1, mono.data(), mono.size(), nullptr, out.data(), out.size(),
                     &written, &io, &quality, nullptr))
        return {};
    out.resize(written);
    return out;
}

struct Loudness {
    double lufs;
    double truePeak; // linear
};

// EBU R128 loudness over the whole sound: integrated, or for a sound shorter than one
// 400 ms measuring block, over its own length. nullopt when it is below the measure's gate.
std::optional<Loudness> loudness(const std::vector<float>& mono, int rate) {
    const std::unique_ptr<ebur128_state, void (*)(ebur128_state*)> state(
        ebur128_init(1, static_cast<unsigned long>(rate), EBUR128_MODE_I | EBUR128_MODE_TRUE_PEAK),
        [](ebur128_state* s) { ebur128_destroy(&s); });
    if (!state ||
        ebur128_add_frames_float(state.get(), mono.data(), mono.size()) != EBUR128_SUCCESS)
        return std::nullopt;
    Loudness measured{};
    const auto lengthMs = static_cast<unsigned long>(mono.size() * 1000 / rate);
    const int status = lengthMs < 400
                           ? ebur128_loudness_window(state.get(), lengthMs, &measured.lufs)
                           : ebur128_loudness_global(state.get(), &measured.lufs);
    if (status != EBUR128_SUCCESS || !std::isfinite(measured.lufs) ||
        ebur128_true_peak(state.get(), 0, &measured.truePeak) != EBUR128_SUCCESS)
        return std::nullopt;
    return measured;
}

} // namespace

Outcome<Samples> decodeSound(const std::filesystem::path& path, Progress* progress) {
    SoundReader reader(path);
    const SF_INFO& info = reader.info();
    if (!reader.isOpen() || info.samplerate <= 0 || info.channels <= 0)
        return {{}, "not a sound file Yelpcue can read: " + text::fromPath(path)};
    const auto maxFrames = static_cast<sf_count_t>(kMaxSeconds * info.samplerate);
    const auto tooLong = [&](sf_count_t frames) {
        return Outcome<Samples>{{},
                                "the sound is " + secondsText(double(frames) / info.samplerate) +
                                    " long; a cue may last at most " + secondsText(kMaxSeconds)};
    };
    if (info.frames > maxFrames)
        return tooLong(info.frames);

    Samples samples{{}, info.samplerate};
    samples.mono.reserve(static_cast<std::size_t>(std::max<sf_count_t>(info.frames, 0)));
    std::vector<float> block(static_cast<std::size_t>(kBlockFrames * info.channels));
    for (sf_count_t got; (got = reader.read(block.data(), kBlockFrames)) > 0;) {
        for (sf_count_t frame = 0; frame < got; ++frame) {
            const float* first = block.data() + frame * info.channels;
            float sum = 0;
            for (const float* sample = first; sample != first + info.channels; ++sample)
                sum += *sample;
            samples.mono.push_back(sum / static_cast<float>(info.channels));
        }
        const auto frames = static_cast<sf_count_t>(samples.mono.size());
        // The length in the header may be only an estimate (MP3).
        if (frames > maxFrames)
            return tooLong(frames);
        if (progress && info.frames > 0)
            progress->setValue(
                static_cast<int>(std::min<sf_count_t>(frames, info.frames) * 80 / info.frames));
    }
    return {std::move(samples), {}};
}

Outcome<std::string> makeGameWave(Samples samples, int rate) {
    const std::vector<float> sound = resampled(trimmed(samples), samples.rate, rate);
    const auto measured = sound.empty() ? std::nullopt : loudness(sound, rate);
    if (!measured)
        return {{}, "the sound holds nothing but silence"};
    const double toTarget = std::pow(10.0, (kTargetLufs - measured->lufs) / 20);
    const double toCeiling = std::pow(10.0, kCeilingDbtp / 20) / measured->truePeak;
    const auto gain = static_cast<float>(std::min(toTarget, toCeiling));
    std::vector<float> levelled(sound.size());
    std::transform(sound.begin(), sound.end(), levelled.begin(),
                   [gain](float sample) { return sample * gain; });
    std::string wave = encodePcm16Wave(levelled, rate);
    if (wave.empty())
        return {{}, "the sound could not be written"};
    return {std::move(wave), {}};
}

} // namespace sound
