// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/game/KeyList.h"

#include "core/settings/Configuration.h"
#include "core/text/Text.h"

namespace keylist {

namespace {

std::vector<std::string> buildEntries() {
    std::vector<std::string> keys;
    for (int number = 1; number <= 12; ++number)
        keys.push_back("F" + std::to_string(number));
    for (char letter = 'a'; letter <= 'z'; ++letter)
        keys.emplace_back(1, letter);
    for (char digit = '0'; digit <= '9'; ++digit)
        keys.emplace_back(1, digit);
    for (const char* name : {"DEL", "END", "ENTER", "ESCAPE", "HOME", "INSERT", "UPARROW",
                             "DOWNARROW", "LEFTARROW", "RIGHTARROW", "PGDN", "PGUP", "TAB"})
        keys.emplace_back(name);
    return keys;
}

} // namespace

const std::vector<std::string>& entries() {
    static const std::vector<std::string> keys = buildEntries();
    return keys;
}

std::optional<int> positionFromSetting(std::string_view triggerCfg) {
    const auto number = text::parseWholeNumber(triggerCfg);
    if (!number || *number < 0 || *number >= static_cast<long long>(entries().size()))
        return std::nullopt;
    return static_cast<int>(*number);
}

void choose(Configuration& configuration, int position) {
    configuration.Selected_Key = entries().at(static_cast<std::size_t>(position));
    configuration.Trigger_Cfg = std::to_string(position);
}

} // namespace keylist
