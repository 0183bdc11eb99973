// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/FakePrompter.h"
#include "support/Patience.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

// The control that a window names `name` (its objectName, the program's name for it); the
// test fails when there is none.
template <typename Control = QWidget> Control* child(const QWidget& window, const char* name) {
    auto* found = window.findChild<Control*>(QLatin1String(name));
    if (!found)
        ADD_FAILURE() << "no control " << name;
    return found;
}

// The text that the control `name` shows: a label's, a line's or a button's.
inline std::string textOf(const QWidget& window, const char* name) {
    return child(window, name)->property("text").toString().toStdString();
}

inline void click(const QWidget& window, const char* button) {
    if (auto* found = child<QAbstractButton>(window, button))
        found->click();
}

// Each row of a list, table or tree as it is shown, its columns joined by '|'.
inline QStringList rowTexts(const QAbstractItemView& view) {
    const QAbstractItemModel& model = *view.model();
    QStringList rows;
    for (int row = 0; row < model.rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < model.columnCount(); ++column)
            cells << model.index(row, column).data().toString();
        rows << cells.join(QLatin1Char('|'));
    }
    return rows;
}

// The texts of the boxes shown so far, in order.
inline std::vector<std::string> shownTexts(const FakePrompter& prompter) {
    std::vector<std::string> texts;
    for (const auto& message : prompter.shown)
        texts.push_back(message.text);
    return texts;
}

// Acts on the next modal dialog to open, from inside its own event loop, then closes it if
// `act` left it open. Polls, so a dialog opened from inside another one is found too; the
// wait ends with the test that asked.
inline void onNextModal(std::function<void(QDialog&)> act) {
    auto* poll = new QTimer;
    const QDeadlineTimer patience(kPatienceMs);
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    QObject::connect(poll, &QTimer::timeout, [poll, patience, test, act = std::move(act)] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        const bool asked = testing::UnitTest::GetInstance()->current_test_info() == test;
        if (!dialog && asked && !patience.hasExpired())
            return;
        poll->stop();
        poll->deleteLater();
        if (!dialog || !asked) {
            ADD_FAILURE() << "no modal dialog opened in " << test->name();
            return;
        }
        act(*dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
    poll->start(10);
}
