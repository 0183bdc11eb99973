#include "platform/qt/QtWindowGeometry.h"

#include <QWidget>

#include <gtest/gtest.h>

namespace {

// Pixels and twips, with the frame, are checked under a window manager by the program's
// test; the state decides whether they are stored at all.
TEST(QtWindowGeometryTest, AMaximisedOrMinimisedWindowIsNotInItsNormalState) {
    QWidget window;
    const QtWindowGeometry geometry(window);
    EXPECT_TRUE(geometry.isNormalState());
    for (const Qt::WindowState state : {Qt::WindowMaximized, Qt::WindowMinimized}) {
        window.setWindowState(state);
        EXPECT_FALSE(geometry.isNormalState()) << state;
    }
}

} // namespace
