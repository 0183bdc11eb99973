// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/about/SystemInformation.h"

#include "core/platform/Launcher.h"
#include "core/platform/Prompter.h"
#include "core/text/PathText.h"

#include <filesystem>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace systeminfo {

namespace fs = std::filesystem;

std::optional<std::string> findOnPath(const std::vector<std::string>& names,
                                      std::string_view searchPath) {
#ifdef _WIN32
    constexpr char kListSeparator = ';';
#else
    constexpr char kListSeparator = ':';
#endif
    for (const std::string& name : names) {
        std::string_view rest = searchPath;
        while (!rest.empty()) {
            const auto end = rest.find(kListSeparator);
            const std::string_view directory = rest.substr(0, end);
            rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
            if (directory.empty())
                continue;
            const fs::path candidate = text::toPath(directory) / text::toPath(name);
            std::error_code error;
#ifdef _WIN32
            const bool executable = fs::is_regular_file(candidate, error);
#else
            const bool executable =
                fs::is_regular_file(candidate, error) && ::access(candidate.c_str(), X_OK) == 0;
#endif
            if (executable)
                return text::fromPath(candidate);
        }
    }
    return std::nullopt;
}

void StartSysInfo(const std::optional<std::string>& program, Launcher& launcher,
                  Prompter& prompter) {
    if (!program || !launcher.startProgram(*program))
        prompter.inform("System Information Is Unavailable At This Time");
}

} // namespace systeminfo
