// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/game/ConfigScript.h"

#include "core/game/KeyList.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include "support/FullDisk.h"
#endif

namespace {

namespace fs = std::filesystem;
using Paths = std::vector<std::string>;

const std::string kF2Block = "//** INSERTED BY YELPCUE **\r\n"
                             "bind F2 \"exec bellcast.cfg\"\r\n"
                             "//**         END         **\r\n";

// One chosen script as it is; several as their directory and their paths, the second offered.
TEST(ConfigScriptTest, ChosenScriptsKeepEveryNameWholeAndTheSecondOfSeveralIsOffered) {
    EXPECT_TRUE(chosenConfigFiles({}).empty());
    EXPECT_EQ(chosenConfigFiles({"/q/id1/my config.cfg"}), Paths{"/q/id1/my config.cfg"});
    const auto chosen = chosenConfigFiles({"/q/id1/a b.cfg", "/q/id1/autoexec.cfg"});
    EXPECT_EQ(chosen, (Paths{"/q/id1", "/q/id1/a b.cfg", "/q/id1/autoexec.cfg"}));
    const OfferedScripts offered = scriptsToOffer(chosen);
    EXPECT_EQ(offered.paths, (Paths{"/q/id1/a b.cfg", "/q/id1/autoexec.cfg"}));
    EXPECT_EQ(offered.selected, 1);
}

TEST(ConfigScriptTest, ViewerShowsEveryLineFollowedByALineBreak) {
    TempDir dir;
    for (const auto& [bytes, shown] :
         {std::pair{"", ""},
          {"bind a +attack\r\nname player", "bind a +attack\nname player\n"},
          {"one\r\rthree\n\nfive\r\n", "one\n\nthree\n\nfive\n"}}) {
        writeFile(dir / "script.cfg", bytes);
        const ScriptText script = readScriptForViewer(dir / "script.cfg");
        EXPECT_EQ(script.problem, std::nullopt);
        EXPECT_EQ(script.text, shown) << bytes;
    }
}

// The window's own tests show a script that cannot be read or appended to.
TEST(ConfigScriptTest, AppendAddsTheBlockAfterTheLastByteForAKeyNameOnly) {
    TempDir dir;
    const fs::path script = dir / "autoexec.cfg";
    const std::tuple<std::string, GameFamily, std::string> cases[]{
        {"name player\n", GameFamily::Quake, "name player\n" + kF2Block},
        {"name player", GameFamily::Quake, "name player\r\n" + kF2Block},
        // Quake III writes its log only when told so, in every start.
        {"", GameFamily::QuakeIII,
         "//** INSERTED BY YELPCUE **\r\nset logfile 2\r\nbind F2 \"exec bellcast.cfg\"\r\n"
         "//**         END         **\r\n"}};
    for (const auto& [before, family, after] : cases) {
        writeFile(script, before);
        EXPECT_EQ(AppendBindBlock(script, "F2", family), std::nullopt);
        EXPECT_EQ(readFile(script), after) << before;
    }
    writeFile(script, "name player\r\n");
    for (const char* key : {"F2", "PAUSE", "UPARROW", "a", "0", "[", "/"})
        EXPECT_TRUE(isBindableKeyName(key)) << key;
    for (const char* key :
         {"", "F2 quit", "F2;quit", "F2//x", "F2$x", "F2\r\nquit", "F2\tx", "F2\x7F", "\""})
        EXPECT_TRUE(AppendBindBlock(script, key, GameFamily::Quake).has_value()) << key;
    EXPECT_EQ(readFile(script), "name player\r\n");
}

#ifndef _WIN32
TEST(ConfigScriptTest, ScriptIsLeftAsItWasWhenTheDiskFillsUp) {
    TempDir dir;
    const fs::path script = dir / "config.cfg";
    const std::string before(100, 'x');
    writeFile(script, before);
    EXPECT_TRUE(underFileSizeLimit(before.size() + 20, [&] {
        const auto problem = AppendBindBlock(script, "F2", GameFamily::Quake);
        return problem && problem->find("left as it was") != std::string::npos;
    })) << "the failure is reported";
    EXPECT_EQ(readFile(script), before) << "no part of the block stays behind";
}
#endif

// The stored Selected_Key is a position in the list of the game's key names.
TEST(KeyListTest, StoredPositionNamesTheGamesKeyOnlyWithinTheList) {
    const auto& keys = keylist::entries();
    using Row = std::pair<const char*, const char*>;
    for (const auto& [stored, key] :
         {Row{"0", "F1"}, Row{"11", "F12"}, Row{"12", "a"}, Row{"38", "0"}, Row{"59", "PGUP"},
          Row{"60", "TAB"}, Row{"61", ""}, Row{"-1", ""}, Row{"abc", ""},
          Row{"99999999999999999999", ""}}) {
        const auto position = keylist::positionFromSetting(stored);
        EXPECT_EQ(position ? keys[static_cast<std::size_t>(*position)] : "", key) << stored;
    }
}

} // namespace
