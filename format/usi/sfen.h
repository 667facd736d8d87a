#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "model/position.h"

// The position in the one-line form engines and record programs exchange: the ranks a to i,
// each from file 9 to 1 (Black upper case, White lower case, '+' before a promoted piece,
// digits for runs of empty squares), the side to move, both hands (Black's, then White's,
// '-' when both are empty) and the number of the next move, ply + 1.
std::string Sfen(const Position& position, int ply);

// Why a text does not hold a position in that form, and the offset of the byte at fault in
// the text read.
struct SfenError {
    std::string message;  // "rank 3 has 10 files", "unknown piece letter 'X'", "two Black kings"
    std::size_t offset = 0;
};

struct SfenReading {
    Position position;
    std::size_t end = 0;  // just after the last field read
    std::optional<SfenError> error;
};

// Reads a position in that form from the start of `text` (blanks before it are skipped): the
// board, the side to move, the hands and, when the next word is a number, the move number,
// which a record does not keep (its plies count from its start). Reading stops there, or before
// the first word after the hands that is not a number. Hands are taken in any order, a count of
// 0 or 1 written out included, but each kind of each side only once. A position that is read
// whole but that no record can hold (RefusalText) is an error at the start of the board; the
// rules of play it breaks are for the caller to tell (PositionProblems).
SfenReading ReadSfen(std::string_view text);
