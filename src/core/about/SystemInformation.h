// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class Launcher;
class Prompter;

// The operating system's information program, which the about window offers to start.
namespace systeminfo {

// The full path of the first of `names` that is an executable file in one of the
// directories of `searchPath` (a PATH value), or nullopt.
std::optional<std::string> findOnPath(const std::vector<std::string>& names,
                                      std::string_view searchPath);

// Starts the program, or tells the user it is unavailable.
void StartSysInfo(const std::optional<std::string>& program, Launcher& launcher,
                  Prompter& prompter);

} // namespace systeminfo
