// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/platform/Progress.h"

class QProgressBar;

// Progress shown in a QProgressBar, which is shown by start and hidden by finish.
class QtProgressBar final : public Progress {
public:
    explicit QtProgressBar(QProgressBar& bar)
        : m_bar(bar) {}

    void start(int minimum, int maximum) override;
    void setValue(int value) override;
    void finish() override;

private:
    QProgressBar& m_bar;
};
