// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/platform/SettingsStore.h"

#include <QMap>
#include <QSettings>
#include <QString>

#include <memory>

// The settings store over QSettings: an INI file in the user's configuration directory
// on Linux, the user's part of the registry on Windows.
//
// QSettings writes a file through QSaveFile, which ignores the failure of its last flush: on
// a full disk it puts a cut-short file in place of the old one and reports no error. A file
// store therefore keeps its values in memory and replaces the file only with a copy that was
// read back whole; QSettings only reads and writes whole files for it.
class QtSettingsStore final : public SettingsStore {
public:
    // A store kept in the given INI file.
    explicit QtSettingsStore(const QString& iniFile);
    // A store over settings that the operating system's start-up opened.
    explicit QtSettingsStore(std::unique_ptr<QSettings> settings);

    std::string get(std::string_view section, std::string_view key,
                    std::string_view defaultValue = {}) const override;
    void save(std::string_view section, std::string_view key, std::string_view value) override;
    void deleteSection(std::string_view section) override;
    // False when the values could not be written; the file then holds what it held before,
    // and the values stay in memory for the next sync.
    bool sync() override;

private:
    bool isFileBacked() const { return m_settings->format() == QSettings::IniFormat; }
    bool replaceFile();

    std::unique_ptr<QSettings> m_settings;
    // A file store's values by "section/key", and whether they differ from the file's.
    QMap<QString, QString> m_values;
    bool m_unsynced = false;
};
