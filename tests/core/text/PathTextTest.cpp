#include "core/text/PathText.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

namespace fs = std::filesystem;

TEST(PathTextTest, ListedEntryGivesBackTheTextItWasMadeFrom) {
    TempDir dir;
    fs::create_directory(dir.path() / text::toPath(kNameBeyondAscii));
    const fs::path listed = fs::directory_iterator(dir.path())->path();
    EXPECT_EQ(text::fromPath(listed.filename()), kNameBeyondAscii);
    EXPECT_EQ(text::toPath(text::fromPath(listed)), listed);
    EXPECT_EQ(text::fromPath(text::toPath("")), "");
}

#ifdef _WIN32
// Letters of Windows-1252 that Latin-1, which the standard library reads, places elsewhere.
TEST(PathTextTest, TextIsReadInTheAnsiCodePage) {
    if (GetACP() != 1252)
        GTEST_SKIP() << "the letters are those of the code page Windows-1252";
    EXPECT_EQ(text::toPath("\x80 \x8A\xF6").native(), L"\u20AC \u0160\u00F6");
}
#endif

} // namespace
