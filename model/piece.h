#pragma once

// The basic vocabulary of the game.
//
// A piece code is the owner's side bit (Black 16, White 32), plus 8 when promoted, plus the
// kind 0..7; an empty cell is 0. Every occupied cell carries a side bit, so a Black pawn is 16
// and only 0 is empty.

using PieceType = int;  // 0..7, the index of the kind's letter in PieceLetters
using PieceCode = int;  // 0, or side bit + PromotedFlag (optional) + kind

enum : PieceType { Pawn = 0, Lance, Knight, Silver, Gold, Bishop, Rook, King };

inline constexpr int Black = 16;  // moves first
inline constexpr int White = 32;
inline constexpr int SideMask = 48;  // side XOR SideMask is the other side
inline constexpr int PromotedFlag = 8;

inline constexpr char PieceLetters[] = "PLNSGBRK";
inline constexpr int KindCount = 8;
// How many pieces of each kind one set holds, both sides together, indexed by kind.
inline constexpr int PiecesInSet[KindCount] = {18, 4, 4, 4, 4, 2, 2, 2};

constexpr PieceType KindOf(PieceCode code) {
    return code & 7;
}
// The kind with its promotion, 0..15: selects the movement rule.
constexpr int RuleOf(PieceCode code) {
    return code & 15;
}
constexpr int OwnerOf(PieceCode code) {
    return code & SideMask;
}
constexpr bool IsPromoted(PieceCode code) {
    return (code & PromotedFlag) != 0;
}
constexpr int OtherSide(int side) {
    return side ^ SideMask;
}
constexpr const char* SideName(int side) {
    return side == White ? "White" : "Black";
}
constexpr bool CanPromote(PieceType kind) {
    return kind != Gold && kind != King;
}

constexpr char PieceLetter(PieceType kind) {
    return PieceLetters[kind & 7];
}

// The kind named by an upper-case letter, or -1 when the letter names no piece.
constexpr PieceType KindOfLetter(char upper) {
    for (PieceType kind = 0; kind < KindCount; ++kind)
        if (PieceLetters[kind] == upper) return kind;
    return -1;
}
