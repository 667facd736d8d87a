#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "model/moverules.h"

namespace {

// Every move IsLegal accepts in the position: each origin and destination with and without
// promotion, and each drop.
std::vector<Move> CandidateMoves(const Position& pos) {
    std::vector<Move> moves;
    for (int from = 0; from < CellCount; ++from) {
        PieceCode piece = pos.board[from];
        if (OwnerOf(piece) != pos.sideToMove) continue;
        for (int to = 0; to < CellCount; ++to) {
            for (int promote = 0; promote < 2; ++promote) {
                Move m;
                m.piece = piece;
                m.from = {from / 9, from % 9};
                m.to = {to / 9, to % 9};
                m.promote = promote;
                if (IsLegal(pos, m)) moves.push_back(m);
            }
        }
    }
    for (PieceType kind = 0; kind < KindCount; ++kind) {
        if (pos.HandCount(pos.sideToMove, kind) == 0) continue;
        for (int to = 0; to < CellCount; ++to) {
            Move m;
            m.piece = pos.sideToMove | kind;
            m.to = {to / 9, to % 9};
            m.drop = 1;
            if (IsLegal(pos, m)) moves.push_back(m);
        }
    }
    return moves;
}

// As the record does when it stores a move: what stood on the destination.
Move WithCapture(const Position& pos, Move m) {
    m.captured = pos.Cell(m.to);
    return m;
}

long Count(Position& pos, int depth) {
    if (depth == 0) return 1;
    long total = 0;
    for (const Move& candidate : CandidateMoves(pos)) {
        Move m = WithCapture(pos, candidate);
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
        if (IsPromoted(code)) {
            ASSERT_TRUE(CanPromote(KindOf(code))) << code;
        }
    }
    for (int count : pos.hands) {
        ASSERT_GE(count, 0);
        pieces += count;
    }
    ASSERT_EQ(pieces, 40);
}

}  // namespace

TEST(Position, StartingPosition) {
    Position pos;
    EXPECT_EQ(pos.sideToMove, Black);
    int black = 0, white = 0;
    for (PieceCode code : pos.board) {
        black += OwnerOf(code) == Black;
        white += OwnerOf(code) == White;
    }
    EXPECT_EQ(black, 20);
    EXPECT_EQ(white, 20);
    EXPECT_EQ(pos.Cell(8, 4), Black | King);  // 5i
    EXPECT_EQ(pos.Cell(0, 4), White | King);  // 5a
    EXPECT_EQ(pos.Cell(7, 1), Black | Rook);  // 2h
    EXPECT_EQ(pos.Cell(7, 7), Black | Bishop);
    EXPECT_EQ(pos.Cell(1, 1), White | Bishop);  // 2b
    EXPECT_EQ(pos.Cell(1, 7), White | Rook);
    EXPECT_EQ(pos.Cell(6, 0), 16);  // a Black pawn is 16, not empty
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(pos.hands[i], 0);
}

TEST(Position, CapturedPromotedPieceGoesToHandUnpromoted) {
    Position pos;
    pos.Cell(4, 4) = White | 8 | Bishop;
    pos.Cell(5, 4) = Black | Gold;
    pos.Cell(8, 3) = 0;
    Move m;
    m.piece = Black | Gold;
    m.from = {5, 4};
    m.to = {4, 4};
    ASSERT_TRUE(IsLegal(pos, m));
    m.captured = pos.Cell(m.to);
    Position before = pos;
    Play(pos, m);
    int hands[16];
    pos.CopyHands(hands);
    EXPECT_EQ(hands[13], 1);  // Black's bishop
    EXPECT_EQ(pos.Cell(4, 4), Black | Gold);
    EXPECT_EQ(pos.sideToMove, White);
    TakeBack(pos, m);
    EXPECT_EQ(pos, before);
}

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
            std::vector<Move> moves = CandidateMoves(pos);
            if (moves.empty()) break;
            Move m = WithCapture(pos, moves[rng() % moves.size()]);
            captures += m.captured != 0;
            promotedCaptures += IsPromoted(m.captured);
            promotions += m.promote != 0;
            drops += m.drop != 0;
            Position before = pos;
            Play(pos, m);
            ASSERT_NO_FATAL_FAILURE(ExpectInvariants(pos));
            Position after = pos;
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
