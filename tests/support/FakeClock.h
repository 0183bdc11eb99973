#pragma once

#include "core/platform/Clock.h"

#include <deque>
#include <vector>

// A clock whose time of day the test sets; pauses are recorded, not waited.
class FakeClock final : public Clock {
public:
    // The times in `upcoming`, one per call, then `time`.
    TimeOfDay timeOfDay() const override {
        if (upcoming.empty())
            return time;
        const TimeOfDay next = upcoming.front();
        upcoming.pop_front();
        return next;
    }
    void sleep(std::chrono::milliseconds duration) override { sleeps.push_back(duration); }
    std::chrono::milliseconds steadyTime() const override { return steady; }

    TimeOfDay time{12, 0, 0};
    mutable std::deque<TimeOfDay> upcoming;
    std::chrono::milliseconds steady{0};
    std::vector<std::chrono::milliseconds> sleeps;
};
