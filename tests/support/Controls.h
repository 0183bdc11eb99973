#pragma once

#include <QWidget>

#include <gtest/gtest.h>

// The control that a window names `name` (its objectName, the program's name for it); the
// test fails when there is none.
template <typename Control = QWidget> Control* child(const QWidget& window, const char* name) {
    auto* found = window.findChild<Control*>(QLatin1String(name));
    if (!found)
        ADD_FAILURE() << "no control " << name;
    return found;
}
