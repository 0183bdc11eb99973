#include "core/triggers/TriggerFile.h"

#include "core/triggers/TriggerImport.h"
#include "core/triggers/TriggerList.h"

#include <gtest/gtest.h>

namespace {

using triggerimport::ImportMode;
using Triggers = std::vector<Trigger>;

TriggerList listOf(const Triggers& triggers) {
    TriggerList list;
    for (const Trigger& trigger : triggers)
        list.append(trigger);
    return list;
}

Triggers contentsOf(const TriggerList& list) {
    Triggers triggers;
    for (int position = 1; position <= list.TriggerCount(); ++position)
        triggers.push_back(list.at(position));
    return triggers;
}

TEST(TriggerFileTest, QuotesAreDoubledAndEveryTriggerReadsBackAsWritten) {
    const Triggers triggers{{"Say \"hi\"", "HI, THERE", "C:\\Sounds\\hi.wav", 1500},
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

TEST(TriggerFileTest, ReadsOneTriggerPerLine) {
    for (const auto& [text, records] : std::vector<std::pair<std::string, Triggers>>{
             {" \tA \t,\t B , \" C \"\t \n", {{"A", "B", " C "}}},
             {"\r\n\r\nA,B,C\r\n\r\n\r\n", {{"A", "B", "C"}}},
             {"\"A\"x,\"B\" y,\"C\"z\r\n", {{"A", "B", "C"}}},
             {"A,B,C,D\r\nF,G,H,\r\n", {{"A", "B", "C"}, {"F", "G", "H"}}},
             {"A,B,C\nD,E,F\rG,H,I", {{"A", "B", "C"}, {"D", "E", "F"}, {"G", "H", "I"}}},
             {"\xEF\xBB\xBF\"A\",\"B\",\"C\"\r\n", {{"A", "B", "C"}}}, // saved by Notepad
             {"A,B,\"C\r\nD,E,F", {{"A", "B", "C\r\nD,E,F"}}}})        // a quote never closed
        EXPECT_EQ(triggerfile::parse(text), records) << text;
}

TEST(TriggerImportTest, AppliesValidRecordsInFileOrder) {
    const auto any = text::Callers::AnyLine;
    const Triggers existing{{"One", "ONE", "one.wav", 1500, any}, {"Two", "TWO", "two.wav"}};
    const Trigger n{"New", "NEW", "new.wav"};
    struct Row {
        const char* what;
        ImportMode mode;
        Triggers records;
        Triggers added; // after the existing triggers, or in their place for Replace
    };
    for (const Row& r : {Row{"Merge compares letter case and spaces",
                             ImportMode::Merge,
                             {{"one", "A", "a.wav"}, {"One ", "B", "b.wav"}, {"One", "C", "c.wav"}},
                             {{"one", "A", "a.wav"}, {"One ", "B", "b.wav"}}},
                         Row{"Replace keeps repeated names", ImportMode::Replace, {n, n}, {n, n}},
                         Row{"Replace keeps the quiet time and callers of a trigger it "
                             "brings back",
                             ImportMode::Replace,
                             {n, {"One", "ONE!", "one.wav"}},
                             {n, {"One", "ONE!", "one.wav", 1500, any}}},
                         Row{"blank fields",
                             ImportMode::Add,
                             {{"A", "  ", "a.wav"}, {"\t", "TAB", "tab.wav"}},
                             {{"\t", "TAB", "tab.wav"}}},
                         Row{"sound names the play script refuses",
                             ImportMode::Add,
                             {{"A", "A", "a;quit.wav"},
                              {"B", "B", "C:\\x\\\"b.wav"},
                              {"C", "C", "c\n.wav"},
                              {"D", "D", "C:\\semi;colon\\d.wav"}},
                             {{"D", "D", "C:\\semi;colon\\d.wav"}}}}) {
        TriggerList list = listOf(existing);
        triggerimport::importTriggers(list, r.records, r.mode);
        Triggers expected = r.mode == ImportMode::Replace ? Triggers{} : existing;
        expected.insert(expected.end(), r.added.begin(), r.added.end());
        EXPECT_EQ(contentsOf(list), expected) << r.what;
    }
    // A file of no valid trigger replaces nothing.
    TriggerList list = listOf(existing);
    triggerimport::importTriggers(list, {{"A", "  ", "a.wav"}}, ImportMode::Replace);
    EXPECT_EQ(contentsOf(list), existing);
}

// The import window's test fills the last place by Add; Replace stops at the largest count.
TEST(TriggerImportTest, ReplaceStopsWhenTheListIsFull) {
    TriggerList list;
    const auto result = triggerimport::importTriggers(
        list, Triggers(TriggerList::kMaxCount + 5, {"New", "NEW", "new.wav"}), ImportMode::Replace);
    EXPECT_EQ(result.imported, TriggerList::kMaxCount);
    EXPECT_TRUE(result.listFull);
    EXPECT_EQ(list.TriggerCount(), TriggerList::kMaxCount);
    list.resize(TriggerList::kMaxCount + 5);
    EXPECT_EQ(list.TriggerCount(), TriggerList::kMaxCount);
}

} // namespace
