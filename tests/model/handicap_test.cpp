#include <gtest/gtest.h>

#include "model/handicap.h"

namespace {

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
