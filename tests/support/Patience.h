// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>

// How long a test waits for what must happen: a window, a key, an engine's answer, a file.
// Every wait ends the moment the event is there, so on a quiet machine this costs nothing;
// the limit only ends a test whose event never comes. It is far beyond the slowest step on
// a quiet machine (seconds: Wine's first start, an engine's map load), so that a machine
// whose every core is busy makes the tests slower, never failing.
inline constexpr std::chrono::seconds kPatience{120};
inline constexpr int kPatienceMs = 120000;
