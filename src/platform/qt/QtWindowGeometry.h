// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/settings/WindowSettings.h"

#include <QObject>

#include <optional>

class QWidget;

// A top-level window's outer position and size in twips, at its screen's logical dots per
// inch (15 twips to a pixel at 96).
class QtWindowGeometry final : public QObject, public WindowGeometry {
public:
    explicit QtWindowGeometry(QWidget& window)
        : m_window(window) {}

    double twips(Edge edge) const override;
    void setTwips(Edge edge, double value) override;
    bool isNormalState() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyOuterSize();

    QWidget& m_window;
    // An outer size given before the window manager has framed the window: Qt knows the
    // frame only then, so the inside is sized again once it does.
    std::optional<int> m_outerWidth;
    std::optional<int> m_outerHeight;
};
