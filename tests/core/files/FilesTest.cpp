// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/files/Files.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include "support/FullDisk.h"
#endif

namespace {

namespace fs = std::filesystem;

TEST(ReplaceFileTest, WritesTheWholeFileInPlaceOfTheOldOne) {
    TempDir dir;
    writeFile(dir / "triggers.txt", "old triggers\r\n");
    const std::string text(100000, 't');
    ASSERT_TRUE(files::replaceFile(dir / "triggers.txt", text));
    EXPECT_EQ(readFile(dir / "triggers.txt"), text);
    EXPECT_FALSE(files::replaceFile(dir / "missing" / "triggers.txt", text));
    EXPECT_EQ(std::ranges::distance(fs::directory_iterator(dir.path())), 1)
        << "no temporary file is left behind";
}

#ifndef _WIN32
// A full disk, simulated by a file-size limit in a child process: the file is replaced only
// by a complete one, and the failure is told.
TEST(ReplaceFileTest, AWriteThatDoesNotFitLeavesTheOldFileAndFails) {
    TempDir dir;
    const fs::path file = dir / "triggers.txt";
    writeFile(file, "\"Test Trigger\",\"SHOTGUN\",\"Bitch.wav\"\r\n");
    for (const std::size_t size : {std::size_t{500}, std::size_t{100000}}) {
        EXPECT_TRUE(underFileSizeLimit(
            100, [&] { return !files::replaceFile(file, std::string(size, 'x')); }))
            << size << " bytes: failed";
        EXPECT_EQ(readFile(file), "\"Test Trigger\",\"SHOTGUN\",\"Bitch.wav\"\r\n") << size;
        EXPECT_EQ(std::ranges::distance(fs::directory_iterator(dir.path())), 1)
            << "no temporary file is left behind";
    }
}
#endif

} // namespace
