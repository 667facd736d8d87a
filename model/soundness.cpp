#include "model/soundness.h"

#include <array>

#include "model/check.h"

namespace {

constexpr const char* KindNames[KindCount] = {"pawn", "lance",  "knight", "silver",
                                              "gold", "bishop", "rook",   "king"};

// The square as the notation writes it: file digit, then rank letter ("5a").
std::string SquareName(Square sq) {
    return {static_cast<char>('1' + sq.file), static_cast<char>('a' + sq.rank)};
}

// "two", "three", ... for the small counts a message names; digits beyond.
std::string CountWord(long long count) {
    static constexpr const char* Words[] = {"two", "three", "four",  "five",
                                            "six", "seven", "eight", "nine"};
    return count >= 2 && count <= 9 ? Words[count - 2] : std::to_string(count);
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

using Problems = std::vector<PositionProblem>;

void AddCodeProblems(const Position& pos, Problems& problems) {
    for (int rank = 0; rank < BoardSize; ++rank)
        for (int file = 0; file < BoardSize; ++file)
            if (!IsValidCode(pos.Cell(rank, file)))
                problems.push_back(
                    {PositionRule::InvalidCode, 0, 0, Square(rank, file), pos.Cell(rank, file)});
}

void AddHandProblems(const Position& pos, Problems& problems) {
    for (int side : {Black, White})
        for (PieceType kind = 0; kind < KindCount; ++kind)
            if (pos.HandCount(side, kind) < 0)
                problems.push_back(
                    {PositionRule::NegativeHand, side, kind, {}, pos.HandCount(side, kind)});
}

void AddKingProblems(const Position& pos, Problems& problems) {
    for (int side : {Black, White}) {
        int kings = 0;
        for (PieceCode code : pos.board)
            kings += code == (side | King);
        if (kings > 1) problems.push_back({PositionRule::TwoKings, side, King, {}, kings});
    }
}

void AddPieceCountProblems(const Position& pos, Problems& problems) {
    std::array<long long, KindCount> counts{};
    for (PieceCode code : pos.board)
        if (code != 0) ++counts[KindOf(code)];
    for (PieceType kind = 0; kind < KindCount; ++kind) {
        const long long total =
            counts[kind] + pos.HandCount(Black, kind) + pos.HandCount(White, kind);
        if (total > PiecesInSet[kind])
            problems.push_back({PositionRule::TooManyPieces, 0, kind, {}, total});
    }
}

void AddStrandedPieces(const Position& pos, Problems& problems) {
    for (int rank = 0; rank < BoardSize; ++rank) {
        for (int file = 0; file < BoardSize; ++file) {
            const PieceCode code = pos.Cell(rank, file);
            if (code == 0 || IsPromoted(code)) continue;
            if (RanksAhead(OwnerOf(code), rank) >= RanksNeeded(KindOf(code))) continue;
            problems.push_back(
                {PositionRule::StrandedPiece, OwnerOf(code), KindOf(code), Square(rank, file)});
        }
    }
}

void AddDoubledPawns(const Position& pos, Problems& problems) {
    for (int side : {Black, White}) {
        for (int file = 0; file < BoardSize; ++file) {
            int pawns = 0;
            for (int rank = 0; rank < BoardSize; ++rank)
                pawns += pos.Cell(rank, file) == (side | Pawn);
            if (pawns > 1)
                problems.push_back(
                    {PositionRule::DoubledPawns, side, Pawn, Square(0, file), pawns});
        }
    }
}

void AddOpponentInCheck(const Position& pos, Problems& problems) {
    const int side = OtherSide(pos.sideToMove);
    for (int cell = 0; cell < CellCount; ++cell) {
        const Square sq(cell / BoardSize, cell % BoardSize);
        if (pos.Cell(sq) == (side | King) && IsAttacked(pos, sq, pos.sideToMove))
            problems.push_back({PositionRule::OpponentInCheck, side, King, sq});
    }
}

}  // namespace

std::vector<PositionProblem> PositionProblems(const Position& pos) {
    Problems problems;
    if (pos.sideToMove != Black && pos.sideToMove != White) {
        problems.push_back({PositionRule::SideToMove});
        return problems;
    }
    // The codes first: every later rule reads kinds and owners out of them.
    AddCodeProblems(pos, problems);
    if (!problems.empty()) return problems;
    for (auto rule : {AddHandProblems, AddKingProblems, AddPieceCountProblems, AddStrandedPieces,
                      AddDoubledPawns, AddOpponentInCheck})
        rule(pos, problems);
    return problems;
}

std::string ProblemText(const PositionProblem& problem) {
    const std::string side = SideName(problem.side);
    const std::string kind = KindNames[problem.kind & 7];
    switch (problem.rule) {
        case PositionRule::SideToMove:
            return "the side to move is neither Black nor White";
        case PositionRule::InvalidCode:
            return "invalid piece code " + std::to_string(problem.count) + " at " +
                   SquareName(problem.square);
        case PositionRule::NegativeHand:
            return side + " has " + std::to_string(problem.count) + " " + kind + "s in hand";
        case PositionRule::TwoKings:
            return CountWord(problem.count) + " " + side + " kings";
        case PositionRule::TooManyPieces:
            return std::to_string(problem.count) + " " + kind + "s";
        case PositionRule::StrandedPiece:
            return side + "'s " + kind + " on " + SquareName(problem.square) + " can never move";
        case PositionRule::DoubledPawns:
            return CountWord(problem.count) + " " + side + " pawns on file " +
                   std::to_string(problem.square.file + 1);
        case PositionRule::OpponentInCheck:
            return side + "'s king on " + SquareName(problem.square) + " is in check with " +
                   SideName(OtherSide(problem.side)) + " to move";
    }
    return {};
}

std::string RefusalText(const Position& pos) {
    for (const PositionProblem& problem : PositionProblems(pos))
        if (IsRefusal(problem)) return ProblemText(problem);
    return {};
}
