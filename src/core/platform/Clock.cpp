// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/platform/Clock.h"

#include <ctime>
#include <thread>

std::chrono::milliseconds Clock::steadyTime() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
}

TimeOfDay SystemClock::timeOfDay() const {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return {local.tm_hour, local.tm_min, local.tm_sec};
}

void SystemClock::sleep(std::chrono::milliseconds duration) {
    if (duration > std::chrono::milliseconds::zero())
        std::this_thread::sleep_for(duration);
}
