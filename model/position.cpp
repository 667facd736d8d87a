#include "model/position.h"

#include <algorithm>

namespace {

// Rank a holds White's back row and rank i Black's; listed from file 1 to file 9.
constexpr PieceType BackRow[BoardSize] = {Lance, Knight, Silver, Gold, King,
                                          Gold,  Silver, Knight, Lance};

}  // namespace

void Position::SetStartPosition() {
    board.fill(0);
    hands.fill(0);
    sideToMove = Black;
    for (int file = 0; file < BoardSize; ++file) {
        Cell(0, file) = White | BackRow[file];
        Cell(2, file) = White | Pawn;
        Cell(6, file) = Black | Pawn;
        Cell(8, file) = Black | BackRow[file];
    }
    Cell(1, 1) = White | Bishop;
    Cell(1, 7) = White | Rook;
    Cell(7, 1) = Black | Rook;
    Cell(7, 7) = Black | Bishop;
}

void Position::CopyHands(int out[16]) const {
    std::copy(hands.begin(), hands.end(), out);
}
