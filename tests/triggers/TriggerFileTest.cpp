#include "triggers/TriggerFile.h"
#include "support/TempDir.h"
#include "triggers/TriggerImport.h"
#include "triggers/TriggerList.h"

#include <gtest/gtest.h>

namespace {

using triggerimport::ImportMode;

TriggerList listOf(const std::vector<Trigger>& triggers) {
    TriggerList list;
    for (const Trigger& trigger : triggers)
        list.append(trigger);
    return list;
}

std::vector<Trigger> contentsOf(const TriggerList& list) {
    std::vector<Trigger> triggers;
    for (int position = 1; position <= list.TriggerCount(); ++position)
        triggers.push_back(list.at(position));
    return triggers;
}

TEST(TriggerFileTest, WritesQuotedFieldsWithCrLfAndEmptyPositionsAsEarlierVersionsDid) {
    TriggerList list = listOf({{"Test Trigger", "SHOTGUN", "Bitch.wav"},
                               {"Say \"hi\"", "HI, THERE", "C:\\Sounds\\hi.wav"}});
    list.resize(3);
    EXPECT_EQ(triggerfile::format(list),
              "\"Test Trigger\",\"SHOTGUN\",\"Bitch.wav\"\r\n"
              "\"Say \"\"hi\"\"\",\"HI, THERE\",\"C:\\Sounds\\hi.wav\"\r\n"
              ",,\"\"\r\n");
}

TEST(TriggerFileTest, EveryTriggerReadsBackAsWritten) {
    const std::vector<Trigger> triggers{
        {"Test Trigger", "SHOTGUN", "Bitch.wav"},
        {"Say \"hi\"", "\"", "x\"\".wav"},
        {" padded ", "\tTAB\t", "a, b.wav"},
        {"two\r\nlines", "LF\nONLY", "CR\rONLY.wav"},
    };
    EXPECT_EQ(triggerfile::parse(triggerfile::format(listOf(triggers))), triggers);
}

struct ParseCase {
    const char* what;
    std::string_view text;
    std::vector<Trigger> records;
};

class TriggerFileParseTest : public testing::TestWithParam<ParseCase> {};

TEST_P(TriggerFileParseTest, ReadsOneTriggerPerLine) {
    EXPECT_EQ(triggerfile::parse(GetParam().text), GetParam().records) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, TriggerFileParseTest,
    testing::Values(
        ParseCase{
            "spaces and tabs around unquoted fields", " \tA \t,\t B ,  C\t \n", {{"A", "B", "C"}}},
        ParseCase{"spaces inside quotes are kept", "\" A \", \"B\" ,\"C \"", {{" A ", "B", "C "}}},
        ParseCase{"a quoted line end",
                  "\"a\r\nb\",K,x.wav\r\nN,K2,y.wav\r\n",
                  {{"a\r\nb", "K", "x.wav"}, {"N", "K2", "y.wav"}}},
        ParseCase{"doubled quotes", "\"\"\"q\"\"\",K,x.wav", {{"\"q\"", "K", "x.wav"}}},
        ParseCase{"blank lines", "\r\n\r\nA,B,C\r\n\r\n\r\n", {{"A", "B", "C"}}},
        ParseCase{"the line of an empty position", ",,\"\"\r\n", {{"", "", ""}}},
        ParseCase{"text after a closing quote", "\"A\"x,\"B\" y,\"C\"z\r\n", {{"A", "B", "C"}}},
        ParseCase{"fields after the third",
                  "A,B,C,D,E\r\nF,G,H,\r\n",
                  {{"A", "B", "C"}, {"F", "G", "H"}}},
        ParseCase{"no line end after the last line",
                  "A,B,C\r\nD,E,F",
                  {{"A", "B", "C"}, {"D", "E", "F"}}},
        ParseCase{"LF and CR line ends",
                  "A,B,C\nD,E,F\rG,H,I",
                  {{"A", "B", "C"}, {"D", "E", "F"}, {"G", "H", "I"}}},
        ParseCase{"a byte order mark", "\xEF\xBB\xBF\"A\",\"B\",\"C\"\r\n", {{"A", "B", "C"}}},
        ParseCase{
            "a quote never closed runs to the end", "A,B,\"C\r\nD,E,F", {{"A", "B", "C\r\nD,E,F"}}},
        ParseCase{"an empty file", "", {}}));

TEST(TriggerFileTest, AFileThatCannotBeReadGivesNothing) {
    TempDir dir;
    EXPECT_FALSE(triggerfile::read(dir / "missing.txt"));
    EXPECT_FALSE(triggerfile::read(dir.path()));
    writeFile(dir / "t.txt", "A,B,C\r\n");
    EXPECT_EQ(triggerfile::read(dir / "t.txt"), (std::vector<Trigger>{{"A", "B", "C"}}));
}

struct ModeCase {
    const char* what;
    ImportMode mode;
    std::vector<Trigger> records;
    std::vector<Trigger> expected;
    int imported;
};

const std::vector<Trigger> kExisting{{"One", "ONE", "one.wav"}, {"Two", "TWO", "two.wav"}};

class TriggerImportModeTest : public testing::TestWithParam<ModeCase> {};

TEST_P(TriggerImportModeTest, AppliesValidRecordsInFileOrder) {
    TriggerList list = listOf(kExisting);
    const auto result = triggerimport::importTriggers(list, GetParam().records, GetParam().mode);
    EXPECT_EQ(contentsOf(list), GetParam().expected) << GetParam().what;
    EXPECT_EQ(result.imported, GetParam().imported);
    EXPECT_FALSE(result.listFull);
}

const Trigger kNew{"New", "NEW", "new.wav"};

INSTANTIATE_TEST_SUITE_P(
    Modes, TriggerImportModeTest,
    testing::Values(
        ModeCase{"Merge compares letter case and spaces",
                 ImportMode::Merge,
                 {{"one", "A", "a.wav"}, {"One ", "B", "b.wav"}, {"One", "C", "c.wav"}},
                 {kExisting[0], kExisting[1], {"one", "A", "a.wav"}, {"One ", "B", "b.wav"}},
                 2},
        ModeCase{
            "Replace keeps repeated names", ImportMode::Replace, {kNew, kNew}, {kNew, kNew}, 2},
        ModeCase{"blank fields are skipped",
                 ImportMode::Add,
                 {{"", "", ""}, {"A", "  ", "a.wav"}, {"\t", "TAB", "tab.wav"}},
                 {kExisting[0], kExisting[1], {"\t", "TAB", "tab.wav"}},
                 1},
        ModeCase{"sound names the play script refuses are skipped",
                 ImportMode::Add,
                 {{"A", "A", "a;quit.wav"},
                  {"B", "B", "C:\\x\\\"b.wav"},
                  {"C", "C", "c\n.wav"},
                  {"D", "D", "C:\\semi;colon\\d.wav"}},
                 {kExisting[0], kExisting[1], {"D", "D", "C:\\semi;colon\\d.wav"}},
                 1}));

TEST(TriggerImportTest, StopsWhenTheListIsFull) {
    TriggerList list;
    list.resize(TriggerList::kMaxCount - 1);
    auto result = triggerimport::importTriggers(list, {kNew, kNew, kNew}, ImportMode::Add);
    EXPECT_EQ(result.imported, 1);
    EXPECT_TRUE(result.listFull);
    EXPECT_EQ(list.TriggerCount(), TriggerList::kMaxCount);
    EXPECT_EQ(list.at(TriggerList::kMaxCount), kNew);

    const std::vector<Trigger> many(TriggerList::kMaxCount + 5, kNew);
    result = triggerimport::importTriggers(list, many, ImportMode::Replace);
    EXPECT_EQ(result.imported, TriggerList::kMaxCount);
    EXPECT_TRUE(result.listFull);
}

TEST(TriggerImportTest, AFullListIsReportedAndAnUnreadableFileChangesNothing) {
    TempDir dir;
    TriggerList list = listOf(kExisting);
    auto outcome =
        triggerimport::importFile((dir / "missing.txt").string(), ImportMode::Replace, list);
    EXPECT_FALSE(outcome.finished);
    ASSERT_TRUE(outcome.message);
    EXPECT_EQ(outcome.message->text,
              "Could not read the trigger file : " + (dir / "missing.txt").string());
    EXPECT_EQ(outcome.message->icon, Prompter::Icon::Critical);
    EXPECT_EQ(contentsOf(list), kExisting);

    writeFile(dir / "t.txt", "A,B,c.wav\r\nD,E,f.wav\r\n");
    list.resize(TriggerList::kMaxCount - 1);
    outcome = triggerimport::importFile((dir / "t.txt").string(), ImportMode::Add, list);
    EXPECT_TRUE(outcome.finished);
    ASSERT_TRUE(outcome.message);
    EXPECT_EQ(outcome.message->text,
              "The trigger list is full: it holds at most 32767 triggers.\r\nImported : 1 "
              "triggers, the rest of the file was left out.");
    EXPECT_EQ(list.at(TriggerList::kMaxCount), (Trigger{"A", "B", "c.wav"}));
}

} // namespace
