#include "model/soundness.h"

#include <array>

namespace {

constexpr const char* KindNames[KindCount] = {"pawn", "lance",  "knight", "silver",
                                              "gold", "bishop", "rook",   "king"};

// The square as the notation writes it: file digit, then rank letter ("5a").
std::string SquareName(int rank, int file) {
    return {static_cast<char>('1' + file), static_cast<char>('a' + rank)};
}

bool IsValidCode(PieceCode code) {
    if (code == 0) return true;
    const int owner = OwnerOf(code);
    if (owner != Black && owner != White) return false;
    if ((code & ~(SideMask | 15)) != 0) return false;
    return !IsPromoted(code) || CanPromote(KindOf(code));
}

// How many ranks lie ahead of a piece of `side` on `rank`, toward the opponent's back rank.
int RanksAhead(int side, int rank) {
    return side == Black ? rank : BoardSize - 1 - rank;
}

// The ranks ahead that an unpromoted piece of this kind needs to have a further move.
int RanksNeeded(PieceType kind) {
    if (kind == Pawn || kind == Lance) return 1;
    if (kind == Knight) return 2;
    return 0;
}

std::string CellCodesProblem(const Position& pos) {
    for (int rank = 0; rank < BoardSize; ++rank)
        for (int file = 0; file < BoardSize; ++file)
            if (!IsValidCode(pos.Cell(rank, file)))
                return "invalid piece code " + std::to_string(pos.Cell(rank, file)) + " at " +
                       SquareName(rank, file);
    return {};
}

std::string HandsProblem(const Position& pos) {
    for (int side : {Black, White})
        for (PieceType kind = 0; kind < KindCount; ++kind)
            if (pos.HandCount(side, kind) < 0)
                return std::string(SideName(side)) + " has " +
                       std::to_string(pos.HandCount(side, kind)) + " " + KindNames[kind] +
                       "s in hand";
    return {};
}

std::string KingsProblem(const Position& pos) {
    for (int side : {Black, White}) {
        int kings = 0;
        for (PieceCode code : pos.board)
            kings += code == (side | King);
        if (kings > 1)
            return (kings == 2 ? std::string("two") : std::to_string(kings)) + " " +
                   SideName(side) + " kings";
    }
    return {};
}

std::string StrandedPieceProblem(const Position& pos) {
    for (int rank = 0; rank < BoardSize; ++rank) {
        for (int file = 0; file < BoardSize; ++file) {
            const PieceCode code = pos.Cell(rank, file);
            if (code == 0 || IsPromoted(code)) continue;
            const int needed = RanksNeeded(KindOf(code));
            if (RanksAhead(OwnerOf(code), rank) >= needed) continue;
            return std::string(KindNames[KindOf(code)]) +
                   (needed == 1 ? " on the last rank at " : " on the last two ranks at ") +
                   SquareName(rank, file);
        }
    }
    return {};
}

std::string DoubledPawnsProblem(const Position& pos) {
    for (int side : {Black, White}) {
        for (int file = 0; file < BoardSize; ++file) {
            int pawns = 0;
            for (int rank = 0; rank < BoardSize; ++rank)
                pawns += pos.Cell(rank, file) == (side | Pawn);
            if (pawns > 1)
                return std::string("two ") + SideName(side) + " pawns on file " +
                       std::to_string(file + 1);
        }
    }
    return {};
}

std::string PieceCountProblem(const Position& pos) {
    std::array<int, KindCount> counts{};
    for (PieceCode code : pos.board)
        if (code != 0) ++counts[KindOf(code)];
    for (PieceType kind = 0; kind < KindCount; ++kind) {
        const long long total = static_cast<long long>(counts[kind]) + pos.HandCount(Black, kind) +
                                pos.HandCount(White, kind);
        if (total > PiecesInSet[kind]) return std::to_string(total) + " " + KindNames[kind] + "s";
    }
    return {};
}

}  // namespace

std::string PositionProblem(const Position& pos) {
    if (pos.sideToMove != Black && pos.sideToMove != White)
        return "the side to move is neither Black nor White";
    // The codes first: every later rule reads kinds and owners out of them.
    for (auto rule : {CellCodesProblem, HandsProblem, KingsProblem, StrandedPieceProblem,
                      DoubledPawnsProblem, PieceCountProblem}) {
        std::string problem = rule(pos);
        if (!problem.empty()) return problem;
    }
    return {};
}
