// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/text/PathText.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace text {

#ifdef _WIN32

std::filesystem::path toPath(std::string_view text) {
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    std::wstring wide(
        static_cast<std::size_t>(MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0)),
        L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), static_cast<int>(wide.size()));
    return std::filesystem::path(std::move(wide));
}

// A character that the code page lacks becomes "?", as in every ANSI program.
std::string fromPath(const std::filesystem::path& path) {
    const std::wstring& wide = path.native();
    if (wide.empty())
        return {};
    const int size = static_cast<int>(wide.size());
    std::string text(static_cast<std::size_t>(WideCharToMultiByte(CP_ACP, 0, wide.data(), size,
                                                                  nullptr, 0, nullptr, nullptr)),
                     '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), size, text.data(), static_cast<int>(text.size()),
                        nullptr, nullptr);
    return text;
}

#else

std::filesystem::path toPath(std::string_view text) {
    return std::filesystem::path(std::string(text));
}

std::string fromPath(const std::filesystem::path& path) {
    return path.string();
}

#endif

} // namespace text
