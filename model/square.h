#pragma once

#include <algorithm>
#include <cstdint>

// A board square. Rank 0..8 is written a..i (rank 0 is White's back rank, rank 8 Black's);
// file 0..8 is written 1..9. Cells are stored rank-major: rank * 9 + file.
//
// The coordinates are one byte each, so that a stored move stays small; a coordinate built
// from a value beyond a byte (a click far outside the board) saturates and stays off the board.
struct Square {
    std::int8_t rank = 0;
    std::int8_t file = 0;

    constexpr Square() = default;
    constexpr Square(int r, int f) : rank(Narrow(r)), file(Narrow(f)) {}

    friend constexpr bool operator==(const Square&, const Square&) = default;

  private:
    static constexpr std::int8_t Narrow(int value) {
        return static_cast<std::int8_t>(std::clamp(value, -128, 127));
    }
};

inline constexpr int BoardSize = 9;
inline constexpr int CellCount = 81;

constexpr bool IsOnBoard(Square sq) {
    return sq.rank >= 0 && sq.rank < BoardSize && sq.file >= 0 && sq.file < BoardSize;
}
constexpr int CellIndex(Square sq) {
    return sq.rank * BoardSize + sq.file;
}
constexpr Square SquareAt(int rank, int file) {
    return Square{rank, file};
}
