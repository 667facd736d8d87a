#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "format/esn/esnwriter.h"
#include "format/esn/notation.h"
#include "format/recordcompare.h"
#include "format/recordtesting.h"

namespace {

// 1. 7g7f (1 s, bookmarked) 2. 3c3d (2 s, commented), then Black resigns; the header has the
// event.
std::unique_ptr<GameRecord> BuildRecord(const Position& start = Position()) {
    auto record = std::make_unique<GameRecord>();
    EXPECT_TRUE(record->SetStartPosition(start));
    record->AddHeaderLine({std::string(HeaderKey::Event), "Club match"});
    EXPECT_TRUE(PlayLine(*record, "7g7f"));
    record->SetCurrentTime(1000);
    record->SetCurrentBookmark("Here");
    EXPECT_TRUE(PlayLine(*record, "3c3d"));
    record->SetCurrentTime(2000);
    record->SetCurrentComment("The usual reply");
    EXPECT_EQ(record->AddResult(GameResult::Resign), 1);
    record->GoToTop();
    return record;
}

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
        int plies;  // where the change is made
        void (*change)(GameRecord&);
    } cases[] = {
        {"title \"\" against \"Final\"", 0, [](GameRecord& r) { r.SetTitle("Final"); }},
        {"Black's player \"\" against \"A\"", 0, [](GameRecord& r) { r.SetBlackPlayer("A"); }},
        {"White's player \"\" against \"B\"", 0, [](GameRecord& r) { r.SetWhitePlayer("B"); }},
        {"node 0.0: comment \"The usual reply\" against \"\"", 2,
         [](GameRecord& r) { r.SetCurrentComment(""); }},
        {"header line 1: \"event\" \"Club match\" against \"event\" \"Club final\"", 0,
         [](GameRecord& r) {
             r.SetHeaderLines({{"event", "Club final"}});
         }},
        {"header lines: 1 against 2", 0, [](GameRecord& r) { r.AddHeaderLine({}); }},
        {"node 0: 1000 ms against 1500 ms", 1, [](GameRecord& r) { r.SetCurrentTime(1500); }},
        {"node 0.0: 2000 ms against no time", 2,
         [](GameRecord& r) { r.SetCurrentTime(std::nullopt); }},
        {"node 0: bookmark \"Here\" against \"\"", 1,
         [](GameRecord& r) { r.SetCurrentBookmark(""); }},
        {"node 0.0.0: result resign against result draw", 2,
         [](GameRecord& r) {
             r.DeleteContinuation(0);
             r.AddResult(GameResult::Draw);
         }},
        {"node 0.0.0: result resign against a move", 2,
         [](GameRecord& r) {
             r.DeleteContinuation(0);
             PlayLine(r, "2g2f");
         }},
    };
    const auto base = BuildRecord();
    std::string why;
    for (const auto& c : cases) {
        const auto changed = BuildRecord();
        GoTo(*changed, c.plies);
        c.change(*changed);
        EXPECT_FALSE(SameRecord(*base, *changed, &why));
        EXPECT_EQ(why, c.why);
    }
    Position start;
    start.Cell(SquareAt(0, 0)) = 0;
    start.HandCount(Black, Lance) = 1;
    EXPECT_FALSE(SameRecord(*base, *BuildRecord(start), &why));
    EXPECT_EQ(why, "start position: piece code 33 against 0 at 1a");
    EXPECT_TRUE(SameRecord(*base, *BuildRecord(), &why)) << why;
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
