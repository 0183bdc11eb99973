// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/QtFileChooser.h"

#include "platform/qt/QtText.h"

#include <QApplication>
#include <QFileDialog>

namespace {

#ifdef Q_OS_WIN
constexpr bool kCaseSensitiveFileSystem = false;
#else
constexpr bool kCaseSensitiveFileSystem = true;
#endif

QString caseInsensitivePattern(const QString& pattern) {
    QString result;
    for (const QChar c : pattern) {
        if (c.isLetter() && c.toLower() != c.toUpper())
            result += QLatin1Char('[') + c.toLower() + c.toUpper() + QLatin1Char(']');
        else
            result += c;
    }
    return result;
}

std::vector<std::string> runDialog(const FileChooser::Options& options, QFileDialog::FileMode mode,
                                   QFileDialog::AcceptMode accept) {
    QFileDialog dialog(QApplication::activeWindow(), toQString(options.title),
                       toQString(options.initialDirectory));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(toQtNameFilters(options.filter, kCaseSensitiveFileSystem));
    dialog.setFileMode(mode);
    dialog.setAcceptMode(accept);
    std::vector<std::string> chosen;
    if (dialog.exec() == QDialog::Accepted) {
        for (const QString& file : dialog.selectedFiles())
            chosen.push_back(toSystemText(QDir::toNativeSeparators(file)));
    }
    return chosen;
}

std::optional<std::string> firstOf(std::vector<std::string> chosen) {
    if (chosen.empty())
        return std::nullopt;
    return std::move(chosen.front());
}

} // namespace

QStringList toQtNameFilters(std::string_view filter, bool ignoreLetterCase) {
    const QStringList parts = toQString(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        if (ignoreLetterCase) {
            for (QString& pattern : patterns)
                pattern = caseInsensitivePattern(pattern);
        }
        // Qt takes the patterns from the last parentheses; the description is what is shown.
        filters << parts[i] + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                       QLatin1Char(')');
    }
    return filters;
}

std::optional<std::string> QtFileChooser::openFile(const Options& options) {
    return firstOf(runDialog(options, QFileDialog::ExistingFile, QFileDialog::AcceptOpen));
}

std::vector<std::string> QtFileChooser::openFiles(const Options& options) {
    return runDialog(options, QFileDialog::ExistingFiles, QFileDialog::AcceptOpen);
}

std::optional<std::string> QtFileChooser::saveFile(const Options& options) {
    return firstOf(runDialog(options, QFileDialog::AnyFile, QFileDialog::AcceptSave));
}
