#include "core/session/LineCutter.h"

#include "core/session/ConsoleLogFollower.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using Lines = std::vector<std::string>;

Lines cutInPieces(std::string_view text, std::vector<std::size_t> cuts) {
    LineCutter cutter;
    Lines lines;
    std::size_t start = 0;
    cuts.push_back(text.size());
    for (const std::size_t cut : cuts) {
        for (auto& line : cutter.SplitLines(text.substr(start, cut - start)))
            lines.push_back(std::move(line));
        start = cut;
    }
    return lines;
}

TEST(LineCutterTest, WhereTheReadsFallChangesNoLine) {
    // NUL bytes: the gap a game writing on at its own place leaves in a cleared log.
    const std::string text = "Bob: SHOTGUN\r\n\r\n\0\0Alice: quad\nx\r\rla\0st\n\rhalf"s;
    const Lines whole = cutInPieces(text, {});
    ASSERT_EQ(whole, (Lines{"Bob: SHOTGUN", "", "Alice: quad", "x", "", "last", ""}));
    for (std::size_t first = 0; first <= text.size(); ++first) {
        for (std::size_t second = first; second <= text.size(); ++second)
            EXPECT_EQ(cutInPieces(text, {first, second}), whole) << first << "," << second;
    }
    std::vector<std::size_t> everyByte;
    for (std::size_t i = 1; i < text.size(); ++i)
        everyByte.push_back(i);
    EXPECT_EQ(cutInPieces(text, everyByte), whole);
}

TEST(LineCutterTest, LineWithoutEndIsCutAtTheLimitAndALineEndRightAfterAddsNoEmptyLine) {
    const std::string limit(LineCutter::kMaxLineBytes, 'x');
    EXPECT_EQ(cutInPieces(limit + "yz\n", {1000, LineCutter::kMaxLineBytes - 1}),
              (Lines{limit, "yz"}));
    for (const std::string end : {"\r\n", "\n", "\r"}) {
        for (const std::size_t cut : {std::size_t{0}, LineCutter::kMaxLineBytes}) {
            EXPECT_EQ(cutInPieces(limit + end + "next\n", {cut}), (Lines{limit, "next"})) << cut;
            EXPECT_EQ(cutInPieces(limit + limit + end + end, {cut}), (Lines{limit, limit, ""}))
                << "a second line end is an empty line of its own";
        }
    }
}

TEST(ConsoleLogFollowerTest, PathThatIsNoFileCountsAsAnEmptyLog) {
    TempDir dir;
    ConsoleLogFollower follower;
    for (const fs::path& path : {dir / "missing.log", dir.path(), fs::path()}) {
        EXPECT_EQ(follower.measure(path), 0) << path;
        EXPECT_FALSE(follower.hasUnreadText());
        EXPECT_TRUE(follower.readNewLines(path).empty());
    }
}

} // namespace
