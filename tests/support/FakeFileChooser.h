// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/platform/FileChooser.h"

#include <deque>

// Answers the file dialogs from a script: a queue of results, an empty result meaning that
// the user cancelled. Records the options of every dialog shown.
class FakeFileChooser final : public FileChooser {
public:
    std::optional<std::string> openFile(const Options& options) override {
        return next(options, results);
    }
    std::vector<std::string> openFiles(const Options& options) override {
        return next(options, multipleResults);
    }
    std::optional<std::string> saveFile(const Options& options) override {
        return next(options, results);
    }

    std::vector<Options> shown;
    std::deque<std::optional<std::string>> results;
    std::deque<std::vector<std::string>> multipleResults;

private:
    template <typename Result> Result next(const Options& options, std::deque<Result>& queue) {
        shown.push_back(options);
        if (queue.empty())
            return {};
        Result result = std::move(queue.front());
        queue.pop_front();
        return result;
    }
};
