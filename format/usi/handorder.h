#pragma once

#include <array>

#include "model/piece.h"
#include "model/position.h"

// The orders in which pieces in hand are listed. Record formats and the text diagram list them
// from the strongest: rook, bishop, gold, silver, knight, lance, pawn, and last the king, held
// only after one was captured. The board window lists them by kind: P L N S G B R K.
using HandOrder = std::array<PieceType, KindCount>;
inline constexpr HandOrder StrongestFirst = {Rook, Bishop, Gold, Silver, Knight, Lance, Pawn, King};
inline constexpr HandOrder KindOrder = {Pawn, Lance, Knight, Silver, Gold, Bishop, Rook, King};

// One kind a side holds, with how many.
struct HeldPiece {
    PieceType kind = Pawn;
    int count = 0;
};

// The kinds `side` holds in `position`, in `order`, without the kinds it holds none of.
class HeldPieces {
  public:
    HeldPieces(const Position& position, int side, const HandOrder& order);

    int size() const { return size_; }
    const HeldPiece& operator[](int index) const { return pieces_[index]; }
    const HeldPiece* begin() const { return pieces_.data(); }
    const HeldPiece* end() const { return pieces_.data() + size_; }

  private:
    std::array<HeldPiece, KindCount> pieces_{};
    int size_ = 0;
};
