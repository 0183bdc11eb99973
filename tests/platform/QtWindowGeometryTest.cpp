#include "platform/qt/QtWindowGeometry.h"

#include <QWidget>

#include <gtest/gtest.h>

namespace {

using Edge = WindowGeometry::Edge;

TEST(QtWindowGeometryTest, TwipsFollowTheScreensLogicalDotsPerInch) {
    QWidget window;
    QtWindowGeometry geometry(window);
    const double twipsPerPixelX = 1440.0 / window.logicalDpiX();
    const double twipsPerPixelY = 1440.0 / window.logicalDpiY();

    geometry.setTwips(Edge::Left, 150 * twipsPerPixelX);
    geometry.setTwips(Edge::Top, 80 * twipsPerPixelY);
    geometry.setTwips(Edge::Width, 300 * twipsPerPixelX);
    geometry.setTwips(Edge::Height, 200 * twipsPerPixelY);
    EXPECT_EQ(window.pos(), QPoint(150, 80));
    EXPECT_EQ(window.size(), QSize(300, 200));
    EXPECT_DOUBLE_EQ(geometry.twips(Edge::Left), 150 * twipsPerPixelX);
    EXPECT_DOUBLE_EQ(geometry.twips(Edge::Height), 200 * twipsPerPixelY);

    EXPECT_TRUE(geometry.isNormalState());
    window.setWindowState(Qt::WindowMaximized);
    EXPECT_FALSE(geometry.isNormalState());
    window.setWindowState(Qt::WindowMinimized);
    EXPECT_FALSE(geometry.isNormalState());
}

} // namespace
