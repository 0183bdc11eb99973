// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/QtLauncher.h"

#include "platform/qt/QtText.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

bool QtLauncher::openTextFile(const std::string& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(toQString(path)));
}

bool QtLauncher::startProgram(const std::string& program,
                              const std::vector<std::string>& arguments) {
    QStringList qtArguments;
    for (const std::string& argument : arguments)
        qtArguments << toQString(argument);
    return QProcess::startDetached(toQString(program), qtArguments);
}
