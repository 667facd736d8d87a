#include <gtest/gtest.h>

#include "model/handicap.h"
#include "positiontesting.h"

TEST(StartPosition, AHandicapGameStartsWithWhiteAndReturnsToItsStart) {
    GameRecord record;
    const Position start = HandicapPosition(Handicap::Bishop);
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

TEST(StartPosition, IsRefusedWhenNoRecordCanHoldItOrWhenMovesFollowTheRoot) {
    GameRecord record;
    Position unsound = HandicapPosition(Handicap::Bishop);
    unsound.Cell(Sq("5e")) = Black | King;
    EXPECT_FALSE(record.SetStartPosition(unsound));
    EXPECT_EQ(record.StartPosition(), Position());
    EXPECT_EQ(record.GetPosition(), Position());

    // A start under moves would leave them standing on another position.
    ASSERT_TRUE(PlayLine(record, "7g7f"));
    record.GoToTop();
    EXPECT_FALSE(record.SetStartPosition(HandicapPosition(Handicap::Bishop)));
    ASSERT_EQ(record.AddResult(GameResult::Interrupt), 2);
    ASSERT_TRUE(record.DeleteContinuation(0));
    EXPECT_FALSE(record.SetStartPosition(
        HandicapPosition(Handicap::Bishop)));  // a result is a continuation too
    ASSERT_TRUE(record.DeleteContinuation(0));
    EXPECT_TRUE(record.SetStartPosition(HandicapPosition(Handicap::Bishop)));

    // Reset gives back the initial position and an empty header.
    record.AddHeaderLine({std::string(HeaderKey::Event), "Club championship"});
    record.Reset();
    EXPECT_EQ(record.StartPosition(), Position());
    EXPECT_EQ(record.GetPosition(), Position());
    EXPECT_TRUE(record.HeaderLines().empty());
}
