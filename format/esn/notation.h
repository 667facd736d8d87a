#pragma once

#include <string>
#include <vector>

#include "model/gamerecord.h"
#include "model/move.h"
#include "model/position.h"
#include "model/square.h"

// The two characters of a square: file digit 1..9, then rank letter a..i.
std::string SquareText(Square sq);

// The short text of a move: origin written for every kind but pawn and king.
std::string MoveText(const Move& move);

// The text a record file holds for `move` played on `before`: the short text, or the text with
// its origin square when the short text would read back as another piece of the same code.
std::string MoveTextOn(const Position& before, const Move& move);

// One "%i. %s" label per continuation of the current node, in continuation order: the move
// text, or a result's label ("81. Resigns").
void GetContinuationList(const GameRecord& record, std::vector<std::string>& list);

// Room for the longest move text, "+S4cx5b+" of a malformed move included.
inline constexpr int MoveTextCapacity = 8;

// The characters of a move text, written into `out` without allocating; answers their count.
// `withOrigin` forces the origin square for the kinds whose short text leaves it out.
int FormatMoveText(const Move& move, bool withOrigin, char* out);

// True when the short text of `move` names no origin and reading it back on `before` would take
// another piece of the same code (or none), so the text must carry its origin square.
bool NeedsOriginSquare(const Position& before, const Move& move);
