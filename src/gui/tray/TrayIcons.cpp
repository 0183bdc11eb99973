// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/tray/TrayIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace trayicons {

namespace {

// The bell swings from side to side and its sound waves grow, one step per frame.
constexpr double kSwingDegrees[kFrameCount] = {0, -14, 0, 14, 0};
constexpr int kWaveCount[kFrameCount] = {0, 1, 2, 3, 2};

QPixmap draw(int number, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);

    const int index = number - 1;
    painter.save();
    painter.translate(16, 4);
    painter.rotate(kSwingDegrees[index]);
    painter.scale(0.8, 0.9);
    QPainterPath bell;
    bell.moveTo(-9, 19);
    bell.cubicTo(-8, 13, -8, 4, 0, 3);
    bell.cubicTo(8, 4, 8, 13, 9, 19);
    bell.lineTo(11, 21);
    bell.lineTo(-11, 21);
    bell.closeSubpath();
    painter.setPen(QPen(QColor(0x7a, 0x4a, 0x00), 1.2));
    painter.setBrush(QColor(0xf2, 0xb7, 0x05));
    painter.drawPath(bell);
    painter.setBrush(QColor(0x7a, 0x4a, 0x00));
    painter.drawEllipse(QPointF(0, 23.5), 2.6, 2.6); // clapper
    painter.drawEllipse(QPointF(0, 1.8), 1.8, 1.8);  // handle
    painter.restore();

    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0xd9, 0x3a, 0x2b), 1.8, Qt::SolidLine, Qt::RoundCap));
    for (int wave = 1; wave <= kWaveCount[index]; ++wave) {
        const double radius = 9.5 + 2.2 * wave;
        const QRectF circle(16 - radius, 14 - radius, 2 * radius, 2 * radius);
        painter.drawArc(circle, 150 * 16, 60 * 16); // left of the bell
        painter.drawArc(circle, -30 * 16, 60 * 16); // right of the bell
    }
    return pixmap;
}

} // namespace

QIcon frame(int number) {
    return QIcon(draw(number, 32));
}

QIcon applicationIcon() {
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(draw(1, size));
    return icon;
}

} // namespace trayicons
