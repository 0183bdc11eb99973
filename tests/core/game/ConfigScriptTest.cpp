#include "core/game/ConfigScript.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include "support/FullDisk.h"
#endif

namespace {

namespace fs = std::filesystem;

const std::string kF2Block = "//** INSERTED BY YELPCUE **\r\n"
                             "bind F2 \"exec bellcast.cfg\"\r\n"
                             "//**         END         **\r\n";

TEST(ConfigScriptTest, ChosenConfigFilesKeepsEveryNameWhole) {
    EXPECT_TRUE(chosenConfigFiles({}).empty());
    EXPECT_EQ(chosenConfigFiles({"/games/quake/id1/my config.cfg"}),
              std::vector<std::string>{"/games/quake/id1/my config.cfg"});
    EXPECT_EQ(chosenConfigFiles({"/games/quake/id1/a b.cfg", "/games/quake/id1/autoexec.cfg"}),
              (std::vector<std::string>{"/games/quake/id1", "/games/quake/id1/a b.cfg",
                                        "/games/quake/id1/autoexec.cfg"}));
}

TEST(ConfigScriptTest, ViewerShowsEveryLineFollowedByALineBreak) {
    TempDir dir;
    const std::vector<std::pair<std::string, std::string>> cases{
        {"", ""},
        {"bind a +attack\r\nname player\r\n", "bind a +attack\nname player\n"},
        {"bind a +attack\nname player", "bind a +attack\nname player\n"},
        {"one\r\rthree\n\nfive\r\n", "one\n\nthree\n\nfive\n"},
        {"\r\n", "\n"}};
    for (const auto& [bytes, shown] : cases) {
        writeFile(dir / "script.cfg", bytes);
        const ScriptText script = readScriptForViewer(dir / "script.cfg");
        EXPECT_EQ(script.problem, std::nullopt);
        EXPECT_EQ(script.text, shown) << bytes;
    }
}

TEST(ConfigScriptTest, AppendAddsTheBlockAfterTheLastByte) {
    TempDir dir;
    const fs::path script = dir / "autoexec.cfg";
    const std::vector<std::pair<std::string, std::string>> cases{
        {"name player\n", "name player\n" + kF2Block},
        {"name player", "name player\r\n" + kF2Block}};
    for (const auto& [before, after] : cases) {
        writeFile(script, before);
        EXPECT_EQ(AppendBindBlock(script, "F2"), std::nullopt);
        EXPECT_EQ(readFile(script), after) << before;
    }
}

// The window's own tests show a script that cannot be read or appended to.
TEST(ConfigScriptTest, KeyNameThatWouldAddCommandsIsRefused) {
    TempDir dir;
    writeFile(dir / "config.cfg", "name player\r\n");
    for (const char* key : {"F2", "PAUSE", "UPARROW", "a", "0", "["})
        EXPECT_TRUE(isBindableKeyName(key)) << key;
    for (const char* key : {"", "F2 \"quit\" //", "F2;quit", "F2\r\nquit", "F2\tx", "\""})
        EXPECT_TRUE(AppendBindBlock(dir / "config.cfg", key).has_value()) << key;
    EXPECT_EQ(readFile(dir / "config.cfg"), "name player\r\n");
}

#ifndef _WIN32
TEST(ConfigScriptTest, ScriptIsLeftAsItWasWhenTheDiskFillsUp) {
    TempDir dir;
    const fs::path script = dir / "config.cfg";
    const std::string before(100, 'x');
    writeFile(script, before);
    EXPECT_TRUE(underFileSizeLimit(before.size() + 20, [&] {
        const auto problem = AppendBindBlock(script, "F2");
        return problem && problem->find("left as it was") != std::string::npos;
    })) << "the failure is reported";
    EXPECT_EQ(readFile(script), before) << "no part of the block stays behind";
}
#endif

} // namespace
