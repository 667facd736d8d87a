#pragma once

#include "model/move.h"
#include "model/position.h"

// Check, for the notations that judge it (a move that leaves its own king in check is not
// counted among the pieces that could have made it). The move rules themselves still never
// refuse a move for check.

// Whether a piece of `bySide` on the board could move to `sq` by its movement rule, along a clear
// path: whatever stands on `sq`, and whoever is to move.
bool IsAttacked(const Position& pos, Square sq, int bySide);

// Whether a king of `side` stands on the board attacked by the other side; false without one.
bool InCheck(const Position& pos, int side);

// Whether playing `move`, which IsLegal accepts on `pos`, leaves a king of the mover in check.
bool LeavesKingInCheck(const Position& pos, const Move& move);
