// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The program's start: answers --version and --help, or refuses a wrong command line;
// otherwise one instance per user, and a later start hands over to the first one and ends.
// Returns the program's exit code.
int SubMain(int argc, char** argv);
