// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/tray/TrayIcons.h"

#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>

#include <array>

class QMenu;

// The hidden tray form: the notification-area icon with its menu, and the icon's animation
// while a session runs. It never decides anything itself: the menu's commands are signals
// that the program connects to the main window.
class frmStart final : public QWidget {
    Q_OBJECT

public:
    explicit frmStart(QWidget* parent = nullptr);
    ~frmStart() override;

    // Timer2: on while a session runs; the icon keeps its last frame when it stops.
    void setAnimating(bool on);
    bool isAnimating() const { return m_timer2.isActive(); }
    int IconFrame() const { return m_iconFrame; }

    // Puts the icon into the notification area, and removes it.
    void ItemAdd();
    void ItemDelete();

    QMenu* mnuTray() const { return m_menu; }
    const QSystemTrayIcon& trayIcon() const { return m_tray; }

signals:
    void showMainWindowRequested();
    void startRequested();
    void stopRequested();
    void exitRequested();

private:
    void Timer2_Timer();

    QSystemTrayIcon m_tray;
    QMenu* m_menu;
    std::array<QIcon, trayicons::kFrameCount> m_frames;
    QTimer m_timer2;
    // The frame shown last, 1 to 5; 0 before the first tick. A new session goes on from it.
    int m_iconFrame = 0;
};
