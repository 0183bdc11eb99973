// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace text {

// A console line as the player reads it on the screen. The game's own character set puts
// red or gold text in bytes with the high bit set, gold digits and brackets at 0x12-0x1B
// and 0x10-0x11, and dots at 0x00, 0x05, 0x0E, 0x0F and 0x1C; the engines colour text with
// codes inside words: ^0-^9 and ^xRGB (with ^^ for a caret) in DarkPlaces and FTE, &cRGB
// and &r in ezQuake. Folded, "^1(Bob)^7: " + the red bytes D1 D5 C1 C4 reads "(Bob): QUAD".
//
// Engines that log UTF-8 (DarkPlaces can) write valid sequences, while the red or gold text
// of the game's character set is almost never valid UTF-8: its spaces and punctuation have
// the high bit too, so it comes in runs of such bytes that do not parse. So each run of
// bytes beyond ASCII that is valid UTF-8 as a whole is kept as it is, and any other run is
// folded as the game's characters; a line can hold both. (A red run that happens to parse,
// "Q1" alone, stays as it is.) Other control bytes are kept; the result is never longer.
//
// The folded text is written into `buffer`, which is reused from line to line and only
// grows, and returned as a view of it, valid until the buffer is used again.
std::string_view foldQuakeText(std::string_view line, std::string& buffer);

} // namespace text
