// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>

struct TimeOfDay {
    int hour = 0; // 0 to 23
    int minute = 0;
    int second = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual TimeOfDay timeOfDay() const = 0;
    // A time that only moves forward, for measuring how long ago something happened; its
    // start is of no meaning.
    virtual std::chrono::milliseconds steadyTime() const;
    // Blocks the calling thread; a duration of zero or less returns at once.
    virtual void sleep(std::chrono::milliseconds duration) = 0;
};

// The real clock: local time of day and a real pause.
class SystemClock final : public Clock {
public:
    TimeOfDay timeOfDay() const override;
    void sleep(std::chrono::milliseconds duration) override;
};
