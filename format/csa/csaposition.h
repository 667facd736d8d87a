#pragma once

#include <array>
#include <string>
#include <string_view>

#include "model/piece.h"
#include "model/position.h"

// The start position of a CSA record. Its lines take pieces out of a box that at first holds a
// whole set: "PI" sets up the initial position (the squares and pieces after it go back into the
// box: "PI82HI22KA" is the two-piece handicap), "P1" to "P9" give one rank each from file 9 to 1,
// and "P+" / "P-" put single pieces on squares or, with square 00, into that side's hand; "00AL"
// puts every piece still in the box but the kings into the hand. What no line names stays in the
// box, on no square and in no hand.
class CsaPositionBuilder {
  public:
    CsaPositionBuilder();

    // Reads one position line. Answers an empty text, or what is wrong with the line, in a
    // user's words ("P+00FU: no FU is left", "PI and P1 to P9 in one position").
    std::string ReadLine(std::string_view line);

    // Whether any position line has been read.
    bool Started() const { return started_; }

    // The position the lines gave, with `side` to move.
    Position Finish(int side) const;

  private:
    std::string ReadInitial(std::string_view pieces);
    std::string ReadRank(int rank, std::string_view cells);
    std::string ReadPieceList(int side, std::string_view pieces);
    std::string Place(int side, std::string_view square, std::string_view code);
    bool TakeFromBox(PieceType kind);

    Position position_;
    std::array<int, KindCount> box_{};  // pieces of each kind in neither a square nor a hand
    std::array<bool, BoardSize> ranksGiven_{};
    bool initialGiven_ = false;
    bool started_ = false;
};

// Appends the lines that give `start`, each ending in CR LF: "PI" with the pieces it lacks when
// it is the initial position less at most ten pieces with empty hands (so a handicap reads as
// one), else the nine ranks and one "P+" and one "P-" line for the pieces in hand; then the side
// to move, "+" or "-".
void AppendCsaPosition(std::string& out, const Position& start);
