// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

// The open and save file dialogs.
class FileChooser {
public:
    struct Options {
        std::string title;
        // The program's filter text: pairs of description and pattern separated by "|",
        // for example "Sound Files(*.wav)|*.wav".
        std::string filter;
        std::string initialDirectory;
    };

    virtual ~FileChooser() = default;
    // nullopt when the user cancels.
    virtual std::optional<std::string> openFile(const Options& options) = 0;
    // Several existing files; empty when the user cancels.
    virtual std::vector<std::string> openFiles(const Options& options) = 0;
    virtual std::optional<std::string> saveFile(const Options& options) = 0;
};
