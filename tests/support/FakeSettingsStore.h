// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/platform/SettingsStore.h"

#include <map>
#include <string>

// The settings store in memory.
class FakeSettingsStore final : public SettingsStore {
public:
    using Section = std::map<std::string, std::string, std::less<>>;
    using Sections = std::map<std::string, Section, std::less<>>;

    std::string get(std::string_view section, std::string_view key,
                    std::string_view defaultValue = {}) const override {
        return has(section, key) ? m_sections.find(section)->second.find(key)->second
                                 : std::string(defaultValue);
    }
    void save(std::string_view section, std::string_view key, std::string_view value) override {
        m_sections[std::string(section)].insert_or_assign(std::string(key), std::string(value));
    }
    void deleteSection(std::string_view section) override {
        m_sections.erase(std::string(section));
    }
    bool sync() override { return syncSucceeds; }

    bool has(std::string_view section, std::string_view key) const {
        const auto found = m_sections.find(section);
        return found != m_sections.end() && found->second.contains(key);
    }
    const Sections& sections() const { return m_sections; }

    bool syncSucceeds = true;

private:
    Sections m_sections;
};
