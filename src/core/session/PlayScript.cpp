// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/session/PlayScript.h"

#include "core/game/GamePaths.h"
#include "core/session/ActivityList.h"
#include "core/session/TriggerCalls.h"
#include "core/settings/Configuration.h"
#include "core/triggers/SoundName.h"
#include "core/triggers/TriggerList.h"

#include <algorithm>
#include <fstream>

namespace {

// Writes `text` over the start of the file, then cuts off what is left of the old text.
// Emptying the file first and writing it anew would make ext4 push the file to the disk
// when it is closed, which takes milliseconds before the key can be pushed.
bool overwrite(const std::filesystem::path& path, std::string_view text) {
    std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
    if (!file.is_open())
        file.open(path, std::ios::out | std::ios::binary); // not there yet
    file.write(text.data(), static_cast<std::streamsize>(text.size()));
    file.close();
    std::error_code error;
    if (file.fail()) {
        // Half a command, or the new one's start before the old one's end, must not run.
        std::filesystem::resize_file(path, 0, error);
        return false;
    }
    std::filesystem::resize_file(path, text.size(), error);
    return !error;
}

// The sound name as the one argument of "play". The engines cut a command into words at
// spaces and make each of { } ( ) ' : a word of its own; QuakeSpasm, the original Quake and
// Quake III also cut at every byte beyond ASCII, which their parser reads as a negative
// char, and Quake III ends a word at "//" or "/*", a comment. Such a name would play as
// several sounds, so it goes in double quotes, which every engine keeps whole; any other
// name is written as it stands, as it always was. Quake III's "play" takes the path in the
// game folder, where the sounds are in "sound".
std::string playArgument(GameFamily family, std::string_view soundName) {
    const std::string path =
        (family == GameFamily::QuakeIII ? "sound/" : "") + std::string(soundName);
    const bool oneWord =
        std::all_of(path.begin(), path.end(),
                    [](char c) {
                        return c > ' ' && c < 0x7F &&
                               std::string_view("{}()':").find(c) == std::string_view::npos;
                    }) &&
        path.find("//") == std::string::npos && path.find("/*") == std::string::npos;
    return oneWord ? path : "\"" + path + "\"";
}

} // namespace

PlayScriptDispatch::PlayScriptDispatch(TriggerCalls& calls, const Configuration& configuration,
                                       ActivityList& activity)
    : m_calls(calls)
    , m_triggers(calls.triggers())
    , m_configuration(configuration)
    , m_activity(activity) {}

bool PlayScriptDispatch::create_play_script(std::string_view console_msg) {
    const TriggerCalls::Answer answer = m_calls.answer(console_msg);
    if (!answer.position)
        return false;
    if (answer.skipped()) {
        m_activity.add("Skipped (quiet time) : " + std::string(console_msg));
        return false;
    }
    const Trigger& trigger = m_triggers.at(*answer.position);
    m_activity.add("Found Keywords : " + trigger.keyword);

    const std::string soundName = gameSoundName(trigger.soundFile);
    if (const auto problem = soundNameProblem(soundName)) {
        m_activity.add("Sound name refused, " + *problem + " : " + soundName);
        return false;
    }
    m_lastKeyword = trigger.keyword;
    m_lastSoundName = soundName;
    writePlayScript(soundName);
    return true;
}

void PlayScriptDispatch::writePlayScript(const std::string& soundName) {
    const auto path =
        gamepaths::playScript(m_configuration.Quake_Dir, m_configuration.Quake_Id1_sound);
    if (!path) {
        m_activity.add("Play script not written: the game directory is not set");
        return;
    }
    if (!overwrite(*path, "play " + playArgument(m_configuration.Game_Family, soundName) + "\r\n"))
        m_activity.add("Play script not written: cannot write " + path->string());
}
