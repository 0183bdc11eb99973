// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/triggers/UsableTrigger.h"

#include "core/triggers/SoundName.h"
#include "core/triggers/TriggerList.h"
#include "core/triggers/TriggerStore.h"

bool hasEveryField(const Trigger& trigger) {
    using triggerstore::is_not_blank;
    return is_not_blank(trigger.name) && is_not_blank(trigger.keyword) &&
           is_not_blank(trigger.soundFile);
}

std::optional<TriggerProblem> unusableTrigger(const Trigger& trigger) {
    if (!hasEveryField(trigger))
        return TriggerProblem{TriggerProblem::Kind::BlankField, "a field is blank"};
    if (auto problem = soundNameProblem(gameSoundName(trigger.soundFile)))
        return TriggerProblem{TriggerProblem::Kind::UnplayableSound, std::move(*problem)};
    return std::nullopt;
}
