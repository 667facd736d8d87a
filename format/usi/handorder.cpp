#include "format/usi/handorder.h"

HeldPieces::HeldPieces(const Position& position, int side, const HandOrder& order) {
    for (PieceType kind : order) {
        const int count = position.HandCount(side, kind);
        if (count > 0) pieces_[size_++] = HeldPiece{kind, count};
    }
}
