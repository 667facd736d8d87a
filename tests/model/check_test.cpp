#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "model/check.h"
#include "model/moverules.h"
#include "positiontesting.h"

namespace {

// The attack test by brute force, from the move rules alone: some piece of `side` may legally
// move onto `sq` (with or without promotion) once an enemy piece stands there to be captured.
bool AttackedByBruteForce(const Position& pos, Square sq, int side) {
    Position probe = pos;
    probe.sideToMove = side;
    probe.Cell(sq) = OtherSide(side) | Gold;
    for (int from = 0; from < CellCount; ++from) {
        const PieceCode piece = probe.board[from];
        if (OwnerOf(piece) != side) continue;
        const Square fromSq{from / BoardSize, from % BoardSize};
        for (int promote = 0; promote < 2; ++promote)
            if (IsLegal(probe, Move(fromSq, sq, piece, 0, promote))) return true;
    }
    return false;
}

// A board strewn with `count` random pieces of either side, promoted or not, kings included.
Position RandomBoard(std::mt19937& rng, int count) {
    Position pos = Board({});
    for (int i = 0; i < count; ++i) {
        const PieceType kind = static_cast<PieceType>(rng() % KindCount);
        const bool promoted = CanPromote(kind) && rng() % 3 == 0;
        const int side = rng() % 2 ? Black : White;
        pos.board[rng() % CellCount] = side | (promoted ? PromotedFlag : 0) | kind;
    }
    return pos;
}

// After the move, the opponent could take a king of the mover: check by the move rules alone.
bool KingLeftEnPrise(Position pos, const Move& move) {
    const int mover = pos.sideToMove;
    Play(pos, move);
    for (int cell = 0; cell < CellCount; ++cell)
        if (pos.board[cell] == (mover | King) &&
            AttackedByBruteForce(pos, {cell / BoardSize, cell % BoardSize}, OtherSide(mover)))
            return true;
    return false;
}

}  // namespace

TEST(Check, AttacksAgreeWithTheMoveRulesOnRandomBoards) {
    std::mt19937 rng(20261207);
    int attacked = 0;
    for (int board = 0; board < 120; ++board) {
        const Position pos = RandomBoard(rng, 4 + board % 30);
        for (int cell = 0; cell < CellCount; ++cell) {
            const Square sq{cell / BoardSize, cell % BoardSize};
            for (int side : {Black, White}) {
                const bool expected = AttackedByBruteForce(pos, sq, side);
                ASSERT_EQ(IsAttacked(pos, sq, side), expected)
                    << "board " << board << " square " << cell << " side " << side;
                attacked += expected;
            }
        }
    }
    // The boards must have given the test something to find.
    EXPECT_GT(attacked, 2000);
}

TEST(Check, KingsLeftInCheckAgreeWithTheMoveRulesInRandomGames) {
    std::mt19937 rng(20261208);
    int leftInCheck = 0;
    int checks = 0;
    for (int game = 0; game < 6; ++game) {
        Position pos;
        for (int ply = 0; ply < 120; ++ply) {
            const std::vector<Move> moves = LegalMoves(pos);
            if (moves.empty()) break;
            for (const Move& m : moves) {
                const bool expected = KingLeftEnPrise(pos, m);
                ASSERT_EQ(LeavesKingInCheck(pos, m), expected) << "game " << game << " ply " << ply;
                leftInCheck += expected;
            }
            for (int side : {Black, White})
                checks += InCheck(pos, side);
            const Move& chosen = moves[rng() % moves.size()];
            Play(pos, chosen);
            // The game goes on even after a king is taken: the rules allow it.
        }
    }
    EXPECT_GT(leftInCheck, 100);
    EXPECT_GT(checks, 20);
}

// The cases a reader of two-candidate moves meets: a pinned piece, a king stepping into a line.
TEST(Check, APinnedPieceAndAKingStepIntoCheck) {
    const Position pinned = Board({{"5i", Black | King},
                                   {"5h", Black | Silver},
                                   {"5a", White | Rook},
                                   {"9c", White | Bishop}});
    EXPECT_TRUE(LeavesKingInCheck(pinned, MoveOn(pinned, "5h4g")));
    EXPECT_FALSE(LeavesKingInCheck(pinned, MoveOn(pinned, "5h5g")));
    EXPECT_TRUE(LeavesKingInCheck(pinned, MoveOn(pinned, "5i4h")));
    EXPECT_FALSE(LeavesKingInCheck(pinned, MoveOn(pinned, "5i6h")));
    // A problem has no Black king, so Black is never in check.
    const Position problem = Board({{"5a", White | King}, {"5b", Black | Gold}}, White);
    EXPECT_TRUE(InCheck(problem, White));
    EXPECT_FALSE(InCheck(problem, Black));
}
