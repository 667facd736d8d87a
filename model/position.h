#pragma once

#include <array>

#include "model/piece.h"
#include "model/square.h"

// The 9x9 board, the pieces in hand of both sides and the side to move.
struct Position {
    std::array<PieceCode, CellCount> board{};
    // White's eight counts (index = kind), then Black's eight (index 8 + kind).
    std::array<int, 16> hands{};
    int sideToMove = Black;

    Position() { SetStartPosition(); }

    // The one starting position of every record; hands empty, Black to move.
    void SetStartPosition();

    PieceCode Cell(Square sq) const { return board[CellIndex(sq)]; }
    PieceCode Cell(int rank, int file) const { return board[rank * BoardSize + file]; }
    PieceCode& Cell(Square sq) { return board[CellIndex(sq)]; }
    PieceCode& Cell(int rank, int file) { return board[rank * BoardSize + file]; }

    static constexpr int HandIndex(int side, PieceType kind) {
        return side == White ? kind : KindCount + kind;
    }
    int HandCount(int side, PieceType kind) const { return hands[HandIndex(side, kind)]; }
    int& HandCount(int side, PieceType kind) { return hands[HandIndex(side, kind)]; }

    // Copies the 16 hand counts in storage order: White's eight, then Black's eight.
    void CopyHands(int out[16]) const;

    friend bool operator==(const Position&, const Position&) = default;
};
