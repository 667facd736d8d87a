#include <gtest/gtest.h>

#include <set>
#include <string>

#include "positiontesting.h"

// 1. 7g7f 2. 3c3d, and then at ply 3 Black resigns, or plays 2g2f, or the game is drawn by
// repetition: a result stands beside moves as one continuation among others.
TEST(Results, StandBesideMovesAndAreSteppedOntoLikeMoves) {
    GameRecord record;
    ASSERT_TRUE(PlayLine(record, "7g7f 3c3d"));
    const Position before = record.GetPosition();
    const Move p26 = MoveOn(before, "2g2f");
    EXPECT_EQ(record.AddResult(GameResult::Resign), 1);
    EXPECT_EQ(record.AddContinuation(p26), 2);
    EXPECT_EQ(record.AddResult(GameResult::Repetition), 3);
    EXPECT_EQ(CountMoves(record.Root()), 3);  // results are not moves

    int index = -1;
    ASSERT_TRUE(record.FindContinuation(p26, index));
    EXPECT_EQ(index, 1);
    EXPECT_FALSE(record.FindContinuation(Move(), index));  // a result's empty move never matches

    ASSERT_TRUE(record.GoForward(0));
    const MoveNode& resign = record.Current();
    EXPECT_EQ(resign.Result(), GameResult::Resign);
    EXPECT_EQ(resign.number, 3);
    EXPECT_EQ(record.GetPosition(), before);  // a result changes no position
    EXPECT_EQ(ResultStatusLine(*resign.Result(), record.SideToMove()), "Black resigns");
    // Nothing continues a result.
    EXPECT_EQ(record.AddContinuation(p26), 0);
    EXPECT_EQ(record.AddResult(GameResult::Draw), 0);
    EXPECT_FALSE(record.GoForward(0));
    EXPECT_FALSE(record.DeleteContinuation(0));
    record.SetCurrentComment("Black saw the mate coming.");
    EXPECT_TRUE(record.SetCurrentTime(4000));
    ASSERT_TRUE(record.GoBack());
    EXPECT_EQ(record.Current().number, 2);
    EXPECT_EQ(record.GetPosition(), before);

    // The move goes in and out as always, around the results beside it.
    ASSERT_TRUE(record.GoForward(1));
    EXPECT_EQ(record.SideToMove(), White);
    ASSERT_TRUE(record.GoBack());
    ASSERT_TRUE(record.GoForward(2));
    EXPECT_EQ(ResultStatusLine(*record.Current().Result(), record.SideToMove()), "Repetition");
    ASSERT_TRUE(record.GoBack());

    // Deleting the result lets the move take its place as the main line.
    ASSERT_TRUE(record.DeleteContinuation(0));
    EXPECT_EQ(record.Current().ChildCount(), 2);
    EXPECT_FALSE(record.Current().Continuation(0)->IsResult());
    EXPECT_TRUE(record.Current().Continuation(1)->IsResult());
    EXPECT_EQ(record.GetPosition(), before);
}

TEST(Results, EndALineAtTheRootOrAfterWhitesMove) {
    GameRecord record;
    ASSERT_EQ(record.AddResult(GameResult::Interrupt), 1);  // broken off before the first move
    ASSERT_TRUE(record.GoForward(0));
    EXPECT_EQ(record.Current().number, 1);
    ASSERT_TRUE(record.GoBack());
    EXPECT_EQ(record.GetPosition(), Position());

    ASSERT_TRUE(PlayLine(record, "7g7f"));
    const struct {
        GameResult result;
        const char* status;  // White is to move at the result
    } endings[] = {
        {GameResult::Resign, "White resigns"},
        {GameResult::IllegalWin, "White wins: illegal move"},
        {GameResult::Mate, "White is mated"},
        {GameResult::Impasse, "Impasse"},
        {GameResult::MaxMoves, "Move limit reached"},
        {GameResult::Sealed, "White seals the next move"},
    };
    for (const auto& e : endings) {
        const int count = record.AddResult(e.result);
        ASSERT_GT(count, 0);
        ASSERT_TRUE(record.GoForward(count - 1));
        EXPECT_EQ(ResultStatusLine(*record.Current().Result(), record.SideToMove()), e.status);
        record.GoBack();
    }
    EXPECT_EQ(record.AddResult(static_cast<GameResult>(GameResultCount)), 0);
}

TEST(Results, KeywordsAndLabelsAreDistinctAndReadBack) {
    std::set<std::string> keywords;
    std::set<std::string> labels;
    for (int i = 0; i < GameResultCount; ++i) {
        const auto result = static_cast<GameResult>(i);
        keywords.insert(ResultKeyword(result));
        labels.insert(ResultLabel(result));
        EXPECT_EQ(ResultOfKeyword(ResultKeyword(result)), result) << ResultKeyword(result);
    }
    EXPECT_EQ(keywords.size(), static_cast<std::size_t>(GameResultCount));
    EXPECT_EQ(labels.size(), static_cast<std::size_t>(GameResultCount));
    EXPECT_EQ(ResultOfKeyword("Resigns"), std::nullopt);
    EXPECT_EQ(ResultOfKeyword(""), std::nullopt);
}
