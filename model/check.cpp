#include "model/check.h"

#include "model/moverules.h"

namespace {

struct Offset {
    int rank;
    int file;
};

constexpr Offset Directions[8] = {{-1, -1}, {-1, 0}, {-1, 1}, {0, -1},
                                  {0, 1},   {1, -1}, {1, 0},  {1, 1}};

// Whether the piece standing at `from` attacks `to` by a step or slide whose path is already
// known to be clear.
bool ReachesOverClearPath(PieceCode piece, int side, Square from, Square to) {
    const int towardOpponent = to.rank - from.rank;
    const int forward = side == Black ? -towardOpponent : towardOpponent;
    return MovementRuleAllows(piece, forward, to.file - from.file);
}

// The knights of `side` that jump onto `sq`: they stand two ranks behind it, one file aside.
bool AttackedByKnight(const Position& pos, Square sq, int side) {
    const int behind = side == Black ? 2 : -2;
    for (int aside : {-1, 1}) {
        const Square from{sq.rank + behind, sq.file + aside};
        if (IsOnBoard(from) && pos.Cell(from) == (side | Knight)) return true;
    }
    return false;
}

}  // namespace

bool IsAttacked(const Position& pos, Square sq, int bySide) {
    // Every attacker other than a knight is the first piece seen from `sq` along one of the
    // eight lines, so it is found by walking each line outward to its first piece.
    for (const Offset& d : Directions) {
        Square from{sq.rank + d.rank, sq.file + d.file};
        while (IsOnBoard(from) && pos.Cell(from) == 0)
            from = Square{from.rank + d.rank, from.file + d.file};
        if (!IsOnBoard(from)) continue;
        const PieceCode piece = pos.Cell(from);
        if (OwnerOf(piece) == bySide && ReachesOverClearPath(piece, bySide, from, sq)) return true;
    }
    return AttackedByKnight(pos, sq, bySide);
}

bool InCheck(const Position& pos, int side) {
    for (int cell = 0; cell < CellCount; ++cell) {
        if (pos.board[cell] != (side | King)) continue;
        if (IsAttacked(pos, Square{cell / BoardSize, cell % BoardSize}, OtherSide(side)))
            return true;
    }
    return false;
}

bool LeavesKingInCheck(const Position& pos, const Move& move) {
    Position after = pos;
    Move played = move;
    played.captured = move.drop ? 0 : static_cast<std::uint8_t>(pos.Cell(move.to));
    Play(after, played);
    return InCheck(after, pos.sideToMove);
}
