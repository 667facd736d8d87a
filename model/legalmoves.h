#pragma once

#include "model/position.h"

// Whether the side to move has a move: one the move rules allow that leaves its own king out of
// check. Without one the side is mated (in check) or stalemated, and there is nothing to play
// or to search. A pawn drop that would mate counts as a move here.
bool HasLegalMove(const Position& pos);
