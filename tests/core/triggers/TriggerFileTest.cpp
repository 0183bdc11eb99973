#include "core/triggers/TriggerFile.h"

#include "core/triggers/TriggerImport.h"
#include "core/triggers/TriggerList.h"
#include "core/triggers/UsableTrigger.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <random>

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

TEST(TriggerFileTest, QuotesAreDoubledAndEveryTriggerReadsBackAsWritten) {
    const std::vector<Trigger> triggers{{"Say \"hi\"", "HI, THERE", "C:\\Sounds\\hi.wav", 1500},
                                        {" padded ", "\tTAB\t", "\"\""},
                                        {"two\r\nlines", "LF\nONLY", "CR\rONLY.wav"}};
    TriggerList list = listOf(triggers);
    list.resize(4);
    const std::string text = triggerfile::format(list);
    EXPECT_TRUE(text.starts_with("\"Say \"\"hi\"\"\",\"HI, THERE\",\"C:\\Sounds\\hi.wav\"\r\n"));
    EXPECT_TRUE(text.ends_with("\r\n,,\"\"\r\n")) << "an empty position, as earlier versions";
    auto expected = triggers;
    expected[0].quietMs = 0; // the file keeps its three fields
    expected.push_back({});
    EXPECT_EQ(triggerfile::parse(text), expected);
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
        ParseCase{"spaces around fields", " \tA \t,\t B , \" C \"\t \n", {{"A", "B", " C "}}},
        ParseCase{"blank lines", "\r\n\r\nA,B,C\r\n\r\n\r\n", {{"A", "B", "C"}}},
        ParseCase{"text after a closing quote", "\"A\"x,\"B\" y,\"C\"z\r\n", {{"A", "B", "C"}}},
        ParseCase{
            "fields after the third", "A,B,C,D\r\nF,G,H,\r\n", {{"A", "B", "C"}, {"F", "G", "H"}}},
        ParseCase{"LF, CR and no last line end",
                  "A,B,C\nD,E,F\rG,H,I",
                  {{"A", "B", "C"}, {"D", "E", "F"}, {"G", "H", "I"}}},
        ParseCase{"a byte order mark", "\xEF\xBB\xBF\"A\",\"B\",\"C\"\r\n", {{"A", "B", "C"}}},
        ParseCase{"a quote never closed", "A,B,\"C\r\nD,E,F", {{"A", "B", "C\r\nD,E,F"}}}));

struct ModeCase {
    const char* what;
    ImportMode mode;
    std::vector<Trigger> records;
    std::vector<Trigger> expected;
};

const std::vector<Trigger> kExisting{{"One", "ONE", "one.wav", 1500}, {"Two", "TWO", "two.wav"}};
const Trigger kNew{"New", "NEW", "new.wav"};

class TriggerImportModeTest : public testing::TestWithParam<ModeCase> {};

TEST_P(TriggerImportModeTest, AppliesValidRecordsInFileOrder) {
    TriggerList list = listOf(kExisting);
    triggerimport::importTriggers(list, GetParam().records, GetParam().mode);
    EXPECT_EQ(contentsOf(list), GetParam().expected) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Modes, TriggerImportModeTest,
    testing::Values(
        ModeCase{"Merge compares letter case and spaces",
                 ImportMode::Merge,
                 {{"one", "A", "a.wav"}, {"One ", "B", "b.wav"}, {"One", "C", "c.wav"}},
                 {kExisting[0], kExisting[1], {"one", "A", "a.wav"}, {"One ", "B", "b.wav"}}},
        ModeCase{"Replace keeps repeated names", ImportMode::Replace, {kNew, kNew}, {kNew, kNew}},
        ModeCase{"Replace keeps the quiet time of a trigger it brings back",
                 ImportMode::Replace,
                 {kNew, {"One", "ONE!", "one.wav"}},
                 {kNew, {"One", "ONE!", "one.wav", 1500}}},
        ModeCase{"blank fields",
                 ImportMode::Add,
                 {{"A", "  ", "a.wav"}, {"\t", "TAB", "tab.wav"}},
                 {kExisting[0], kExisting[1], {"\t", "TAB", "tab.wav"}}},
        ModeCase{"sound names the play script refuses",
                 ImportMode::Add,
                 {{"A", "A", "a;quit.wav"},
                  {"B", "B", "C:\\x\\\"b.wav"},
                  {"C", "C", "c\n.wav"},
                  {"D", "D", "C:\\semi;colon\\d.wav"}},
                 {kExisting[0], kExisting[1], {"D", "D", "C:\\semi;colon\\d.wav"}}}));

TEST(TriggerImportTest, StopsWhenTheListIsFull) {
    TriggerList list;
    list.resize(TriggerList::kMaxCount - 1);
    auto result = triggerimport::importTriggers(list, {kNew, kNew, kNew}, ImportMode::Add);
    EXPECT_EQ(result.imported, 1);
    EXPECT_TRUE(result.listFull);
    EXPECT_EQ(list.at(TriggerList::kMaxCount), kNew);

    result = triggerimport::importTriggers(
        list, std::vector<Trigger>(TriggerList::kMaxCount + 5, kNew), ImportMode::Replace);
    EXPECT_EQ(result.imported, TriggerList::kMaxCount);
    EXPECT_TRUE(result.listFull);
}

TEST(TriggerImportTest, AFileOf100000LinesFillsTheListAndSaysTheRestWasLeftOut) {
    TempDir dir;
    std::string text;
    for (int i = 0; i < 100000; ++i)
        text +=
            "\"Trigger " + std::to_string(i) + "\",\"KEY" + std::to_string(i) + "\",\"s.wav\"\r\n";
    writeFile(dir / "huge.txt", text);
    TriggerList list;
    const auto outcome =
        triggerimport::importFile((dir / "huge.txt").string(), ImportMode::Add, list);
    EXPECT_TRUE(outcome.finished);
    ASSERT_TRUE(outcome.message.has_value());
    EXPECT_NE(outcome.message->text.find("Imported : 32767 triggers"), std::string::npos);
    ASSERT_EQ(list.TriggerCount(), TriggerList::kMaxCount);
    EXPECT_EQ(list.at(TriggerList::kMaxCount).name, "Trigger 32766");
}

TEST(TriggerImportTest, AFileOfRandomBytesTakesOnlyWhatIsValid) {
    TempDir dir;
    std::mt19937 random(5);
    for (int file = 0; file < 20; ++file) {
        std::string noise(1 << 14, '\0');
        for (char& c : noise)
            c = static_cast<char>(random());
        writeFile(dir / "noise.txt", noise);
        TriggerList list = listOf({kExisting[0]});
        const auto outcome =
            triggerimport::importFile((dir / "noise.txt").string(), ImportMode::Merge, list);
        EXPECT_TRUE(outcome.finished);
        EXPECT_EQ(list.at(1), kExisting[0]);
        for (int position = 2; position <= list.TriggerCount(); ++position)
            EXPECT_FALSE(unusableTrigger(list.at(position))) << position;
    }
}

} // namespace
