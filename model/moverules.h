#pragma once

#include "model/move.h"
#include "model/position.h"

// The rules of single moves. The mover is always the position's side to move. Nothing here
// looks at check, mate or repetition: a king may be left in check, captured and dropped.

bool IsLegal(const Position& pos, const Move& move);
bool IsLegalBoardMove(const Position& pos, const Move& move);
bool IsLegalDrop(const Position& pos, const Move& move);

// Whether the movement rule of `piece` takes it `forward` ranks toward the opponent and
// `sideways` files across, provided every square in between is empty.
bool MovementRuleAllows(PieceCode piece, int forward, int sideways);

// The piece would have no further move if it arrived unpromoted.
bool MustPromote(const Position& pos, const Move& move);
// The move is allowed to promote: it starts or ends in the promotion zone.
bool MayPromote(const Position& pos, const Move& move);

// Plays a move that IsLegal accepted, taking the captured piece from move.captured.
void Play(Position& pos, const Move& move);
// Undoes a move that Play played on this position.
void TakeBack(Position& pos, const Move& move);

// Finds the origin of a board move given by its piece and destination only: the first piece of
// that exact code in rank-major order that can legally get there, with promote set to the
// forced-promotion value. Answers false, and leaves from and promote as last tried, when none can.
bool ResolveOrigin(const Position& pos, Move& move);
