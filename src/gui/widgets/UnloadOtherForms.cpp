// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widgets/UnloadOtherForms.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

#include <vector>

void UnloadOtherForms(const QString& keepName) {
    // Closing one window may close or delete others: take the list first, then skip the
    // windows already gone.
    std::vector<QPointer<QWidget>> others;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() != keepName)
            others.emplace_back(window);
    }
    for (const QPointer<QWidget>& window : others) {
        if (window)
            window->close();
    }
}
