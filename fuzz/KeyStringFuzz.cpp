// SPDX-License-Identifier: GPL-3.0-or-later
// The key-string language on any text: the key string comes from the Selected_Key setting,
// which a settings file can set to anything. Whatever the text, PushKeys returns, sends a
// bounded number of events, pauses a bounded time, and leaves no key held down.

#include "FuzzCheck.h"
#include "core/keys/ModPushKeys.h"
#include "core/keys/UsKeyboardLayout.h"
#include "core/platform/Clock.h"
#include "core/platform/KeyOutput.h"

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

namespace {

// Counts events instead of keeping them, and knows which keys are down.
class CountingKeyOutput final : public KeyOutput {
public:
    void send(const KeyEvent& event) override {
        ++events;
        FUZZ_CHECK(events <= kEventLimit, "a key string sends more events than its bound");
        down[event.virtualKey] = !event.keyUp;
    }
    bool isAvailable() const override { return true; }

    bool anyKeyDown() const {
        for (const bool d : down)
            if (d)
                return true;
        return false;
    }

    // What the step budget lets through, plus the releases of the groups still open when
    // it runs out (each group level releases at most a character under Shift and its
    // modifier).
    static constexpr std::int64_t kEventLimit =
        ModPushKeys::kMaxStepsPerKeyString + 6 * ModPushKeys::kMaxNesting + 6;

    std::int64_t events = 0;
    std::array<bool, 256> down{};
};

// Adds pauses up instead of waiting.
class PauseTotallingClock final : public Clock {
public:
    TimeOfDay timeOfDay() const override { return {12, 0, 0}; }
    void sleep(std::chrono::milliseconds duration) override {
        FUZZ_CHECK(duration.count() > 0, "a pause of no time is asked for");
        total += duration;
    }
    std::chrono::milliseconds total{};
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string keys(reinterpret_cast<const char*>(data), size);
    CountingKeyOutput output;
    UsKeyboardLayout layout;
    PauseTotallingClock clock;
    ModPushKeys pusher(output, layout, clock);

    pusher.PushKeys(keys);

    FUZZ_CHECK(!output.anyKeyDown(), "a key is left held down");
    FUZZ_CHECK(clock.total <= ModPushKeys::kMaxPausePerKeyString,
               "a key string pauses longer than its bound");
    FUZZ_CHECK(!pusher.ShiftHeld && !pusher.CtrlHeld && !pusher.AltHeld,
               "a modifier flag stays set after the key string");
    return 0;
}
