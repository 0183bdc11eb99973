// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/QtPrompter.h"

#include "platform/qt/QtText.h"

#include <QApplication>
#include <QMessageBox>

namespace {

QMessageBox::Icon toQt(Prompter::Icon icon) {
    switch (icon) {
    case Prompter::Icon::Information:
        return QMessageBox::Information;
    case Prompter::Icon::Question:
        return QMessageBox::Question;
    case Prompter::Icon::Warning:
        return QMessageBox::Warning;
    case Prompter::Icon::Critical:
        return QMessageBox::Critical;
    case Prompter::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton toQt(Prompter::Answer answer) {
    switch (answer) {
    case Prompter::Answer::Yes:
        return QMessageBox::Yes;
    case Prompter::Answer::No:
        return QMessageBox::No;
    case Prompter::Answer::Ok:
        break;
    }
    return QMessageBox::Ok;
}

} // namespace

Prompter::Answer QtPrompter::ask(const Message& message) {
    // A box without a title of its own shows the application's title.
    const QString title =
        message.title.empty() ? QApplication::applicationDisplayName() : toQString(message.title);
    const auto buttons = message.buttons == Buttons::YesNo
                             ? QMessageBox::Yes | QMessageBox::No
                             : QMessageBox::StandardButtons(QMessageBox::Ok);
    QMessageBox box(toQt(message.icon), title, toQString(message.text), buttons,
                    QApplication::activeWindow());
    box.setDefaultButton(toQt(message.defaultButton));
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return message.buttons == Buttons::YesNo ? Answer::No : Answer::Ok;
    }
}
