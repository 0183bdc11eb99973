// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// The main window's running record of what the program did (its list `List1`).
class ActivityList {
public:
    virtual ~ActivityList() = default;
    virtual void add(const std::string& entry) = 0;
};
