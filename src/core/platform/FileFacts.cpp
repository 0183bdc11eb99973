// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/platform/FileFacts.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#else
#include <sys/stat.h>
#endif

#ifdef _WIN32

std::optional<FileFacts> regularFileFacts(const std::filesystem::path& path) {
    // No access rights are needed to read a file's attributes; sharing everything keeps the
    // game free to write, rename or delete the log meanwhile.
    const HANDLE file =
        CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    BY_HANDLE_FILE_INFORMATION information{};
    const bool known = GetFileInformationByHandle(file, &information) != 0;
    CloseHandle(file);
    if (!known || (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return std::nullopt;
    FileFacts facts;
    facts.size = static_cast<std::int64_t>((std::uint64_t{information.nFileSizeHigh} << 32) |
                                           information.nFileSizeLow);
    facts.identity.volume = information.dwVolumeSerialNumber;
    facts.identity.index =
        (std::uint64_t{information.nFileIndexHigh} << 32) | information.nFileIndexLow;
    return facts;
}

#else

std::optional<FileFacts> regularFileFacts(const std::filesystem::path& path) {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode))
        return std::nullopt;
    FileFacts facts;
    facts.size = static_cast<std::int64_t>(status.st_size);
    facts.identity.volume = static_cast<std::uint64_t>(status.st_dev);
    facts.identity.index = static_cast<std::uint64_t>(status.st_ino);
    return facts;
}

#endif
