// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/triggers/SoundName.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

class ActivityList;
class TriggerCalls;
class TriggerList;
struct Configuration;

// For each piece of console text: the first matching trigger writes the play script,
// "play " and its sound's file name, which the game runs when the bound key is pressed.
// A call within the trigger's quiet time is skipped.
class PlayScriptDispatch {
public:
    PlayScriptDispatch(TriggerCalls& calls, const Configuration& configuration,
                       ActivityList& activity);

    // True when the piece matched a trigger whose sound can be played, so the caller
    // pushes the key; the list entries are added here. The piece is the text as the player
    // reads it (TriggerCalls::read).
    bool create_play_script(std::string_view console_msg);
    // The keyword and sound name of the last match that wrote the play script.
    const std::string& lastKeyword() const { return m_lastKeyword; }
    const std::string& lastSoundName() const { return m_lastSoundName; }

private:
    void writePlayScript(const std::string& soundName);

    TriggerCalls& m_calls;
    const TriggerList& m_triggers;
    const Configuration& m_configuration;
    ActivityList& m_activity;
    std::string m_lastKeyword;
    std::string m_lastSoundName;
};
