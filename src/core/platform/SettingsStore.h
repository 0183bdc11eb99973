// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// The per-user store of text values, addressed by section and key within the one
// application the store was opened for ("Bellcast").
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // The stored text, or defaultValue when the key (or its section) does not exist.
    virtual std::string get(std::string_view section, std::string_view key,
                            std::string_view defaultValue = {}) const = 0;
    virtual void save(std::string_view section, std::string_view key, std::string_view value) = 0;
    virtual void deleteSection(std::string_view section) = 0;
    // Writes what was saved to permanent storage; false when that failed.
    virtual bool sync() = 0;
};
