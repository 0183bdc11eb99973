#include "platform/qt/QtWindowGeometry.h"

#include <QWidget>

#include <cmath>

namespace {

constexpr double kTwipsPerInch = 1440.0;

bool isHorizontal(WindowGeometry::Edge edge) {
    return edge == WindowGeometry::Edge::Left || edge == WindowGeometry::Edge::Width;
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
    const QRect frame = m_window.frameGeometry();
    switch (edge) {
    case Edge::Top:
        m_window.move(m_window.x(), pixels);
        break;
    case Edge::Left:
        m_window.move(pixels, m_window.y());
        break;
    case Edge::Width:
        m_window.resize(pixels - (frame.width() - m_window.width()), m_window.height());
        break;
    case Edge::Height:
        m_window.resize(m_window.width(), pixels - (frame.height() - m_window.height()));
        break;
    }
}

bool QtWindowGeometry::isNormalState() const {
    return !(m_window.windowState() &
             (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
}
