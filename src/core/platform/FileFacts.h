// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

// Which file a path names. Games start their console log afresh by writing a new file
// under the same name; the identity tells that new file from the one being read.
struct FileIdentity {
    std::uint64_t volume = 0;
    std::uint64_t index = 0;

    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

struct FileFacts {
    std::int64_t size = 0;
    FileIdentity identity;
};

// The size and identity of the regular file at `path` (links followed); nullopt when there
// is none: missing, a directory, or a path the program may not look into.
std::optional<FileFacts> regularFileFacts(const std::filesystem::path& path);
