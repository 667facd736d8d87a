#pragma once

// A board square. Rank 0..8 is written a..i (rank 0 is White's back rank, rank 8 Black's);
// file 0..8 is written 1..9. Cells are stored rank-major: rank * 9 + file.
struct Square {
    int rank = 0;
    int file = 0;

    friend constexpr bool operator==(const Square&, const Square&) = default;
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
