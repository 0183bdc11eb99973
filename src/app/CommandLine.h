// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

// The command line, read before anything needs a display or touches the settings:
// --version and --help are answered at once, and anything else the program does not know
// is reported. Returns the exit code when the program ends there, nothing for a normal
// start. The application's name and version must be set before.
std::optional<int> answerCommandLine(int argc, char** argv);
