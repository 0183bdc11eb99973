// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/platform/FileChooser.h"

#include <deque>

// Answers the file dialogs from a script: a queue of results, an empty result meaning that
// the user cancelled. Records the options of every dialog shown.
class FakeFileChooser final : public FileChooser {
public:
    std::optional<std::string> openFile(const Options& options) override { return next(options); }
    std::vector<std::string> openFiles(const Options& options) override {
        shown.push_back(options);
        if (multipleResults.empty())
            return {};
        auto result = multipleResults.front();
        multipleResults.pop_front();
        return result;
    }
    std::optional<std::string> saveFile(const Options& options) override { return next(options); }

    std::vector<Options> shown;
    std::deque<std::optional<std::string>> results;
    std::deque<std::vector<std::string>> multipleResults;

private:
    std::optional<std::string> next(const Options& options) {
        shown.push_back(options);
        if (results.empty())
            return std::nullopt;
        auto result = results.front();
        results.pop_front();
        return result;
    }
};
