#include <gtest/gtest.h>

#include <random>

#include "model/setupposition.h"
#include "positiontesting.h"

namespace {

using Place = PiecePlace;

// How many pieces of each kind lie on the board, in both hands and in the box together.
std::array<int, KindCount> PiecesCounted(const SetupPosition& setup) {
    std::array<int, KindCount> counts{};
    const Position& pos = setup.GetPosition();
    for (PieceCode code : pos.board)
        if (code != 0) ++counts[KindOf(code)];
    for (PieceType kind = 0; kind < KindCount; ++kind)
        counts[kind] +=
            pos.HandCount(Black, kind) + pos.HandCount(White, kind) + setup.BoxCount(kind);
    return counts;
}

Place RandomPlace(std::mt19937& random) {
    const int side = random() % 2 ? Black : White;
    const auto kind = static_cast<PieceType>(random() % KindCount);
    switch (random() % 4) {
        case 0:
            return Place::InHand(side, kind);
        case 1:
            return Place::InBox(kind);
        default:
            return Place::OnBoard(Square(random() % 9, random() % 9), side);
    }
}

TEST(SetupPosition, RandomEditsNeverMakeOrLoseAPiece) {
    const std::array<int, KindCount> set = {18, 4, 4, 4, 4, 2, 2, 2};
    std::mt19937 random(20240611);
    SetupPosition setup;
    int refused = 0;
    for (int step = 0; step < 20000; ++step) {
        const SetupPosition before = setup;
        bool changed = true;
        switch (random() % 40) {
            case 0:
                setup.SetEmpty();
                break;
            case 1:
                setup.SetHandicap(static_cast<Handicap>(random() % HandicapCount));
                break;
            case 2:
                setup.GiveBoxToWhite();
                break;
            case 3:
            case 4:
                changed = setup.Turn(Square(random() % 9, random() % 9));
                break;
            default:
                changed = setup.Move(RandomPlace(random), RandomPlace(random));
                break;
        }
        ASSERT_EQ(PiecesCounted(setup), set) << "step " << step;
        for (int side : {Black, White})
            ASSERT_EQ(setup.GetPosition().HandCount(side, King), 0) << "step " << step;
        if (!changed) {
            ++refused;
            ASSERT_EQ(setup.GetPosition(), before.GetPosition()) << "step " << step;
            for (PieceType kind = 0; kind < KindCount; ++kind)
                ASSERT_EQ(setup.BoxCount(kind), before.BoxCount(kind)) << "step " << step;
        }
    }
    EXPECT_GT(refused, 1000);  // empty places, kings bound for a hand, a piece onto itself
}

// A king taken into a hand goes to the box; more pieces than a set cannot be laid out.
TEST(SetupPosition, TakesAPositionOnlyWhenOneSetHoldsIt) {
    const std::optional<SetupPosition> setup = SetupPosition::From(InitialWith([](Position& p) {
        p.Cell(Sq("5i")) = 0;
        p.HandCount(White, King) = 1;
    }));
    ASSERT_TRUE(setup);
    EXPECT_EQ(setup->GetPosition().HandCount(White, King), 0);
    EXPECT_EQ(setup->BoxCount(King), 1);
    EXPECT_FALSE(
        SetupPosition::From(InitialWith([](Position& p) { p.HandCount(Black, Pawn) = 1; })));
    EXPECT_FALSE(SetupPosition::From(InitialWith([](Position& p) { p.Cell(Sq("5e")) = 99; })));
}

}  // namespace
