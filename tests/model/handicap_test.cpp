#include <gtest/gtest.h>

#include "model/handicap.h"
#include "model/soundness.h"
#include "positiontesting.h"

namespace {

// Each handicap is the initial position with exactly these squares of White's emptied, the
// removed pieces in nobody's hand, and White to move.
TEST(Handicap, EachRemovesItsPiecesAndLetsWhiteMoveFirst) {
    const struct {
        Handicap handicap;
        const char* removed;  // file digit and rank letter of each square emptied
    } cases[] = {
        {Handicap::Even, ""},
        {Handicap::Lance, "1a"},
        {Handicap::RightLance, "9a"},
        {Handicap::Bishop, "2b"},
        {Handicap::Rook, "8b"},
        {Handicap::RookAndLance, "8b1a"},
        {Handicap::TwoPieces, "8b2b"},
        {Handicap::ThreePieces, "8b2b1a"},
        {Handicap::FourPieces, "8b2b1a9a"},
        {Handicap::FivePieces, "8b2b1a9a2a"},
        {Handicap::LeftFivePieces, "8b2b1a9a8a"},
        {Handicap::SixPieces, "8b2b1a9a2a8a"},
        {Handicap::LeftSevenPieces, "8b2b1a9a2a8a7a"},
        {Handicap::RightSevenPieces, "8b2b1a9a2a8a3a"},
        {Handicap::EightPieces, "8b2b1a9a2a8a3a7a"},
        {Handicap::TenPieces, "8b2b1a9a2a8a3a7a4a6a"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.removed);
        Position expected;
        for (const char* sq = c.removed; *sq; sq += 2)
            expected.Cell(Sq(std::string_view(sq, 2))) = 0;
        expected.sideToMove = c.handicap == Handicap::Even ? Black : White;
        const Position pos = HandicapPosition(c.handicap);
        EXPECT_EQ(pos, expected);
        EXPECT_TRUE(IsSound(pos)) << PositionProblem(pos);
    }
}

TEST(Handicap, EveryPositionMatchesBackToItsOwnName) {
    for (int i = 0; i < HandicapCount; ++i) {
        const auto handicap = static_cast<Handicap>(i);
        EXPECT_EQ(MatchHandicap(HandicapPosition(handicap)), handicap) << i;
    }
    Position blackFirst = HandicapPosition(Handicap::Bishop);
    blackFirst.sideToMove = Black;
    EXPECT_EQ(MatchHandicap(blackFirst), std::nullopt);
    Position withHand = HandicapPosition(Handicap::Rook);
    withHand.HandCount(White, Rook) = 1;
    EXPECT_EQ(MatchHandicap(withHand), std::nullopt);
}

}  // namespace
