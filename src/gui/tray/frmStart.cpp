// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/tray/frmStart.h"

#include "gui/tray/TrayIcons.h"

#include <QAction>
#include <QMenu>

frmStart::frmStart(QWidget* parent)
    : QWidget(parent)
    , m_menu(new QMenu(QStringLiteral("Systray"), this)) {
    setObjectName(QStringLiteral("frmStart"));
    setWindowTitle(QStringLiteral("Yelpcue Tray Form"));
    m_menu->setObjectName(QStringLiteral("mnuTray"));

    struct Item {
        const char* caption;
        QKeySequence shortcut;
        void (frmStart::*signal)();
    };
    const Item items[] = {
        {"Show &Yelpcue", QKeySequence(QStringLiteral("Ctrl+Q")),
         &frmStart::showMainWindowRequested},
        {nullptr, {}, nullptr},
        {"&Start Yelpcue", QKeySequence(QStringLiteral("Ctrl+S")), &frmStart::startRequested},
        {"S&top Yelpcue", QKeySequence(QStringLiteral("Ctrl+O")), &frmStart::stopRequested},
        {nullptr, {}, nullptr},
        {"E&xit", QKeySequence(QStringLiteral("Ctrl+X")), &frmStart::exitRequested},
    };
    int index = 0;
    for (const Item& item : items) {
        QAction* action = item.caption ? m_menu->addAction(QString::fromLatin1(item.caption))
                                       : m_menu->addSeparator();
        action->setObjectName(QStringLiteral("mnustart%1").arg(index++));
        if (!item.caption)
            continue;
        // Shown in the menu; the menu is the only place they act.
        action->setShortcut(item.shortcut);
        action->setShortcutVisibleInContextMenu(true);
        connect(action, &QAction::triggered, this, item.signal);
    }

    for (int number = 1; number <= trayicons::kFrameCount; ++number)
        m_frames[static_cast<std::size_t>(number - 1)] = trayicons::frame(number);
    m_timer2.setInterval(100);
    connect(&m_timer2, &QTimer::timeout, this, &frmStart::Timer2_Timer);

    // The menu opens on the right button only; a left click or a double click does nothing.
    m_tray.setContextMenu(m_menu);
    m_tray.setIcon(m_frames[0]);
    m_tray.setToolTip(QStringLiteral("Yelpcue!"));
}

frmStart::~frmStart() {
    ItemDelete();
}

void frmStart::setAnimating(bool on) {
    // Every pass switches the animation on: restarting the timer would hold the icon still.
    if (on && !m_timer2.isActive())
        m_timer2.start();
    else if (!on)
        m_timer2.stop();
}

void frmStart::ItemAdd() {
    // Shown even where no notification area exists yet: Qt adds it as soon as one appears.
    m_tray.show();
}

void frmStart::ItemDelete() {
    m_timer2.stop();
    m_tray.hide();
}

void frmStart::Timer2_Timer() {
    m_iconFrame = m_iconFrame % trayicons::kFrameCount + 1;
    m_tray.setIcon(m_frames[static_cast<std::size_t>(m_iconFrame - 1)]);
}
