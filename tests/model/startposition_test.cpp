#include <gtest/gtest.h>

#include "model/check.h"
#include "model/soundness.h"
#include "positiontesting.h"

namespace {

// The bishop handicap: White gives up the bishop and moves first.
Position BishopHandicap() {
    return InitialWith([](Position& p) {
        p.Cell(Sq("2b")) = 0;
        p.sideToMove = White;
    });
}

// A mate in one: White's king alone at 5a, a Black gold at 5c and one in Black's hand; White
// holds every other piece of the set but Black's king.
Position MateInOne() {
    Position pos = Board({{"5a", White | King}, {"5c", Black | Gold}});
    pos.HandCount(Black, Gold) = 1;
    const int whiteHand[KindCount] = {18, 4, 4, 4, 2, 2, 2, 0};
    for (PieceType kind = 0; kind < KindCount; ++kind)
        pos.HandCount(White, kind) = whiteHand[kind];
    return pos;
}

}  // namespace

TEST(StartPosition, AHandicapGameStartsWithWhiteAndReturnsToItsStart) {
    GameRecord record;
    const Position start = BishopHandicap();
    ASSERT_TRUE(record.SetStartPosition(start));
    EXPECT_EQ(record.StartPosition(), start);
    EXPECT_EQ(record.GetPosition(), start);
    EXPECT_EQ(record.SideToMove(), White);
    EXPECT_EQ(record.AddContinuation(MoveOn(start, "7g7f")), 0);  // not Black's turn

    ASSERT_TRUE(PlayLine(record, "3c3d 7g7f 8b2b"));
    EXPECT_EQ(record.Current().number, 3);  // plies count from the start, whoever began
    EXPECT_EQ(record.SideToMove(), Black);
    record.GoToTop();
    EXPECT_EQ(&record.Current(), &record.Root());
    EXPECT_EQ(record.GetPosition(), start);
    for (int ply = 1; ply <= 3; ++ply) {
        ASSERT_TRUE(record.GoForward(0));
        EXPECT_EQ(record.Current().number, ply);
    }
    while (record.GoBack()) {
    }
    EXPECT_EQ(record.GetPosition(), start);
}

TEST(StartPosition, AProblemWithoutABlackKingIsPlayedToMate) {
    GameRecord record;
    ASSERT_TRUE(record.SetStartPosition(MateInOne()));
    ASSERT_TRUE(PlayLine(record, "G*5b"));
    EXPECT_TRUE(InCheck(record.GetPosition(), White));
    EXPECT_FALSE(InCheck(record.GetPosition(), Black));  // no Black king to be in check
    ASSERT_EQ(record.AddResult(GameResult::Mate), 1);
    ASSERT_TRUE(record.GoForward(0));
    EXPECT_EQ(record.Current().number, 2);
    EXPECT_EQ(ResultStatusLine(*record.Current().Result(), record.SideToMove()), "White is mated");
    record.GoToTop();
    EXPECT_EQ(record.GetPosition(), MateInOne());
}

TEST(StartPosition, IsRefusedWhenUnsoundOrWhenMovesFollowTheRoot) {
    GameRecord record;
    Position unsound = BishopHandicap();
    unsound.Cell(Sq("5e")) = Black | King;
    EXPECT_FALSE(record.SetStartPosition(unsound));
    EXPECT_EQ(record.StartPosition(), Position());
    EXPECT_EQ(record.GetPosition(), Position());

    // A start under moves would leave them standing on another position.
    ASSERT_TRUE(PlayLine(record, "7g7f"));
    record.GoToTop();
    EXPECT_FALSE(record.SetStartPosition(BishopHandicap()));
    ASSERT_EQ(record.AddResult(GameResult::Interrupt), 2);
    ASSERT_TRUE(record.DeleteContinuation(0));
    EXPECT_FALSE(record.SetStartPosition(BishopHandicap()));  // a result is a continuation too
    ASSERT_TRUE(record.DeleteContinuation(0));
    EXPECT_TRUE(record.SetStartPosition(BishopHandicap()));

    // Reset gives back the initial position and an empty header.
    record.headerLines.push_back({std::string(HeaderKey::Event), "Club championship"});
    record.Reset();
    EXPECT_EQ(record.StartPosition(), Position());
    EXPECT_EQ(record.GetPosition(), Position());
    EXPECT_TRUE(record.headerLines.empty());
}
