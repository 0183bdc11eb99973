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
    using enum ImportMode;
    const Trigger n{"New", "NEW", "new.wav"}, lower{"one", "A", "a.wav"},
        spaced{"One ", "B", "b.wav"}, same{"One", "C", "c.wav"}, blank{"A", "  ", "a.wav"},
        tab{"\t", "TAB", "tab.wav"}, oneAgain{"One", "ONE!", "one.wav"},
        oneKept{"One", "ONE!", "one.wav", 1500, any}, semicolon{"A", "A", "a;quit.wav"},
        quote{"B", "B", "C:\\x\\\"b.wav"}, newline{"C", "C", "c\n.wav"},
        semicolonDir{"D", "D", "C:\\semi;colon\\d.wav"};
    // Added: after the existing triggers, or in their place for Replace.
    using Row = std::tuple<const char*, ImportMode, Triggers, Triggers>;
    for (const auto& [what, mode, records, added] :
         {Row{"Merge tells letter case and spaces", Merge, {lower, spaced, same}, {lower, spaced}},
          Row{"Replace keeps repeated names", Replace, {n, n}, {n, n}},
          Row{"Replace brings back quiet time and callers", Replace, {n, oneAgain}, {n, oneKept}},
          Row{"blank fields", Add, {blank, tab}, {tab}},
          Row{"Replace with nothing valid keeps the list", Replace, {blank}, existing},
          Row{"refused sounds", Add, {semicolon, quote, newline, semicolonDir}, {semicolonDir}}}) {
        TriggerList list = listOf(existing);
        triggerimport::importTriggers(list, records, mode);
        Triggers expected = mode == Replace ? Triggers{} : existing;
        expected.insert(expected.end(), added.begin(), added.end());
        EXPECT_EQ(contentsOf(list), expected) << what;
    }
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
