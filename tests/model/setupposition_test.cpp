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

TEST(SetupPosition, MovesTurnsAndProblemHands) {
    SetupPosition setup;
    setup.SetEmpty();
    EXPECT_EQ(setup.BoxCount(King), 2);
    // A problem: White's king on 5a, a Black gold on 5c from the box, a silver in Black's hand.
    ASSERT_TRUE(setup.Move(Place::InBox(King), Place::OnBoard(Sq("5a"), White)));
    ASSERT_TRUE(setup.Move(Place::InBox(Gold), Place::OnBoard(Sq("5c"), Black)));
    ASSERT_TRUE(setup.Move(Place::InBox(Silver), Place::InHand(Black)));
    EXPECT_FALSE(setup.Move(Place::OnBoard(Sq("5a")), Place::InHand(Black)));
    setup.GiveBoxToWhite();
    const Position& pos = setup.GetPosition();
    EXPECT_EQ(pos.Cell(Sq("5a")), White | King);
    EXPECT_EQ(pos.Cell(Sq("5c")), Black | Gold);
    const int white[KindCount] = {18, 4, 4, 3, 3, 2, 2, 0};
    for (PieceType kind = 0; kind < KindCount; ++kind) {
        EXPECT_EQ(pos.HandCount(White, kind), white[kind]) << kind;
        EXPECT_EQ(pos.HandCount(Black, kind), kind == Silver) << kind;
        EXPECT_EQ(setup.BoxCount(kind), kind == King) << kind;
    }

    // Turning over promotes, then gives the piece to the other side; a gold only changes side.
    const PieceCode pawnTurns[] = {Black | PromotedFlag | Pawn, White | Pawn,
                                   White | PromotedFlag | Pawn, Black | Pawn};
    setup.SetInitial();
    for (PieceCode expected : pawnTurns) {
        ASSERT_TRUE(setup.Turn(Sq("7g")));
        EXPECT_EQ(setup.GetPosition().Cell(Sq("7g")), expected);
    }
    ASSERT_TRUE(setup.Turn(Sq("4i")));
    EXPECT_EQ(setup.GetPosition().Cell(Sq("4i")), White | Gold);
    EXPECT_FALSE(setup.Turn(Sq("5e")));

    // A promoted piece taken into a hand goes back; a piece landed on goes to the box.
    setup.Turn(Sq("2h"));
    ASSERT_TRUE(setup.Move(Place::OnBoard(Sq("2h")), Place::InHand(White)));
    EXPECT_EQ(setup.GetPosition().HandCount(White, Rook), 1);
    ASSERT_TRUE(setup.Move(Place::InHand(White, Rook), Place::OnBoard(Sq("5i"))));
    EXPECT_EQ(setup.GetPosition().Cell(Sq("5i")), White | Rook);
    EXPECT_EQ(setup.BoxCount(King), 1);
}

TEST(SetupPosition, TakesAPositionOnlyWhenOneSetHoldsIt) {
    Position captured;
    captured.Cell(Sq("5i")) = 0;
    captured.HandCount(White, King) = 1;
    const std::optional<SetupPosition> setup = SetupPosition::From(captured);
    ASSERT_TRUE(setup);
    EXPECT_EQ(setup->GetPosition().HandCount(White, King), 0);
    EXPECT_EQ(setup->BoxCount(King), 1);

    Position tooMany;
    tooMany.HandCount(Black, Pawn) = 1;
    EXPECT_FALSE(SetupPosition::From(tooMany));
    Position invalid;
    invalid.Cell(Sq("5e")) = 99;
    EXPECT_FALSE(SetupPosition::From(invalid));
}

}  // namespace
