// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/QtWindowGeometry.h"

#include <QEvent>
#include <QWidget>

#include <cmath>

namespace {

constexpr double kTwipsPerInch = 1440.0;

bool isHorizontal(WindowGeometry::Edge edge) {
    return edge == WindowGeometry::Edge::Left || edge == WindowGeometry::Edge::Width;
}

// The frame's share of the window's size; none until a window manager has framed it.
QSize frameSize(const QWidget& window) {
    return window.frameGeometry().size() - window.size();
}

} // namespace

double QtWindowGeometry::twips(Edge edge) const {
    // The frame is part of the window's position and size, as the stored values were taken.
    const QRect frame = m_window.frameGeometry();
    int pixels = 0;
    switch (edge) {
    case Edge::Top:
        pixels = frame.top();
        break;
    case Edge::Left:
        pixels = frame.left();
        break;
    case Edge::Width:
        pixels = frame.width();
        break;
    case Edge::Height:
        pixels = frame.height();
        break;
    }
    const int dpi = isHorizontal(edge) ? m_window.logicalDpiX() : m_window.logicalDpiY();
    return pixels * kTwipsPerInch / dpi;
}

void QtWindowGeometry::setTwips(Edge edge, double value) {
    const int dpi = isHorizontal(edge) ? m_window.logicalDpiX() : m_window.logicalDpiY();
    const int pixels = static_cast<int>(std::lround(value * dpi / kTwipsPerInch));
    switch (edge) {
    case Edge::Top:
        // Before the window is first shown, Qt places the frame there.
        m_window.move(m_window.x(), pixels);
        return;
    case Edge::Left:
        m_window.move(pixels, m_window.y());
        return;
    case Edge::Width:
        m_outerWidth = pixels;
        break;
    case Edge::Height:
        m_outerHeight = pixels;
        break;
    }
    applyOuterSize();
    if (frameSize(m_window).isNull())
        m_window.installEventFilter(this);
}

void QtWindowGeometry::applyOuterSize() {
    const QSize frame = frameSize(m_window);
    m_window.resize(m_outerWidth ? *m_outerWidth - frame.width() : m_window.width(),
                    m_outerHeight ? *m_outerHeight - frame.height() : m_window.height());
}

bool QtWindowGeometry::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if (watched == &m_window && (type == QEvent::Move || type == QEvent::Resize) &&
        m_window.isVisible() && !frameSize(m_window).isNull()) {
        // Framed at last: once only, so the player's own resizing is left alone.
        m_window.removeEventFilter(this);
        applyOuterSize();
        m_outerWidth.reset();
        m_outerHeight.reset();
    }
    return false;
}

bool QtWindowGeometry::isNormalState() const {
    return !(m_window.windowState() &
             (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
}
