#pragma once

#include "platform/SettingsStore.h"

#include <QSettings>

#include <memory>

// The settings store over QSettings: an INI file in the user's configuration directory
// on Linux.
class QtSettingsStore final : public SettingsStore {
public:
    // The store of the application "Bellcast" for the current user.
    static std::unique_ptr<QtSettingsStore> openForUser();
    // A store kept in the given INI file.
    explicit QtSettingsStore(const QString& iniFile);

    std::string get(std::string_view section, std::string_view key,
                    std::string_view defaultValue = {}) const override;
    void save(std::string_view section, std::string_view key, std::string_view value) override;
    void deleteSection(std::string_view section) override;
    bool sync() override;

private:
    explicit QtSettingsStore(std::unique_ptr<QSettings> settings);

    std::unique_ptr<QSettings> m_settings;
};
