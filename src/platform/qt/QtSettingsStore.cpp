// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/QtSettingsStore.h"

#include "core/files/Files.h"
#include "core/settings/Configuration.h"
#include "platform/qt/QtText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <filesystem>
#include <optional>

namespace {

QString keyPath(std::string_view section, std::string_view key) {
    return toQString(section) + QLatin1Char('/') + toQString(key);
}

// A value as text: an unquoted value with commas, written by hand, comes back as a list.
QString textOf(const QVariant& value) {
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}

// Every key with its text. QSettings takes no empty key, which a damaged file can hold.
QMap<QString, QString> valuesOf(const QSettings& settings) {
    QMap<QString, QString> values;
    for (const QString& key : settings.allKeys()) {
        if (!key.isEmpty())
            values.insert(key, textOf(settings.value(key)));
    }
    return values;
}

// The name of a new, empty file beside `file`, which the caller removes; empty when none
// could be made. No QTemporaryFile keeps it: Windows lets nobody replace a file that one
// holds, even closed, and QSettings writes by replacing.
QString createBeside(const QString& file) {
    QTemporaryFile temporary(file + QStringLiteral(".XXXXXX"));
    temporary.setAutoRemove(false);
    return temporary.open() ? temporary.fileName() : QString();
}

// Writes the values into `written`, then moves it to `readBack` and reads it there: QSettings
// answers a reader of a file it wrote from its cache, so only under another name does the
// disk answer. Returns what the file holds (QSettings tidies keys of a damaged file, "/a//b"
// becoming "a/b"), or nothing unless the file holds everything that was written.
std::optional<QMap<QString, QString>> writeVerified(const QString& written,
                                                    const std::filesystem::path& readBack,
                                                    const QMap<QString, QString>& values) {
    QMap<QString, QString> expected;
    {
        QSettings writer(written, QSettings::IniFormat);
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            writer.setValue(it.key(), it.value());
        writer.sync();
        if (writer.status() != QSettings::NoError)
            return std::nullopt;
        expected = valuesOf(writer);
    }
    std::error_code error;
    std::filesystem::rename(QFile(written).filesystemFileName(), readBack, error);
    if (error)
        return std::nullopt;
    const QSettings reader(QFile(readBack).fileName(), QSettings::IniFormat);
    if (reader.status() != QSettings::NoError || valuesOf(reader) != expected)
        return std::nullopt;
    return expected;
}

} // namespace

QtSettingsStore::QtSettingsStore(const QString& iniFile)
    : QtSettingsStore(std::make_unique<QSettings>(iniFile, QSettings::IniFormat)) {}

QtSettingsStore::QtSettingsStore(std::unique_ptr<QSettings> settings)
    : m_settings(std::move(settings)) {
    // A file that cannot be parsed gives what QSettings could read of it, often nothing:
    // the defaults then apply, and the next sync writes a valid file.
    if (isFileBacked())
        m_values = valuesOf(*m_settings);
}

std::string QtSettingsStore::get(std::string_view section, std::string_view key,
                                 std::string_view defaultValue) const {
    const QString path = keyPath(section, key);
    if (isFileBacked()) {
        const auto found = m_values.constFind(path);
        return found == m_values.cend() ? std::string(defaultValue) : toSystemText(*found);
    }
    const QVariant value = m_settings->value(path);
    return value.isValid() ? toSystemText(textOf(value)) : std::string(defaultValue);
}

void QtSettingsStore::save(std::string_view section, std::string_view key, std::string_view value) {
    if (!isFileBacked()) {
        m_settings->setValue(keyPath(section, key), toQString(value));
        return;
    }
    m_values.insert(keyPath(section, key), toQString(value));
    m_unsynced = true;
}

void QtSettingsStore::deleteSection(std::string_view section) {
    if (!isFileBacked()) {
        m_settings->remove(toQString(section));
        return;
    }
    const QString prefix = keyPath(section, {});
    for (auto it = m_values.lowerBound(prefix);
         it != m_values.end() && it.key().startsWith(prefix);)
        it = m_values.erase(it);
    m_unsynced = true;
}

bool QtSettingsStore::sync() {
    if (!isFileBacked()) {
        m_settings->sync();
        return m_settings->status() == QSettings::NoError;
    }
    if (m_unsynced && !replaceFile())
        return false;
    m_unsynced = false;
    return true;
}

bool QtSettingsStore::replaceFile() {
    const QString file = m_settings->fileName();
    const QString written =
        QDir().mkpath(QFileInfo(file).absolutePath()) ? createBeside(file) : QString();
    if (written.isEmpty())
        return false;
    std::optional<QMap<QString, QString>> stored;
    const bool replaced = files::replaceFile(
        QFile(file).filesystemFileName(), [&](const std::filesystem::path& readBack) {
            stored = writeVerified(written, readBack, m_values);
            return stored.has_value();
        });
    // Still there only when it could not be written and moved.
    QFile::remove(written);
    if (!replaced)
        return false;
    m_values = std::move(*stored);
    return true;
}
