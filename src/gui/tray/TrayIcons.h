// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

// The program's icon, drawn rather than shipped: a bell, and five frames of it ringing for
// the tray animation.
namespace trayicons {

inline constexpr int kFrameCount = 5;

// Frame 1 to kFrameCount, 32 x 32 pixels; frame 1 is the still icon.
QIcon frame(int number);
// The application icon, at every size a desktop asks for.
QIcon applicationIcon();

} // namespace trayicons
