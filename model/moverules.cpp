#include "model/moverules.h"

#include <cstdlib>

namespace {

// A step toward the opponent is a positive forward distance for either side.
int ForwardDistance(const Position& pos, const Move& move) {
    int dr = move.to.rank - move.from.rank;
    return pos.sideToMove == Black ? -dr : dr;
}

int Sign(int x) {
    return (x > 0) - (x < 0);
}

// The four orthogonal neighbours and the two forward diagonals.
bool GoldStep(int f, int dc) {
    return std::abs(f) + std::abs(dc) == 1 || (f == 1 && std::abs(dc) == 1);
}

bool OneStepAnyWay(int f, int dc) {
    return std::abs(f) <= 1 && std::abs(dc) <= 1;
}

bool BishopLine(int f, int dc) {
    return std::abs(dc) == std::abs(f);
}

bool RookLine(int f, int dc) {
    return f == 0 || dc == 0;
}

// Every square strictly between from and to, walked along the rank, file or diagonal, is empty.
bool PathClear(const Position& pos, Square from, Square to) {
    int stepRank = Sign(to.rank - from.rank);
    int stepFile = Sign(to.file - from.file);
    Square sq{from.rank + stepRank, from.file + stepFile};
    while (!(sq == to)) {
        if (pos.Cell(sq) != 0) return false;
        sq.rank += stepRank;
        sq.file += stepFile;
    }
    return true;
}

enum class Path { None, Slide };

// Whether the piece's movement rule allows the step, and whether a sliding path must be clear.
bool MovementRuleHolds(PieceCode piece, int f, int dc, Path& path) {
    path = Path::None;
    switch (RuleOf(piece)) {
        case Pawn:
            return f == 1 && dc == 0;
        case Lance:
            path = Path::Slide;
            return f >= 1 && dc == 0;
        case Knight:
            return f == 2 && std::abs(dc) == 1;
        case Silver:
            return (f == 1 && dc == 0) || (std::abs(f) == 1 && std::abs(dc) == 1);
        case Bishop:
            path = Path::Slide;
            return BishopLine(f, dc);
        case Rook:
            path = Path::Slide;
            return RookLine(f, dc);
        case King:
            return OneStepAnyWay(f, dc);
        case PromotedFlag | Bishop:
            if (OneStepAnyWay(f, dc)) return true;
            path = Path::Slide;
            return BishopLine(f, dc);
        case PromotedFlag | Rook:
            if (OneStepAnyWay(f, dc)) return true;
            path = Path::Slide;
            return RookLine(f, dc);
        default:  // gold, the promoted minor pieces, and the codes that never occur
            return GoldStep(f, dc);
    }
}

bool PromotionFlagFits(const Position& pos, const Move& move) {
    return move.promote ? MayPromote(pos, move) : !MustPromote(pos, move);
}

// No unpromoted pawn of the same side may stand on the file a pawn is dropped on.
bool PawnOnFile(const Position& pos, PieceCode pawn, int file) {
    for (int rank = 0; rank < BoardSize; ++rank)
        if (pos.Cell(rank, file) == pawn) return true;
    return false;
}

}  // namespace

bool MovementRuleAllows(PieceCode piece, int forward, int sideways) {
    Path path;
    return MovementRuleHolds(piece, forward, sideways, path);
}

bool IsLegal(const Position& pos, const Move& move) {
    if ((move.piece & pos.sideToMove) == 0) return false;
    return move.drop ? IsLegalDrop(pos, move) : IsLegalBoardMove(pos, move);
}

bool IsLegalBoardMove(const Position& pos, const Move& move) {
    if (!IsOnBoard(move.from) || !IsOnBoard(move.to)) return false;
    if (pos.Cell(move.from) != move.piece) return false;
    if (pos.Cell(move.to) & pos.sideToMove) return false;
    int f = ForwardDistance(pos, move);
    int dc = move.to.file - move.from.file;
    if (f == 0 && dc == 0) return false;
    Path path;
    if (!MovementRuleHolds(move.piece, f, dc, path)) return false;
    if (path == Path::Slide && !PathClear(pos, move.from, move.to)) return false;
    return PromotionFlagFits(pos, move);
}

bool IsLegalDrop(const Position& pos, const Move& move) {
    if (!IsOnBoard(move.to)) return false;
    if (IsPromoted(move.piece) || move.promote) return false;
    // A code carrying both side bits must never reach the board.
    if (OwnerOf(move.piece) != pos.sideToMove) return false;
    PieceType kind = KindOf(move.piece);
    if (pos.HandCount(pos.sideToMove, kind) <= 0) return false;
    if (pos.Cell(move.to) != 0) return false;
    if (MustPromote(pos, move)) return false;
    if (kind == Pawn && PawnOnFile(pos, move.piece, move.to.file)) return false;
    return true;
}

bool MustPromote(const Position& pos, const Move& move) {
    if (IsPromoted(move.piece)) return false;
    bool black = pos.sideToMove == Black;
    int rank = move.to.rank;
    switch (KindOf(move.piece)) {
        case Pawn:
        case Lance:
            return black ? rank == 0 : rank == 8;
        case Knight:
            return black ? rank <= 1 : rank >= 7;
        default:
            return false;
    }
}

bool MayPromote(const Position& pos, const Move& move) {
    if (move.drop) return false;
    if (IsPromoted(move.piece) || !CanPromote(KindOf(move.piece))) return false;
    if (pos.sideToMove == Black) return move.from.rank < 3 || move.to.rank < 3;
    return move.from.rank > 5 || move.to.rank > 5;
}

void Play(Position& pos, const Move& move) {
    int side = pos.sideToMove;
    if (move.drop) {
        pos.Cell(move.to) = move.piece;
        --pos.HandCount(side, KindOf(move.piece));
    } else {
        pos.Cell(move.from) = 0;
        pos.Cell(move.to) = move.promote ? (move.piece | PromotedFlag) : move.piece;
        if (move.captured != 0) ++pos.HandCount(side, KindOf(move.captured));
    }
    pos.sideToMove = OtherSide(side);
}

void TakeBack(Position& pos, const Move& move) {
    pos.sideToMove = OtherSide(pos.sideToMove);
    int side = pos.sideToMove;
    if (move.drop) {
        pos.Cell(move.to) = 0;
        ++pos.HandCount(side, KindOf(move.piece));
    } else {
        pos.Cell(move.from) = move.piece;
        pos.Cell(move.to) = move.captured;
        if (move.captured != 0) --pos.HandCount(side, KindOf(move.captured));
    }
}

bool ResolveOrigin(const Position& pos, Move& move) {
    for (int rank = 0; rank < BoardSize; ++rank) {
        for (int file = 0; file < BoardSize; ++file) {
            if (pos.Cell(rank, file) != move.piece) continue;
            move.from = Square{rank, file};
            move.promote = MustPromote(pos, move);
            if (IsLegal(pos, move)) return true;
        }
    }
    return false;
}
