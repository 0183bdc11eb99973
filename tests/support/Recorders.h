// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/platform/Progress.h"
#include "core/session/ActivityList.h"
#include "core/session/SessionView.h"

#include <functional>
#include <string>
#include <vector>

class RecordingActivityList final : public ActivityList {
public:
    void add(const std::string& entry) override { entries.push_back(entry); }
    std::vector<std::string> entries;
};

// `onValue`, when set, runs at each value, for tests of what happens meanwhile.
class RecordingProgress final : public Progress {
public:
    void start(int, int) override {}
    void setValue(int value) override {
        values.push_back(value);
        if (onValue)
            onValue(value);
    }
    void finish() override {}

    std::vector<int> values;
    std::function<void(int)> onValue;
};

// Records what a session asks the windows to show, in order: "size 12k", "running",
// "idle", "hide", "tray on", "tray off".
class RecordingSessionView final : public SessionView {
public:
    void showLogSize(const std::string& text) override { events.push_back("size " + text); }
    void showRunning(bool running) override { events.push_back(running ? "running" : "idle"); }
    void hideMainWindow() override { events.push_back("hide"); }
    void animateTray(bool on) override { events.push_back(on ? "tray on" : "tray off"); }

    std::vector<std::string> events;
};
