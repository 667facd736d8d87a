#include "model/legalmoves.h"

#include "model/check.h"
#include "model/moverules.h"

namespace {

bool Playable(const Position& pos, const Move& move) {
    return IsLegal(pos, move) && !LeavesKingInCheck(pos, move);
}

bool HasBoardMove(const Position& pos) {
    for (int from = 0; from < CellCount; ++from) {
        const PieceCode piece = pos.board[from];
        if (OwnerOf(piece) != pos.sideToMove) continue;
        for (int to = 0; to < CellCount; ++to)
            for (int promote : {0, 1}) {
                const Move move(SquareAt(from / BoardSize, from % BoardSize),
                                SquareAt(to / BoardSize, to % BoardSize), piece, 0, promote);
                if (Playable(pos, move)) return true;
            }
    }
    return false;
}

bool HasDrop(const Position& pos) {
    for (PieceType kind = Pawn; kind < KindCount; ++kind) {
        if (pos.HandCount(pos.sideToMove, kind) <= 0) continue;
        for (int to = 0; to < CellCount; ++to) {
            const Move drop(Square{}, SquareAt(to / BoardSize, to % BoardSize),
                            pos.sideToMove | kind, 1);
            if (Playable(pos, drop)) return true;
        }
    }
    return false;
}

}  // namespace

bool HasLegalMove(const Position& pos) {
    return HasBoardMove(pos) || HasDrop(pos);
}
