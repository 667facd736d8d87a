#pragma once

#include <string>

#include "model/gamerecord.h"

// True when both records hold the same header (the further header lines included, in order),
// the same start position, the same tree with continuations in the same order, and at every
// node the same move or result (for a move: origin, destination, piece, drop, promotion and
// captured piece; the origin of a drop is not compared), ply number, comment, bookmark and
// time. The current node is not compared. On a difference `why`, when given, says what differs and
// where, the place given as the continuation indices from the root.
bool SameRecord(const GameRecord& a, const GameRecord& b, std::string* why = nullptr);
