#include "support/FakeSettingsStore.h"

std::string FakeSettingsStore::get(std::string_view section, std::string_view key,
                                   std::string_view defaultValue) const {
    const auto s = m_sections.find(section);
    if (s == m_sections.end())
        return std::string(defaultValue);
    const auto k = s->second.find(key);
    return k == s->second.end() ? std::string(defaultValue) : k->second;
}

void FakeSettingsStore::save(std::string_view section, std::string_view key,
                             std::string_view value) {
    auto s = m_sections.find(section);
    if (s == m_sections.end())
        s = m_sections.emplace(std::string(section), Section{}).first;
    s->second.insert_or_assign(std::string(key), std::string(value));
}

void FakeSettingsStore::deleteSection(std::string_view section) {
    if (const auto s = m_sections.find(section); s != m_sections.end())
        m_sections.erase(s);
}

bool FakeSettingsStore::has(std::string_view section, std::string_view key) const {
    const auto s = m_sections.find(section);
    return s != m_sections.end() && s->second.contains(key);
}
