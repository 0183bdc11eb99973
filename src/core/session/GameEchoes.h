// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

class Clock;

// What the game prints in answer to the play script: "execing bellcast.cfg" when the bind
// runs it, and a sound it cannot play, named as the script named it (DarkPlaces: failed to
// load sound "quad.wav"; QuakeSpasm and the QuakeWorld engines: Couldn't load
// sound/quad.wav). Such a line holds the keyword of the call that wrote the script, and
// taken for a call it would make the game answer again, without end.
class GameEchoes {
public:
    // The game runs the script within a frame or two of the key press and the log is read
    // at least every 600 ms, so an answer comes within about a second; ten leave room for a
    // game that stalls (loading a map) or a long queue of lines, while a teammate who names
    // the sound file later is heard.
    static constexpr std::chrono::milliseconds kAnswerTime{10000};

    explicit GameEchoes(const Clock& clock)
        : m_clock(clock) {}

    // A play script naming `soundName`, the game's copy of a sound with its ".wav", was
    // written.
    void played(std::string_view soundName);
    // Whether `line` is the game's answer to a play script: it names the play script, or
    // the sound of a script written within kAnswerTime, in any letter case. Every such
    // script counts, not only the last: the game may run an earlier one before a later
    // match rewrites it. A line that only holds the keyword, as a call does, is no answer.
    bool isEcho(std::string_view line);

private:
    struct Played {
        std::string lookedUp; // lower case
        std::chrono::milliseconds at;
    };

    void forgetOld();

    const Clock& m_clock;
    std::vector<Played> m_played;
};
