// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/platform/Launcher.h"

#include <vector>

// Records what would be opened or started; succeeds unless told otherwise.
class FakeLauncher final : public Launcher {
public:
    struct Start {
        std::string program;
        std::vector<std::string> arguments;
    };

    bool openTextFile(const std::string& path) override {
        openedTextFiles.push_back(path);
        return succeeds;
    }
    bool startProgram(const std::string& program,
                      const std::vector<std::string>& arguments) override {
        started.push_back({program, arguments});
        return succeeds;
    }

    std::vector<std::string> openedTextFiles;
    std::vector<Start> started;
    bool succeeds = true;
};
