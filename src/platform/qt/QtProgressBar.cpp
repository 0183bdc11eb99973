// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/QtProgressBar.h"

#include <QProgressBar>

void QtProgressBar::start(int minimum, int maximum) {
    m_bar.setRange(minimum, maximum);
    m_bar.setValue(minimum);
    m_bar.show();
}

void QtProgressBar::setValue(int value) {
    // QProgressBar repaints at once, so the bar moves while the work holds the event loop.
    m_bar.setValue(value);
}

void QtProgressBar::finish() {
    m_bar.hide();
}
