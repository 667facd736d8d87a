#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/position.h"

// What a start position breaks. Some faults no record can hold (two kings of one side, more
// pieces of a kind than the set has): the position is refused. The others break a rule of
// play that problems and lessons break on purpose (nine pawns on one file, a piece with no move
// left, the side not to move in check): the position is held, and a reader says so in a notice.
enum class PositionRule : std::uint8_t {
    // Refused.
    SideToMove,     // neither Black nor White is to move
    InvalidCode,    // a cell holds no valid piece code (`count` is the code)
    NegativeHand,   // `side` holds `count` (below 0) pieces of `kind` in hand
    TwoKings,       // `count` kings of `side` on the board
    TooManyPieces,  // `count` pieces of `kind`, board and hands together
    // Held, with a notice.
    StrandedPiece,    // `side`'s unpromoted `kind` on `square` has no move left
    DoubledPawns,     // `count` unpromoted pawns of `side` on the file of `square`
    OpponentInCheck,  // the king of `side`, not to move, stands in check on `square`
};

// One fault, with the values that word it in any language.
struct PositionProblem {
    PositionRule rule = PositionRule::SideToMove;
    int side = 0;
    PieceType kind = 0;
    Square square{};
    long long count = 0;
};

// Whether the position is refused for this problem; otherwise it is a notice only.
constexpr bool IsRefusal(const PositionProblem& problem) {
    return problem.rule < PositionRule::StrandedPiece;
}

// Every problem of `pos`, refusals first; none for a sound position. After a fault in the side
// to move or in a piece code, which the other rules read, only that fault is listed.
std::vector<PositionProblem> PositionProblems(const Position& pos);

// The problem in words a user understands: "two Black kings", "19 pawns", "two White pawns on
// file 2", "White's pawn on 2i can never move", "White's king on 5a is in check with Black to
// move".
std::string ProblemText(const PositionProblem& problem);

// The first refusal's text, or an empty text when the position can be held.
std::string RefusalText(const Position& pos);

inline bool CanHoldPosition(const Position& pos) {
    return RefusalText(pos).empty();
}
