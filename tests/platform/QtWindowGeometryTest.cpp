// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/QtWindowGeometry.h"

#include <QRect>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

// A stored place goes to the nearest pixel (15 twips at 96 dots per inch) and reads back as
// that pixel, as far off the screen as 32 bits of twips reach; the frame that a window manager
// adds is the program's test. The state decides whether place and size are stored at all.
TEST(QtWindowGeometryTest, TwipsGoToTheNearestPixelAndBackAndOnlyTheNormalStateCounts) {
    QWidget window;
    QtWindowGeometry geometry(window);
    ASSERT_EQ(window.logicalDpiX(), 96);
    ASSERT_EQ(window.logicalDpiY(), 96);
    using Edge = WindowGeometry::Edge;
    struct Row {
        Edge edge;
        double stored;
        int pixels;
    };
    for (const Row& row : {Row{Edge::Top, 1500, 100}, Row{Edge::Left, 1492, 99},
                           Row{Edge::Width, 10508, 701}, Row{Edge::Height, 6750, 450},
                           Row{Edge::Top, -2e9, -133333333}, Row{Edge::Left, 2e9, 133333333}}) {
        geometry.setTwips(row.edge, row.stored);
        const QRect placed = window.geometry();
        const int pixels = row.edge == Edge::Top     ? placed.y()
                           : row.edge == Edge::Left  ? placed.x()
                           : row.edge == Edge::Width ? placed.width()
                                                     : placed.height();
        EXPECT_EQ(pixels, row.pixels) << row.stored;
        EXPECT_EQ(geometry.twips(row.edge), row.pixels * 15.0) << row.stored;
    }
    EXPECT_TRUE(geometry.isNormalState());
    for (const Qt::WindowState state : {Qt::WindowMaximized, Qt::WindowMinimized}) {
        window.setWindowState(state);
        EXPECT_FALSE(geometry.isNormalState()) << state;
    }
}

} // namespace
