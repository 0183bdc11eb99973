// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/game/FileRoutines.h"

#include "core/text/Text.h"
#include "support/FakePrompter.h"
#include "support/Recorders.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <utility>

#ifdef _WIN32
#include <windows.h>
#else
#include "support/FullDisk.h"
#endif

namespace {

namespace fs = std::filesystem;

class CopyFileWithPromptTest : public testing::Test {
protected:
    TempDir dir;
    FakePrompter prompter;
    RecordingProgress progress;
    fs::path source = dir / "source.bin";
    fs::path destination = dir / "destination.bin";

    bool onlyTheTwoFilesExist() const {
        return std::ranges::distance(fs::directory_iterator(dir.path())) == 2;
    }
};

TEST_F(CopyFileWithPromptTest, CopiesWholeWithProgressAndOverwritesOnlyOnYes) {
    // The files before and after (nullptr: missing), the answer to Overwrite?, bytes copied,
    // the one box shown ("": none), progress.
    using Row = std::tuple<const char*, const char*, Prompter::Answer, std::size_t, const char*,
                           std::string, std::vector<int>>;
    const std::string question =
        text::toUpperAscii(destination.string()) + "\r\nFile exists. Overwrite?";
    const std::string big(4096, 'b');
    for (const auto& [sourceText, destinationText, answer, copied, after, shown, steps] :
         {Row{"new", "old", Prompter::Answer::No, 0, "old", question, {}},
          Row{"new", "old", Prompter::Answer::Yes, 3, "new", question, {100}},
          Row{nullptr, nullptr, {}, 0, nullptr, "File not found", {}},
          Row{"", nullptr, {}, 0, "", "", {}},
          Row{big.c_str(), nullptr, {}, 4096, big.c_str(), "", {25, 50, 75, 100}}}) {
        for (const auto& [path, text] :
             {std::pair{source, sourceText}, {destination, destinationText}}) {
            fs::remove(path);
            if (text)
                writeFile(path, text);
        }
        prompter.shown.clear();
        prompter.answers = {answer};
        progress.values.clear();
        EXPECT_EQ(CopyFileWithPrompt(source, destination, prompter, &progress), copied);
        EXPECT_EQ(fs::exists(destination) ? readFile(destination) : "(none)",
                  after ? after : "(none)");
        EXPECT_EQ(prompter.shown.size() == 1 ? prompter.shown[0].text : "", shown);
        EXPECT_EQ(progress.values, steps) << copied;
    }
    EXPECT_TRUE(onlyTheTwoFilesExist()) << "no temporary file is left behind";
}

// The game writes while the copy runs: in the middle, and after the last byte was read.
TEST_F(CopyFileWithPromptTest, TextTheSourceGainsDuringTheCopyIsCopiedToo) {
    const std::string first(3000, 'a');
    for (const int atPercent : {1, 100}) {
        writeFile(source, first);
        fs::remove(destination);
        RecordingProgress growing;
        growing.onValue = [&, grown = false](int value) mutable {
            if (value >= atPercent && !std::exchange(grown, true))
                appendFile(source, "late line\r\n");
        };
        EXPECT_EQ(CopyFileWithPrompt(source, destination, prompter, &growing), 3011u);
        EXPECT_EQ(readFile(destination), first + "late line\r\n") << atPercent;
    }
}

TEST_F(CopyFileWithPromptTest, SameFileUnderAnotherSpellingIsNeverCopiedOntoItself) {
    writeFile(source, "precious");
    fs::create_directory(dir / "sub");
    std::vector<fs::path> others{dir / "sub" / ".." / "source.bin"};
#ifdef _WIN32
    // Letter case does not matter to the file system (and symbolic links need privileges).
    others.push_back(dir / "SOURCE.BIN");
#else
    fs::create_symlink(source, dir / "link.bin");
    others.push_back(dir / "link.bin");
#endif
    for (const fs::path& other : others) {
        EXPECT_TRUE(isSameFile(source, other)) << other;
        EXPECT_EQ(CopyFileWithPrompt(source, other, prompter), 0u) << other;
    }
    EXPECT_TRUE(prompter.shown.empty()) << "no question about overwriting a file with itself";
    EXPECT_EQ(readFile(source), "precious");
}

// A failed copy: a full disk (a file-size limit in a child process), or on Windows another
// program holding the destination open, which Windows does not replace.
TEST_F(CopyFileWithPromptTest, FailedCopyLeavesTheExistingDestinationIntact) {
    writeFile(source, std::string(5000, 'n'));
    writeFile(destination, "old match file");
    prompter.answers = {Prompter::Answer::Yes};
    const auto failsWithCopyError = [&] {
        return CopyFileWithPrompt(source, destination, prompter) == 0 &&
               prompter.shown.back().text == "Copy Error!";
    };
#ifdef _WIN32
    const HANDLE held = CreateFileW(destination.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(failsWithCopyError());
    CloseHandle(held);
#else
    EXPECT_TRUE(underFileSizeLimit(1000, failsWithCopyError));
#endif
    EXPECT_EQ(readFile(destination), "old match file");
    EXPECT_TRUE(onlyTheTwoFilesExist()) << "the partial copy is removed";
}

} // namespace
