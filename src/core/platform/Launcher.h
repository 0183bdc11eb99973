// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

class Launcher {
public:
    virtual ~Launcher() = default;
    // Opens a text file in the desktop's text viewer; false when nothing could be started.
    virtual bool openTextFile(const std::string& path) = 0;
    // Starts a program; false when it could not be started.
    virtual bool startProgram(const std::string& program,
                              const std::vector<std::string>& arguments = {}) = 0;
};
