// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/platform/Launcher.h"

// Opens files with the desktop's own programs and starts programs detached, so they live
// on when Yelpcue ends.
class QtLauncher final : public Launcher {
public:
    bool openTextFile(const std::string& path) override;
    bool startProgram(const std::string& program,
                      const std::vector<std::string>& arguments = {}) override;
};
