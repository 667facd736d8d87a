#include <gtest/gtest.h>

#include "positiontesting.h"

namespace {

void ExpectNoNotes(const MoveNode& node) {
    EXPECT_EQ(node.Comment(), "");
    EXPECT_EQ(node.Bookmark(), "");
    EXPECT_EQ(node.TimeMs(), std::nullopt);
    EXPECT_FALSE(node.IsResult());
}

}  // namespace

TEST(Notes, CommentsBookmarksAndTimesAreSetChangedAndClearedOneByOne) {
    GameRecord record;
    record.SetCurrentComment("Before the first move");
    record.SetCurrentBookmark("Start");
    EXPECT_FALSE(record.SetCurrentTime(1000));  // the root has no move to time
    EXPECT_EQ(record.Root().TimeMs(), std::nullopt);

    ASSERT_TRUE(PlayLine(record, "7g7f"));
    ExpectNoNotes(record.Current());
    EXPECT_TRUE(record.SetCurrentTime(0));  // no time at all is not the same as none given
    EXPECT_EQ(record.Current().TimeMs(), 0);
    EXPECT_TRUE(record.SetCurrentTime(MoveTimeLimitMs - 1));
    EXPECT_FALSE(record.SetCurrentTime(-5));
    EXPECT_FALSE(record.SetCurrentTime(MoveTimeLimitMs));  // 100 days: no sum of times overflows
    EXPECT_EQ(record.Current().TimeMs(), MoveTimeLimitMs - 1);
    record.SetCurrentComment("Opens the bishop's diagonal.\r\nThe usual start.");
    record.SetCurrentBookmark("Opening");

    // Clearing one note keeps the others.
    record.SetCurrentComment("");
    EXPECT_EQ(record.Current().Bookmark(), "Opening");
    EXPECT_EQ(record.Current().TimeMs(), MoveTimeLimitMs - 1);
    EXPECT_TRUE(record.SetCurrentTime(std::nullopt));
    EXPECT_EQ(record.Current().Bookmark(), "Opening");
    record.SetCurrentBookmark("");
    ExpectNoNotes(record.Current());
    // A time alone is kept in the node; a comment beside it and gone again leaves it there.
    EXPECT_TRUE(record.SetCurrentTime(5));
    record.SetCurrentComment("x");
    record.SetCurrentComment("");
    EXPECT_EQ(record.Current().TimeMs(), 5);
    EXPECT_TRUE(record.SetCurrentTime(std::nullopt));
    EXPECT_EQ(AddTimes(INT64_MAX - 1, MoveTimeLimitMs - 1), INT64_MAX);  // totals never wrap
    record.SetCurrentComment("\xff\xfe bytes as typed");
    EXPECT_EQ(record.Current().Comment(), "\xff\xfe bytes as typed");

    // A result keeps being a result when its other notes go.
    ASSERT_TRUE(PlayLine(record, "3c3d"));
    record.GoBack();
    ASSERT_EQ(record.AddResult(GameResult::Interrupt), 2);
    ASSERT_TRUE(record.GoForward(1));
    record.SetCurrentComment("Adjourned");
    EXPECT_TRUE(record.SetCurrentTime(60'000));
    record.SetCurrentComment("");
    EXPECT_TRUE(record.SetCurrentTime(std::nullopt));
    EXPECT_EQ(record.Current().Result(), GameResult::Interrupt);

    record.GoToTop();
    EXPECT_EQ(record.Root().Comment(), "Before the first move");
    EXPECT_EQ(record.Root().Bookmark(), "Start");
}

// Deleted nodes and their notes are handed out again: what comes back must be blank.
TEST(Notes, NodesMadeAfterADeletionStartBlank) {
    GameRecord record;
    for (int round = 0; round < 3; ++round) {
        ASSERT_TRUE(PlayLine(record, "7g7f 3c3d 2g2f"));
        for (int back = 0; back < 3; ++back) {
            record.SetCurrentComment("comment " + std::to_string(round));
            record.SetCurrentBookmark("mark");
            record.SetCurrentTime(back * 1000 + 1);
            if (back == 1) record.AddResult(GameResult::Draw);
            record.GoBack();
        }
        ASSERT_TRUE(record.DeleteContinuation(0));
        ASSERT_TRUE(PlayLine(record, "2g2f 8c8d 2f2e"));
        ASSERT_TRUE(record.AddResult(GameResult::Resign));
        for (const MoveNode* node = &record.Current(); node->Parent(); node = node->Parent())
            ExpectNoNotes(*node);
        record.GoToTop();
        ASSERT_TRUE(record.DeleteContinuation(0));
        EXPECT_EQ(record.Root().ChildCount(), 0);
    }
    record.SetCurrentComment("root");
    record.Reset();
    ExpectNoNotes(record.Root());
    ASSERT_TRUE(PlayLine(record, "7g7f"));
    ExpectNoNotes(record.Current());
}
