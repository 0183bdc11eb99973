// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <deque>
#include <map>
#include <string>

class ActivityList;
class Clock;

// The safety net under GameEchoes, for whatever else the game may answer: a trigger called
// more than kMostCalls times within kCallWindow has its key held for kHoldTime, and the list
// says so once. Nine calls of one trigger within two seconds is more than a full team of
// eight could type, and the servers' flood protection stops a single player long before;
// a game answering its own play script calls ten times a second. A held key costs at most
// eight sounds per half minute, and the trigger is back for the next fight.
class RunawayGuard {
public:
    static constexpr int kMostCalls = 8;
    static constexpr std::chrono::milliseconds kCallWindow{2000};
    static constexpr std::chrono::milliseconds kHoldTime{30000};

    RunawayGuard(const Clock& clock, ActivityList& activity)
        : m_clock(clock)
        , m_activity(activity) {}

    // A call of the trigger with this keyword: whether its key may be pressed.
    bool mayPush(const std::string& keyword);

private:
    struct Calls {
        std::deque<std::chrono::milliseconds> pushed; // within kCallWindow
        std::chrono::milliseconds heldUntil{};
        bool held = false;
    };

    const Clock& m_clock;
    ActivityList& m_activity;
    std::map<std::string, Calls> m_calls;
};
