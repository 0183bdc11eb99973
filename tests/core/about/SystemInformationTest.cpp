// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/about/SystemInformation.h"

#include "support/FakeLauncher.h"
#include "support/FakePrompter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

#ifndef _WIN32
void makeProgram(const fs::path& path, bool executable) {
    writeFile(path, "#!/bin/sh\n");
    fs::permissions(path, executable ? fs::perms::owner_all : fs::perms::owner_read);
}

TEST(SystemInformationTest, FirstNameFoundAsAnExecutableOnThePathWins) {
    TempDir first, second;
    makeProgram(first / "kinfocenter", false);
    makeProgram(second / "kinfocenter", true);
    makeProgram(second / "hardinfo", true);
    fs::create_directory(first / "lxtask");
    const std::string path = first.path().string() + "::" + second.path().string();

    EXPECT_EQ(systeminfo::findOnPath({"hardinfo", "kinfocenter"}, path),
              (second / "hardinfo").string());
    EXPECT_EQ(systeminfo::findOnPath({"kinfocenter"}, path), (second / "kinfocenter").string())
        << "a file without the execute permission is passed over";
    EXPECT_EQ(systeminfo::findOnPath({"lxtask", "missing"}, path), std::nullopt)
        << "a directory is not a program";
    EXPECT_EQ(systeminfo::findOnPath({"hardinfo"}, ""), std::nullopt);
}
#endif

TEST(SystemInformationTest, AProgramMissingOrFailingToStartIsTold) {
    FakeLauncher launcher;
    FakePrompter prompter;
    systeminfo::StartSysInfo(std::nullopt, launcher, prompter);
    launcher.succeeds = false;
    systeminfo::StartSysInfo("/usr/bin/hardinfo", launcher, prompter);
    launcher.succeeds = true;
    systeminfo::StartSysInfo("/usr/bin/hardinfo", launcher, prompter);
    ASSERT_EQ(prompter.shown.size(), 2u);
    EXPECT_EQ(prompter.shown[1].text, "System Information Is Unavailable At This Time");
    EXPECT_EQ(launcher.started.size(), 2u);
}

} // namespace
