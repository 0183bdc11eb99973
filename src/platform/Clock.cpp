#include "platform/Clock.h"

#include <ctime>
#include <thread>

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
