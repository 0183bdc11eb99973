#include "core/game/FileRoutines.h"

#include "core/text/Text.h"
#include "support/FakePrompter.h"
#include "support/Recorders.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

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

    std::vector<std::string> shownTexts() const {
        std::vector<std::string> texts;
        for (const auto& message : prompter.shown)
            texts.push_back(message.text);
        return texts;
    }
    bool onlyTheTwoFilesExist() const {
        return std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()) == 2;
    }
};

TEST_F(CopyFileWithPromptTest, CopiesInChunksOf1024AndReportsThePercentageDone) {
    struct Case {
        std::size_t size;
        std::vector<int> progress;
    };
    for (const Case& c : {Case{1024, {100}}, Case{1025, {100, 100}}, Case{2048, {50, 100}},
                          Case{4096, {25, 50, 75, 100}}}) {
        std::string bytes(c.size, '\0');
        for (std::size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<char>(i * 7);
        writeFile(source, bytes);
        fs::remove(destination);
        progress.values.clear();

        EXPECT_EQ(CopyFileWithPrompt(source, destination, prompter, &progress), c.size);
        EXPECT_EQ(readFile(destination), bytes);
        EXPECT_EQ(progress.values, c.progress) << c.size << " bytes";
    }
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_TRUE(onlyTheTwoFilesExist()) << "no temporary file is left behind";
}

TEST_F(CopyFileWithPromptTest, MissingSourceIsReportedAndCreatesNothing) {
    EXPECT_EQ(CopyFileWithPrompt(source, destination, prompter), 0u);
    EXPECT_EQ(shownTexts(), std::vector<std::string>{"File not found"});
    EXPECT_EQ(prompter.shown[0].title, "") << "the application's title";
    EXPECT_FALSE(fs::exists(destination));
}

TEST_F(CopyFileWithPromptTest, ExistingDestinationIsReplacedOnlyOnYes) {
    writeFile(source, "new contents");
    writeFile(destination, "old contents");

    prompter.answers = {Prompter::Answer::No};
    EXPECT_EQ(CopyFileWithPrompt(source, destination, prompter), 0u);
    ASSERT_EQ(prompter.shown.size(), 1u);
    const auto& question = prompter.shown[0];
    EXPECT_EQ(question.text,
              text::toUpperAscii(destination.string()) + "\r\nFile exists. Overwrite?");
    EXPECT_EQ(question.buttons, Prompter::Buttons::YesNo);
    EXPECT_EQ(question.icon, Prompter::Icon::None);
    EXPECT_EQ(readFile(destination), "old contents");

    prompter.answers = {Prompter::Answer::Yes};
    EXPECT_EQ(CopyFileWithPrompt(source, destination, prompter), 12u);
    EXPECT_EQ(readFile(destination), "new contents");
    EXPECT_EQ(prompter.shown.size(), 2u) << "no message after a successful copy";
}

TEST_F(CopyFileWithPromptTest, EmptySourceGivesAnEmptyDestinationAndNothingCopied) {
    writeFile(source, "");
    EXPECT_EQ(CopyFileWithPrompt(source, destination, prompter, &progress), 0u);
    EXPECT_TRUE(fs::exists(destination));
    EXPECT_EQ(fs::file_size(destination), 0u);
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(CopyFileWithPromptTest, TextTheSourceGainsDuringTheCopyIsCopiedToo) {
    const std::string first(3000, 'a');
    writeFile(source, first);
    // The game writes while the copy runs: the first progress report appends to the source.
    class GrowingSource final : public Progress {
    public:
        explicit GrowingSource(fs::path path)
            : m_path(std::move(path)) {}
        void start(int, int) override {}
        void setValue(int) override {
            if (!m_grown)
                appendFile(m_path, "late line\r\n");
            m_grown = true;
        }
        void finish() override {}

    private:
        fs::path m_path;
        bool m_grown = false;
    } growing(source);

    EXPECT_EQ(CopyFileWithPrompt(source, destination, prompter, &growing), 3011u);
    EXPECT_EQ(readFile(destination), first + "late line\r\n");
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
    EXPECT_FALSE(isSameFile(source, destination));
}

#ifndef _WIN32
// A full disk, simulated by a file-size limit in a child process.
TEST_F(CopyFileWithPromptTest, FailedCopyLeavesTheExistingDestinationIntact) {
    writeFile(source, std::string(5000, 'n'));
    writeFile(destination, "old match file");
    EXPECT_TRUE(underFileSizeLimit(1000, [&] {
        prompter.answers = {Prompter::Answer::Yes};
        return CopyFileWithPrompt(source, destination, prompter) == 0 &&
               prompter.shown.back().text == "Copy Error!";
    })) << "reported as Copy Error!";
    EXPECT_EQ(readFile(destination), "old match file");
    EXPECT_TRUE(onlyTheTwoFilesExist()) << "the partial copy is removed";
}
#else
// Another program has the destination open, and Windows does not replace an open file.
TEST_F(CopyFileWithPromptTest, FailedCopyLeavesTheExistingDestinationIntact) {
    writeFile(source, std::string(5000, 'n'));
    writeFile(destination, "old match file");
    const HANDLE held = CreateFileW(destination.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    prompter.answers = {Prompter::Answer::Yes};
    const auto copied = CopyFileWithPrompt(source, destination, prompter);
    CloseHandle(held);
    EXPECT_EQ(copied, 0u);
    EXPECT_EQ(shownTexts().back(), "Copy Error!");
    EXPECT_EQ(readFile(destination), "old match file");
    EXPECT_TRUE(onlyTheTwoFilesExist()) << "the partial copy is removed";
}
#endif

TEST(ParentPathTest, CutsTheLastSeparatorAndWhatFollows) {
    EXPECT_EQ(ParentPath("/games/quake/fortress/qconsole.log"), "/games/quake/fortress");
    EXPECT_EQ(ParentPath("/games/quake/fortress/"), "/games/quake/fortress");
    EXPECT_EQ(ParentPath("/qconsole.log"), "");
    EXPECT_EQ(ParentPath("qconsole.log"), "qconsole.log");
#ifdef _WIN32
    EXPECT_EQ(ParentPath("C:\\QUAKE\\fortress\\qconsole.log"), "C:\\QUAKE\\fortress");
#endif
}

} // namespace
