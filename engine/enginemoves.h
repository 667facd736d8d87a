#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/move.h"
#include "model/position.h"

// What an engine names is checked before anything uses it: an engine may be wrong, or answer
// for another position than the one it was given.

// The move a USI move text names, when it is legal on `position`: its shape reads, the move
// rules allow it and it leaves no king of the mover in check. The move carries the piece it
// moves and the piece it captures, as the record stores them.
std::optional<Move> LegalEngineMove(const Position& position, std::string_view word);

// A line of play an engine names, checked move by move from `position`.
struct CheckedLine {
    std::vector<Move> moves;  // the longest legal start of the line
    std::string illegalWord;  // the first move that is not legal where it stands; empty if none
};
CheckedLine CheckEngineLine(Position position, const std::vector<std::string>& words);
