#pragma once

#include <cstdint>

#include "model/piece.h"
#include "model/square.h"

// One move: a board move from `from` to `to`, or a drop from the hand onto `to`. Every field is
// one byte (piece codes stay below 64), so a stored move takes 8 bytes; the constructor takes
// the piece codes as the ints they are everywhere else.
struct Move {
    Square from;  // meaningless for a drop; the reader sets rank 0, file 0 there
    Square to;
    std::uint8_t piece = 0;     // the code as it stood on `from`; for a drop side bit + kind
    std::uint8_t drop = 0;      // non-zero when the piece comes from the hand
    std::uint8_t promote = 0;   // non-zero when the piece promotes on arrival
    std::uint8_t captured = 0;  // what stood on `to`; filled by the record when it stores the move

    constexpr Move() = default;
    constexpr Move(Square from_, Square to_, PieceCode piece_, int drop_ = 0, int promote_ = 0,
                   PieceCode captured_ = 0)
        : from(from_),
          to(to_),
          piece(static_cast<std::uint8_t>(piece_)),
          drop(drop_ != 0),
          promote(promote_ != 0),
          captured(static_cast<std::uint8_t>(captured_)) {}
};

// Two moves are the same when piece, drop, promote and destination agree and, unless they are
// drops, the origin too. The captured piece is never compared.
bool SameMove(const Move& a, const Move& b);

static_assert(sizeof(Move) == 8, "a move is stored in every node of the tree");
