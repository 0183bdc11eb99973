// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/platform/Clock.h"

#include <vector>

// A clock whose time of day the test sets; pauses are recorded, not waited.
class FakeClock final : public Clock {
public:
    TimeOfDay timeOfDay() const override { return time; }
    void sleep(std::chrono::milliseconds duration) override { sleeps.push_back(duration); }
    std::chrono::milliseconds steadyTime() const override { return steady; }

    TimeOfDay time{12, 0, 0};
    std::chrono::milliseconds steady{0};
    std::vector<std::chrono::milliseconds> sleeps;
};
