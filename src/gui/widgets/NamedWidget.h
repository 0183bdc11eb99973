// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLatin1String>
#include <utility>

// A widget carrying the program's name for it as its objectName ("cmdStart", "lstTriggers"),
// by which tests and the closing of other windows find it.
template <typename Widget, typename... Arguments>
Widget* namedWidget(const char* name, Arguments&&... arguments) {
    auto* widget = new Widget(std::forward<Arguments>(arguments)...);
    widget->setObjectName(QLatin1String(name));
    return widget;
}
