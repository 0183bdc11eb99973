#include "platform/qt/QtSettingsStore.h"

#include "platform/qt/QtText.h"
#include "shell/Configuration.h"

namespace {
QString keyPath(std::string_view section, std::string_view key) {
    return toQString(section) + QLatin1Char('/') + toQString(key);
}
} // namespace

std::unique_ptr<QtSettingsStore> QtSettingsStore::openForUser() {
    return std::unique_ptr<QtSettingsStore>(new QtSettingsStore(std::make_unique<QSettings>(
        QSettings::IniFormat, QSettings::UserScope, QString::fromLatin1(settings::kApplication))));
}

QtSettingsStore::QtSettingsStore(const QString& iniFile)
    : QtSettingsStore(std::make_unique<QSettings>(iniFile, QSettings::IniFormat)) {}

QtSettingsStore::QtSettingsStore(std::unique_ptr<QSettings> settings)
    : m_settings(std::move(settings)) {}

std::string QtSettingsStore::get(std::string_view section, std::string_view key,
                                 std::string_view defaultValue) const {
    const QVariant value = m_settings->value(keyPath(section, key));
    if (!value.isValid())
        return std::string(defaultValue);
    // An unquoted value with commas, written by hand, comes back as a list.
    if (value.typeId() == QMetaType::QStringList)
        return toSystemText(value.toStringList().join(QStringLiteral(", ")));
    return toSystemText(value.toString());
}

void QtSettingsStore::save(std::string_view section, std::string_view key, std::string_view value) {
    m_settings->setValue(keyPath(section, key), toQString(value));
}

void QtSettingsStore::deleteSection(std::string_view section) {
    m_settings->remove(toQString(section));
}

bool QtSettingsStore::sync() {
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}
