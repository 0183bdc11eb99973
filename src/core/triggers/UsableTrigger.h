// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

struct Trigger;

// When a trigger can be used: the one rule of loading, import and the edit dialog.

// Every field holds something besides spaces. A stored trigger without this is left out at
// loading; one whose sound the game cannot play is kept, so the player can mend it.
bool hasEveryField(const Trigger& trigger);

// Why the trigger cannot be used: a field is blank, or the game cannot play its sound.
// nullopt when it is usable.
struct TriggerProblem {
    enum class Kind { BlankField, UnplayableSound } kind;
    std::string reason;
};
std::optional<TriggerProblem> unusableTrigger(const Trigger& trigger);
