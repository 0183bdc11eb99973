#pragma once

#include "monitor/ActivityList.h"
#include "platform/Progress.h"

#include <string>
#include <vector>

class RecordingActivityList final : public ActivityList {
public:
    void add(const std::string& entry) override { entries.push_back(entry); }
    std::vector<std::string> entries;
};

class RecordingProgress final : public Progress {
public:
    void start(int min, int max) override {
        minimum = min;
        maximum = max;
        visible = true;
    }
    void setValue(int value) override { values.push_back(value); }
    void finish() override { visible = false; }

    int minimum = 0;
    int maximum = 0;
    bool visible = false;
    std::vector<int> values;
};
