// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/SettingsLayout.h"

#include "core/platform/SettingsStore.h"
#include "core/text/Text.h"

#include <algorithm>

namespace settings {

std::string read(const SettingsStore& store, std::string_view section, const Key& key) {
    return store.get(section, key.name, key.defaultValue);
}

bool readYesNoOption(const std::string& storedText) {
    return !text::equalsIgnoringCase(storedText, "FALSE");
}

const char* yesNoText(bool on) {
    return on ? "True" : "False";
}

std::optional<int> readRecordCount(const std::string& storedText, int maximum) {
    const auto stored = text::parseWholeNumber(storedText);
    if (!stored || *stored < 0 || *stored > maximum)
        return std::nullopt;
    return static_cast<int>(*stored);
}

int readQuietMs(const std::string& storedText, int maximum) {
    const auto stored = text::parseWholeNumber(storedText);
    if (!stored)
        return 0;
    return static_cast<int>(std::clamp<long long>(*stored, 0, maximum));
}

text::Callers readCallers(const std::string& storedText) {
    if (storedText == callersText(text::Callers::AllChat))
        return text::Callers::AllChat;
    if (storedText == callersText(text::Callers::AnyLine))
        return text::Callers::AnyLine;
    return text::Callers::TeamTalk;
}

const char* callersText(text::Callers callers) {
    switch (callers) {
    case text::Callers::AllChat:
        return "all";
    case text::Callers::AnyLine:
        return "any";
    case text::Callers::TeamTalk:
        break;
    }
    return kTriggerCallers.defaultValue;
}

} // namespace settings
