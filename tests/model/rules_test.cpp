#include <gtest/gtest.h>

#include <vector>

#include "positiontesting.h"

namespace {

Move BoardMove(PieceCode piece, Square from, Square to, int promote = 0) {
    return {from, to, piece, 0, promote, 0};
}

Move Drop(PieceCode piece, Square to) {
    return {{}, to, piece, 1, 0, 0};
}

// How each piece moves, as (forward, sideways) steps from Black's point of view; a slide
// repeats its step up to the edge of the board.
struct Step {
    int forward;
    int sideways;
    bool slides = false;
};

std::vector<Step> StepsOf(int rule) {
    const std::vector<Step> diagonals = {{1, 1}, {1, -1}, {-1, 1}, {-1, -1}};
    const std::vector<Step> lines = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    // The steps of `a` followed by those of `b`, which slide when `slideB` is set.
    const auto join = [](std::vector<Step> a, const std::vector<Step>& b, bool slideB) {
        for (Step s : b)
            a.push_back({s.forward, s.sideways, slideB});
        return a;
    };
    switch (rule) {
        case Pawn:
            return {{1, 0}};
        case Lance:
            return {{1, 0, true}};
        case Knight:
            return {{2, 1}, {2, -1}};
        case Silver:
            return join({{1, 0}}, diagonals, false);
        case Bishop:
            return join({}, diagonals, true);
        case Rook:
            return join({}, lines, true);
        case King:
            return join(diagonals, lines, false);
        case PromotedFlag | Bishop:
            return join(lines, diagonals, true);
        case PromotedFlag | Rook:
            return join(diagonals, lines, true);
        default:  // gold and the promoted minor pieces
            return {{1, -1}, {1, 0}, {1, 1}, {0, -1}, {0, 1}, {-1, 0}};
    }
}

// The squares a lone piece reaches on an otherwise empty board, by the table above.
std::vector<bool> ExpectedTargets(int rule, int side, Square from) {
    std::vector<bool> reach(CellCount, false);
    const int dir = side == Black ? -1 : 1;  // Black advances toward rank 0
    for (Step s : StepsOf(rule)) {
        Square sq = from;
        do {
            sq.rank += dir * s.forward;
            sq.file += s.sideways;
            if (IsOnBoard(sq)) reach[CellIndex(sq)] = true;
        } while (s.slides && IsOnBoard(sq));
    }
    return reach;
}

}  // namespace

TEST(MoveRules, EachPieceReachesExactlyItsSquaresOnAnEmptyBoard) {
    const int rules[] = {Pawn, Lance,    Knight,    Silver,     Gold,       Bishop,     Rook,
                         King, 8 + Pawn, 8 + Lance, 8 + Knight, 8 + Silver, 8 + Bishop, 8 + Rook};
    for (int side : {Black, White}) {
        for (int rule : rules) {
            for (int from = 0; from < CellCount; ++from) {
                Position pos = Board({}, side);
                Square fromSq{from / 9, from % 9};
                PieceCode piece = side | rule;
                pos.Cell(fromSq) = piece;
                std::vector<bool> expected = ExpectedTargets(rule, side, fromSq);
                for (int to = 0; to < CellCount; ++to) {
                    Square toSq{to / 9, to % 9};
                    bool accepted = IsLegal(pos, BoardMove(piece, fromSq, toSq, 0)) ||
                                    IsLegal(pos, BoardMove(piece, fromSq, toSq, 1));
                    ASSERT_EQ(accepted, expected[to])
                        << "side " << side << " rule " << rule << " from " << from << " to " << to;
                }
            }
        }
    }
}

TEST(MoveRules, RefusesMovesThatBreakTheRulesOfTheBoard) {
    Position pos;
    Square pawn{6, 6};  // 7g
    EXPECT_TRUE(IsLegal(pos, BoardMove(Black | Pawn, pawn, {5, 6})));
    EXPECT_FALSE(IsLegal(pos, BoardMove(0, pawn, {5, 6})));
    EXPECT_FALSE(IsLegal(pos, BoardMove(White | Pawn, {2, 6}, {3, 6})));    // not White's turn
    EXPECT_FALSE(IsLegal(pos, BoardMove(Black | 8 | Pawn, pawn, {5, 6})));  // not what stands
    EXPECT_FALSE(IsLegal(pos, BoardMove(Black | Pawn, pawn, {9, 6})));

    // Sliders stop at the first piece and capture only the opponent's.
    pos = Board({}, Black);
    Square rook{4, 4};
    pos.Cell(rook) = Black | Rook;
    pos.Cell(2, 4) = White | Pawn;
    pos.Cell(4, 6) = Black | Gold;
    EXPECT_TRUE(IsLegal(pos, BoardMove(Black | Rook, rook, {2, 4}, 1)));
    EXPECT_FALSE(IsLegal(pos, BoardMove(Black | Rook, rook, {1, 4}, 1)));  // passes over
    EXPECT_FALSE(IsLegal(pos, BoardMove(Black | Rook, rook, {4, 6})));     // own piece
    EXPECT_FALSE(IsLegal(pos, BoardMove(Black | Rook, rook, {4, 7})));
    // A promoted bishop's one orthogonal step ignores the path; its diagonal does not.
    pos.Cell(rook) = Black | PromotedFlag | Bishop;
    pos.Cell(3, 3) = White | Silver;
    EXPECT_TRUE(IsLegal(pos, BoardMove(Black | 8 | Bishop, rook, {3, 3})));
    EXPECT_FALSE(IsLegal(pos, BoardMove(Black | 8 | Bishop, rook, {2, 2})));
}

TEST(MoveRules, PromotionZoneAndForcedPromotion) {
    Position pos = Board({}, Black);
    pos.Cell(1, 4) = Black | Pawn;
    EXPECT_FALSE(IsLegal(pos, BoardMove(Black | Pawn, {1, 4}, {0, 4})));
    EXPECT_TRUE(IsLegal(pos, BoardMove(Black | Pawn, {1, 4}, {0, 4}, 1)));
    pos.Cell(3, 4) = Black | Knight;
    EXPECT_FALSE(IsLegal(pos, BoardMove(Black | Knight, {3, 4}, {1, 3})));
    EXPECT_TRUE(IsLegal(pos, BoardMove(Black | Knight, {3, 4}, {1, 3}, 1)));
    // A silver may promote when it leaves the zone, not when it moves below it.
    pos.Cell(2, 6) = Black | Silver;
    EXPECT_TRUE(IsLegal(pos, BoardMove(Black | Silver, {2, 6}, {3, 5}, 1)));
    pos.Cell(3, 7) = Black | Silver;
    EXPECT_FALSE(IsLegal(pos, BoardMove(Black | Silver, {3, 7}, {4, 8}, 1)));
    // Gold, king and promoted pieces never promote.
    pos.Cell(1, 0) = Black | Gold;
    EXPECT_FALSE(IsLegal(pos, BoardMove(Black | Gold, {1, 0}, {0, 0}, 1)));
    pos.Cell(7, 0) = Black | 8 | Rook;
    EXPECT_FALSE(MayPromote(pos, BoardMove(Black | 8 | Rook, {7, 0}, {2, 0})));

    // White's zone is ranks g to i.
    pos.sideToMove = White;
    pos.Cell(7, 8) = White | Lance;
    EXPECT_FALSE(IsLegal(pos, BoardMove(White | Lance, {7, 8}, {8, 8})));
    EXPECT_TRUE(IsLegal(pos, BoardMove(White | Lance, {7, 8}, {8, 8}, 1)));
    pos.Cell(5, 1) = White | Bishop;
    EXPECT_TRUE(MayPromote(pos, BoardMove(White | Bishop, {5, 1}, {6, 2})));
    EXPECT_FALSE(MayPromote(pos, BoardMove(White | Bishop, {5, 1}, {4, 2})));
    EXPECT_TRUE(MayPromote(pos, BoardMove(White | Bishop, {6, 2}, {5, 1})));  // leaving it
}

TEST(MoveRules, Drops) {
    Position pos = Board({}, Black);
    EXPECT_FALSE(IsLegal(pos, Drop(Black | Pawn, {4, 4})));  // empty hand
    for (PieceType kind : {Pawn, Lance, Knight, Silver, King})
        pos.HandCount(Black, kind) = 1;
    EXPECT_TRUE(IsLegal(pos, Drop(Black | Pawn, {4, 4})));
    EXPECT_FALSE(IsLegal(pos, Drop(Black | Pawn, {0, 4})));
    EXPECT_FALSE(IsLegal(pos, Drop(Black | Lance, {0, 4})));
    EXPECT_FALSE(IsLegal(pos, Drop(Black | Knight, {1, 4})));
    EXPECT_TRUE(IsLegal(pos, Drop(Black | Knight, {2, 4})));
    EXPECT_TRUE(IsLegal(pos, Drop(Black | King, {4, 0})));  // a captured king drops too
    EXPECT_FALSE(IsLegal(pos, Drop(Black | 8 | Silver, {4, 4})));
    Move promoting = Drop(Black | Silver, {4, 4});
    promoting.promote = 1;
    EXPECT_FALSE(IsLegal(pos, promoting));
    EXPECT_FALSE(IsLegal(pos, Drop(White | Pawn, {4, 4})));
    EXPECT_FALSE(IsLegal(pos, Drop(SideMask | Pawn, {4, 4})));

    // Two pawns: an unpromoted own pawn on the file forbids the drop; others do not.
    pos.Cell(7, 4) = Black | 8 | Pawn;
    pos.Cell(2, 4) = White | Pawn;
    EXPECT_TRUE(IsLegal(pos, Drop(Black | Pawn, {4, 4})));
    pos.Cell(8, 4) = Black | Pawn;
    EXPECT_FALSE(IsLegal(pos, Drop(Black | Pawn, {4, 4})));
    EXPECT_FALSE(IsLegal(pos, Drop(Black | Silver, {8, 4})));  // occupied
}

TEST(MoveRules, ResolveOriginTakesTheFirstLegalCandidateInRankMajorOrder) {
    Position pos;
    Move gold = BoardMove(Black | Gold, {}, {7, 4});  // 5h: both golds (4i and 6i) reach it
    ASSERT_TRUE(ResolveOrigin(pos, gold));
    EXPECT_EQ(gold.from, (Square{8, 3}));
    Move pawn = BoardMove(Black | Pawn, {}, {4, 4});  // 5e: no pawn reaches it
    EXPECT_FALSE(ResolveOrigin(pos, pawn));

    // A pawn that can only arrive promoted is still found, with the forced value.
    pos = Board({}, Black);
    pos.Cell(1, 2) = Black | Pawn;
    Move forced = BoardMove(Black | Pawn, {}, {0, 2});
    ASSERT_TRUE(ResolveOrigin(pos, forced));
    EXPECT_EQ(forced.from, (Square{1, 2}));
    EXPECT_EQ(forced.promote, 1);
    // An unreachable candidate earlier in the scan is skipped for a later legal one.
    pos.Cell(0, 0) = Black | 8 | Pawn;
    pos.Cell(5, 5) = Black | 8 | Pawn;
    Move tokin = BoardMove(Black | 8 | Pawn, {}, {4, 5}, 1);
    ASSERT_TRUE(ResolveOrigin(pos, tokin));
    EXPECT_EQ(tokin.from, (Square{5, 5}));
    EXPECT_EQ(tokin.promote, 0);
    // Of two that reach it, the one on the earlier rank is taken.
    pos.Cell(3, 5) = Black | 8 | Pawn;
    ASSERT_TRUE(ResolveOrigin(pos, tokin));
    EXPECT_EQ(tokin.from, (Square{3, 5}));
}
