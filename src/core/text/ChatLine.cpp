// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/text/ChatLine.h"

#include <algorithm>

namespace text {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The length of a time stamp at the start of the line, HH:MM or HH:MM:SS and a space; 0 when
// there is none.
std::size_t timeStampLength(std::string_view line) {
    const auto pairAt = [&](std::size_t at) {
        return line.size() > at + 1 && isDigit(line[at]) && isDigit(line[at + 1]);
    };
    if (!pairAt(0) || line.size() < 6 || line[2] != ':' || !pairAt(3))
        return 0;
    if (line[5] == ' ')
        return 6;
    return line[5] == ':' && pairAt(6) && line.size() > 8 && line[8] == ' ' ? 9 : 0;
}

} // namespace

ChatLine readChatLine(std::string_view line) {
    std::size_t start = timeStampLength(line);
    if (start < line.size() && line[start] == '\x01')
        ++start;
    const std::string_view rest = line.substr(start);
    const auto chat = [&](ChatLine::Kind kind, std::size_t colon) {
        return ChatLine{kind, start + colon + 1};
    };

    // A bracketed name ends at the first bracket followed by ": ", so a name or a location
    // may hold brackets and colons; the first ")" ends a location.
    if (rest.starts_with('(')) {
        if (const auto close = rest.find("): "); close != std::string_view::npos)
            return chat(ChatLine::Kind::TeamTalk, close + 1);
    } else if (rest.starts_with('[')) {
        const auto close = std::min(rest.find("]: "), rest.find("): "));
        if (close != std::string_view::npos)
            return chat(ChatLine::Kind::Private, close + 1);
    }
    const auto colon = rest.find(": ");
    if (colon == std::string_view::npos || colon == 0)
        return {ChatLine::Kind::GameOwn, line.size()};
    return chat(rest.substr(0, colon) == "console" ? ChatLine::Kind::Server
                                                   : ChatLine::Kind::AllChat,
                colon);
}

bool mayCall(Callers callers, ChatLine::Kind kind) {
    switch (callers) {
    case Callers::TeamTalk:
        return kind == ChatLine::Kind::TeamTalk;
    case Callers::AllChat:
        return kind == ChatLine::Kind::TeamTalk || kind == ChatLine::Kind::AllChat ||
               kind == ChatLine::Kind::Private;
    case Callers::AnyLine:
        return true;
    }
    return false;
}

const char* callersName(Callers callers) {
    switch (callers) {
    case Callers::TeamTalk:
        return "Team talk";
    case Callers::AllChat:
        return "All chat";
    case Callers::AnyLine:
        return "Any line";
    }
    return "";
}

const char* chatKindName(ChatLine::Kind kind) {
    switch (kind) {
    case ChatLine::Kind::GameOwn:
        return "the game's own";
    case ChatLine::Kind::Server:
        return "the server's";
    case ChatLine::Kind::AllChat:
        return "all chat";
    case ChatLine::Kind::Private:
        return "a private message";
    case ChatLine::Kind::TeamTalk:
        return "team talk";
    }
    return "";
}

} // namespace text
