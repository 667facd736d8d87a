#pragma once

#include <string>

#include "model/position.h"

// What makes `pos` unfit to start a record from, in words a user understands ("two Black
// kings", "pawn on the last rank at 5a", "19 pawns"), or an empty string when it is sound.
// Sound means: only valid piece codes, Black or White to move, no negative hand count, at most
// one king of each side on the board (none is fine: a problem has no Black king), no pawn or
// lance on its last rank and no knight on its last two, no two unpromoted pawns of one side on
// one file, and no more pieces of a kind than the set holds, board and hands together.
std::string PositionProblem(const Position& pos);

inline bool IsSound(const Position& pos) {
    return PositionProblem(pos).empty();
}
