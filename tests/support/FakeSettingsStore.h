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
                    std::string_view defaultValue = {}) const override;
    void save(std::string_view section, std::string_view key, std::string_view value) override;
    void deleteSection(std::string_view section) override;
    bool sync() override { return syncSucceeds; }

    bool has(std::string_view section, std::string_view key) const;
    const Sections& sections() const { return m_sections; }

    bool syncSucceeds = true;

private:
    Sections m_sections;
};
