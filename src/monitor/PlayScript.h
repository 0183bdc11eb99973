#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "monitor/TriggerMatcher.h"

class ActivityList;
class TriggerList;
struct Configuration;

// The characters after the path's last "\" or "/"; the whole path when it has neither.
// Both separators count, so trigger files from either system work on the other.
std::string BaseFileName(std::string_view path);

// Why a sound name must not go into the play script, a line of game commands: ";" and
// line breaks start another command, a double quote changes how the line is cut into
// words, "$" makes engines with console-variable expansion (DarkPlaces, FTE, ezQuake) put a
// variable's value (a password, say) into the command and so into the console log, control
// characters have no place in a file name, and a name the game would look up with
// kMaxSoundNameLength characters or more makes it quit. nullopt when it is safe.
inline constexpr std::size_t kMaxSoundNameLength = 64;
std::optional<std::string> soundNameProblem(std::string_view soundName);

// For each piece of console text: the first matching trigger writes the play script,
// "play " and its sound's file name, which the game runs when the bound key is pressed.
class PlayScriptDispatch {
public:
    PlayScriptDispatch(const TriggerList& triggers, const Configuration& configuration,
                       ActivityList& activity);

    // True when the piece matched a trigger whose sound can be played, so the caller
    // pushes the key; the list entries are added here.
    bool create_play_script(std::string_view console_msg);
    // The keyword and sound name of the last match that wrote the play script.
    const std::string& lastKeyword() const { return m_lastKeyword; }
    const std::string& lastSoundName() const { return m_lastSoundName; }

private:
    void writePlayScript(const std::string& soundName);

    const TriggerList& m_triggers;
    const Configuration& m_configuration;
    ActivityList& m_activity;
    TriggerMatcher m_matcher;
    std::string m_lastKeyword;
    std::string m_lastSoundName;
};
