#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "format/esnwriter.h"
#include "format/notation.h"
#include "format/recordcompare.h"
#include "format/recordtesting.h"

namespace {

// 1. 7g7f (1 s, bookmarked) 2. 3c3d (2 s, commented), then Black resigns; the header has the
// event. `start` changes the start position before the moves, `change` the finished record.
void BuildRecord(GameRecord& record, const std::function<void(Position&)>& start,
                 const std::function<void(GameRecord&)>& change) {
    Position position;
    start(position);
    ASSERT_TRUE(record.SetStartPosition(position));
    record.headerLines.push_back({std::string(HeaderKey::Event), "Club match"});
    ASSERT_TRUE(PlayLine(record, "7g7f"));
    record.SetCurrentTime(1000);
    record.SetCurrentBookmark("Here");
    ASSERT_TRUE(PlayLine(record, "3c3d"));
    record.SetCurrentTime(2000);
    record.SetCurrentComment("The usual reply");
    ASSERT_EQ(record.AddResult(GameResult::Resign), 1);
    record.GoToTop();
    change(record);
}

void SameStart(Position&) {}
void NoChange(GameRecord&) {}

// Walks to the node after `plies` main-line moves.
void GoTo(GameRecord& record, int plies) {
    record.GoToTop();
    for (int i = 0; i < plies; ++i)
        record.GoForward(0);
}

}  // namespace

TEST(RecordCompare, SaysWhatDiffersAndWhere) {
    const struct {
        const char* why;
        std::function<void(Position&)> start;
        std::function<void(GameRecord&)> change;
    } cases[] = {
        {"header line 1: \"event\" \"Club match\" against \"event\" \"Club final\"", SameStart,
         [](GameRecord& r) { r.headerLines[0].value = "Club final"; }},
        {"header lines: 1 against 2", SameStart,
         [](GameRecord& r) {
             r.headerLines.push_back({"Round", "3"});
         }},
        {"start position: piece code 33 against 0 at 1a",
         [](Position& p) {
             p.Cell(SquareAt(0, 0)) = 0;
             p.HandCount(Black, Lance) = 1;
         },
         NoChange},
        {"node 0: 1000 ms against 1500 ms", SameStart,
         [](GameRecord& r) {
             GoTo(r, 1);
             r.SetCurrentTime(1500);
         }},
        {"node 0.0: 2000 ms against no time", SameStart,
         [](GameRecord& r) {
             GoTo(r, 2);
             r.SetCurrentTime(std::nullopt);
         }},
        {"node 0: bookmark \"Here\" against \"\"", SameStart,
         [](GameRecord& r) {
             GoTo(r, 1);
             r.SetCurrentBookmark("");
         }},
        {"node 0.0.0: result resign against result draw", SameStart,
         [](GameRecord& r) {
             GoTo(r, 2);
             r.DeleteContinuation(0);
             r.AddResult(GameResult::Draw);
         }},
        {"node 0.0.0: result resign against a move", SameStart,
         [](GameRecord& r) {
             GoTo(r, 2);
             r.DeleteContinuation(0);
             PlayLine(r, "2g2f");
         }},
    };
    GameRecord base;
    BuildRecord(base, SameStart, NoChange);
    for (const auto& c : cases) {
        GameRecord changed;
        BuildRecord(changed, c.start, c.change);
        std::string why;
        EXPECT_FALSE(SameRecord(base, changed, &why));
        EXPECT_EQ(why, c.why);
    }
    GameRecord same;
    BuildRecord(same, SameStart, NoChange);
    std::string why;
    EXPECT_TRUE(SameRecord(base, same, &why)) << why;
}

// A record file has no place for results: the file holds the moves as if the results were not
// there, the first move among the continuations being the main line.
TEST(RecordCompare, ResultsAreLeftOutOfARecordFileAndLabelledInTheList) {
    GameRecord record;
    ASSERT_EQ(record.AddResult(GameResult::Interrupt), 1);
    ASSERT_TRUE(PlayLine(record, "7g7f 3c3d"));
    ASSERT_EQ(record.AddResult(GameResult::Resign), 1);
    ASSERT_TRUE(PlayLine(record, "2g2f 8c8d"));
    ASSERT_EQ(record.AddResult(GameResult::Timeout), 1);
    record.GoBack();
    record.GoBack();
    ASSERT_EQ(record.AddResult(GameResult::Draw), 3);
    ASSERT_TRUE(PlayLine(record, "5g5f"));

    GameRecord movesOnly;
    ASSERT_TRUE(PlayLine(movesOnly, "7g7f 3c3d 2g2f 8c8d"));
    movesOnly.GoBack();
    movesOnly.GoBack();
    ASSERT_TRUE(PlayLine(movesOnly, "5g5f"));
    EXPECT_EQ(WriteESN(record), WriteESN(movesOnly));

    GoTo(record, 0);
    std::vector<std::string> labels;
    GetContinuationList(record, labels);
    EXPECT_EQ(labels, (std::vector<std::string>{"1. Interrupted", "1. P-7f"}));
    record.GoForward(1);
    record.GoForward(0);
    GetContinuationList(record, labels);
    EXPECT_EQ(labels, (std::vector<std::string>{"3. Resigns", "3. P-2f", "3. Draw", "3. P-5f"}));
}
