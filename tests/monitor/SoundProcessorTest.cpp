#include "monitor/SoundProcessor.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

TEST(ReadmeLocationTest, ReadmeBesideTheProgramElseWhereItIsInstalled) {
    TempDir prefix;
    fs::create_directories(prefix / "bin");
    fs::create_directories(prefix / "share" / "doc" / "yelpcue");
    const std::string bin = (prefix / "bin").string();
    EXPECT_EQ(readmeLocation(bin), (prefix / "bin" / "readme.txt").string())
        << "nothing found: the place beside the program";

    writeFile(prefix / "share" / "doc" / "yelpcue" / "readme.txt", "installed");
    EXPECT_EQ(readFile(readmeLocation(bin)), "installed");

    writeFile(prefix / "bin" / "readme.txt", "beside");
    EXPECT_EQ(readFile(readmeLocation(bin)), "beside");
}

} // namespace
