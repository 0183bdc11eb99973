// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/files/Files.h"

#include <cerrno>
#include <fstream>
#include <iterator>
#include <random>
#include <system_error>

namespace fs = std::filesystem;

namespace files {

std::string systemErrorText(std::string_view fallback) {
    return errno != 0 ? std::generic_category().message(errno) : std::string(fallback);
}

std::optional<std::string> readWholeFile(const fs::path& path) {
    std::error_code error;
    if (!fs::is_regular_file(path, error))
        return std::nullopt;
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (file.bad())
        return std::nullopt;
    return bytes;
}

namespace {

fs::path unusedNameBeside(const fs::path& target) {
    std::random_device random;
    for (;;) {
        fs::path candidate = target;
        candidate += ".yelpcue-" + std::to_string(random()) + ".tmp";
        std::error_code error;
        if (!fs::exists(candidate, error))
            return candidate;
    }
}

} // namespace

bool replaceFile(const fs::path& target, const std::function<bool(const fs::path&)>& fill) {
    const fs::path temporary = unusedNameBeside(target);
    std::error_code error;
    if (fill(temporary)) {
        fs::rename(temporary, target, error);
        if (!error)
            return true;
    }
    fs::remove(temporary, error);
    return false;
}

bool replaceFileWith(const fs::path& target, const std::function<bool(std::ostream&)>& write) {
    return replaceFile(target, [&write](const fs::path& temporary) {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out || !write(out))
            return false;
        out.close();
        return !out.fail();
    });
}

bool replaceFile(const fs::path& target, std::string_view bytes) {
    return replaceFileWith(target, [bytes](std::ostream& out) {
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return out.good();
    });
}

bool clearConsoleLog(const fs::path& log, std::string_view markerLine) {
    std::ofstream file(log, std::ios::binary | std::ios::trunc);
    file.write(markerLine.data(), static_cast<std::streamsize>(markerLine.size()));
    file.close();
    return !file.fail();
}

} // namespace files
