#pragma once

#include "model/piece.h"
#include "model/square.h"

// One move: a board move from `from` to `to`, or a drop from the hand onto `to`.
struct Move {
    Square from;  // meaningless for a drop; the reader sets rank 0, file 0 there
    Square to;
    PieceCode piece = 0;     // the code as it stood on `from`; for a drop side bit + kind
    int drop = 0;            // non-zero when the piece comes from the hand
    int promote = 0;         // non-zero when the piece promotes on arrival
    PieceCode captured = 0;  // what stood on `to`; filled by the record when it stores the move
};

// Two moves are the same when piece, drop, promote and destination agree and, unless they are
// drops, the origin too. The captured piece is never compared.
bool SameMove(const Move& a, const Move& b);
