#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "positiontesting.h"

namespace {

long Count(Position& pos, int depth) {
    if (depth == 0) return 1;
    long total = 0;
    for (const Move& m : LegalMoves(pos)) {
        Play(pos, m);
        total += Count(pos, depth - 1);
        TakeBack(pos, m);
    }
    return total;
}

void ExpectInvariants(const Position& pos) {
    int pieces = 0;
    for (PieceCode code : pos.board) {
        if (code == 0) continue;
        ++pieces;
        ASSERT_TRUE(OwnerOf(code) == Black || OwnerOf(code) == White) << code;
        ASSERT_EQ(code & ~(SideMask | 15), 0) << code;
        ASSERT_TRUE(!IsPromoted(code) || CanPromote(KindOf(code))) << code;
    }
    for (int count : pos.hands) {
        ASSERT_GE(count, 0);
        pieces += count;
    }
    ASSERT_EQ(pieces, 40);
}

}  // namespace

// The published numbers of positions after 1, 2 and 3 plies from the start; no check is
// possible that early, so rules without check tests agree with them.
TEST(MoveRules, CountsEveryMoveToDepthThree) {
    Position pos;
    EXPECT_EQ(Count(pos, 1), 30);
    EXPECT_EQ(Count(pos, 2), 900);
    EXPECT_EQ(Count(pos, 3), 25470);
    EXPECT_EQ(pos, Position());
}

TEST(MoveRules, RandomPlayIsUndoneExactly) {
    std::mt19937 rng(20261206);
    int captures = 0, promotions = 0, drops = 0, promotedCaptures = 0;
    for (int game = 0; game < 12; ++game) {
        Position pos;
        std::vector<Move> played;
        for (int ply = 0; ply < 400; ++ply) {
            std::vector<Move> moves = LegalMoves(pos);
            if (moves.empty()) break;
            const Move m = moves[rng() % moves.size()];
            captures += m.captured != 0;
            promotedCaptures += IsPromoted(m.captured);
            promotions += m.promote != 0;
            drops += m.drop != 0;
            const Position before = pos;
            Play(pos, m);
            ASSERT_NO_FATAL_FAILURE(ExpectInvariants(pos));
            const Position after = pos;
            TakeBack(pos, m);
            ASSERT_EQ(pos, before) << "ply " << ply;
            pos = after;
            played.push_back(m);
        }
        for (auto it = played.rbegin(); it != played.rend(); ++it)
            TakeBack(pos, *it);
        ASSERT_EQ(pos, Position());
    }
    // The walk must actually have exercised the interesting kinds of move.
    EXPECT_GT(captures, 100);
    EXPECT_GT(promotions, 20);
    EXPECT_GT(drops, 100);
    EXPECT_GT(promotedCaptures, 5);
}
