// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/files/Files.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include "support/FullDisk.h"
#endif

namespace {

namespace fs = std::filesystem;

// A full disk is simulated by a file-size limit in a child process: the file is replaced only
// by a complete one, and the failure is told.
TEST(ReplaceFileTest, WritesTheWholeFileInPlaceOfTheOldOneOrLeavesTheOldOneAndFails) {
    TempDir dir;
    const fs::path file = dir / "triggers.txt";
    const std::string old = "\"Test Trigger\",\"SHOTGUN\",\"Bitch.wav\"\r\n";
    writeFile(file, old);
#ifndef _WIN32
    for (const std::size_t size : {std::size_t{500}, std::size_t{100000}}) {
        EXPECT_TRUE(underFileSizeLimit(
            100, [&] { return !files::replaceFile(file, std::string(size, 'x')); }))
            << size << " bytes: failed";
        EXPECT_EQ(readFile(file), old) << size;
        EXPECT_EQ(std::ranges::distance(fs::directory_iterator(dir.path())), 1)
            << "no temporary file is left behind";
    }
#endif
    const std::string text(100000, 't');
    ASSERT_TRUE(files::replaceFile(file, text));
    EXPECT_EQ(readFile(file), text);
    EXPECT_FALSE(files::replaceFile(dir / "missing" / "triggers.txt", text));
    EXPECT_EQ(std::ranges::distance(fs::directory_iterator(dir.path())), 1)
        << "no temporary file is left behind";
}

} // namespace
