// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A progress bar that long work reports to.
class Progress {
public:
    virtual ~Progress() = default;
    // Shows the bar with its range.
    virtual void start(int minimum, int maximum) = 0;
    virtual void setValue(int value) = 0;
    // Hides the bar.
    virtual void finish() = 0;
};
