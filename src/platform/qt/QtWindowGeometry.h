#pragma once

#include "shell/WindowSettings.h"

class QWidget;

// A top-level window's outer position and size in twips, at its screen's logical dots per
// inch (15 twips to a pixel at 96).
class QtWindowGeometry final : public WindowGeometry {
public:
    explicit QtWindowGeometry(QWidget& window)
        : m_window(window) {}

    double twips(Edge edge) const override;
    void setTwips(Edge edge, double value) override;
    bool isNormalState() const override;

private:
    QWidget& m_window;
};
