// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string_view>

namespace text {

// Who wrote a console line, told by its shape once it reads as the player reads it
// (foldQuakeText, which also drops the colour codes inside names and words). The Quake
// engines, the QuakeWorld and NetQuake ones and the Quake III family alike, write
//   team talk           (name): message   and Quake III's   (name) (location): message
//   a private message   [name]: message   and               [name] (location): message
//   all chat            name: message
//   the server's        console: message
// each after an optional time stamp, HH:MM or HH:MM:SS and a space (ezQuake's
// con_timestamps), and the byte 01 with which NetQuake servers mark chat. Any other line is
// the game's own. A QuakeWorld server sends team talk only to the sender's team, but a
// player can be named "(mate)": the shape of the line is all there is to go by.
//
// The message starts at the space after the colon, so that a keyword's second word, which
// starts with a space, is found at its start as before.
struct ChatLine {
    enum class Kind { GameOwn, Server, AllChat, Private, TeamTalk };
    Kind kind = Kind::GameOwn;
    // Where the message starts in the line; the line's end for the game's own lines.
    std::size_t messageStart = 0;
};
ChatLine readChatLine(std::string_view line);

// Who may call a trigger, a setting of each trigger.
enum class Callers {
    // Team talk only: the calls the program is for.
    TeamTalk,
    // Team talk and every player's chat: all chat and private messages, which anyone on
    // the server can send.
    AllChat,
    // Any line, the game's and the server's own included, the keyword anywhere in it.
    AnyLine,
};

// Whether a line of this kind may call a trigger with these callers. For team talk and all
// chat the keyword counts only in the message, never in a name or a location.
bool mayCall(Callers callers, ChatLine::Kind kind);

// As the edit dialog and the trigger manager name them: "Team talk", "All chat", "Any line".
const char* callersName(Callers callers);
// What a line of this kind is, for the trigger tester: "team talk", "all chat", ...
const char* chatKindName(ChatLine::Kind kind);

} // namespace text
