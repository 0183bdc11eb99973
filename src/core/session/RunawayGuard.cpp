// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/session/RunawayGuard.h"

#include "core/platform/Clock.h"
#include "core/session/ActivityList.h"

bool RunawayGuard::mayPush(const std::string& keyword) {
    const auto now = m_clock.steadyTime();
    Calls& calls = m_calls[keyword];
    if (calls.held && now < calls.heldUntil)
        return false;
    calls.held = false;
    while (!calls.pushed.empty() && now - calls.pushed.front() >= kCallWindow)
        calls.pushed.pop_front();
    if (static_cast<int>(calls.pushed.size()) < kMostCalls) {
        calls.pushed.push_back(now);
        return true;
    }
    calls.pushed.clear();
    calls.held = true;
    calls.heldUntil = now + kHoldTime;
    m_activity.add(keyword + " called more than " + std::to_string(kMostCalls) + " times in " +
                   std::to_string(kCallWindow.count() / 1000) +
                   " seconds, faster than a team can type: its key is not pressed for " +
                   std::to_string(kHoldTime.count() / 1000) + " seconds");
    return false;
}
