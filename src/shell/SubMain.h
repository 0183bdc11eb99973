#pragma once

// The program's start: one instance per user; a later start hands over to the first one
// and ends. Returns the program's exit code.
int SubMain(int argc, char** argv);
