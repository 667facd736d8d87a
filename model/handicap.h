#pragma once

#include <optional>

#include "model/position.h"

// The named start positions of handicap games. The stronger player (White, the handicap giver)
// leaves some of their pieces out of the game and moves first. "Left" and "right" name the
// giver's own sides as the giver sits: the giver's left is the side of file 1.
enum class Handicap {
    Even,              // no handicap: the initial position, Black moves first
    Lance,             // the left lance (1a)
    RightLance,        // the right lance (9a)
    Bishop,            // the bishop (2b)
    Rook,              // the rook (8b)
    RookAndLance,      // the rook and the left lance
    TwoPieces,         // rook and bishop
    ThreePieces,       // rook, bishop and the left lance
    FourPieces,        // rook, bishop and both lances
    FivePieces,        // four pieces and the right knight (8a)
    LeftFivePieces,    // four pieces and the left knight (2a)
    SixPieces,         // four pieces and both knights
    LeftSevenPieces,   // six pieces and the left silver (3a)
    RightSevenPieces,  // six pieces and the right silver (7a)
    EightPieces,       // six pieces and both silvers
    TenPieces,         // eight pieces and both golds
};

inline constexpr int HandicapCount = static_cast<int>(Handicap::TenPieces) + 1;

// The start position of a handicap: the initial position without the pieces it removes (they
// are in nobody's hand), with White to move; the even game has Black to move.
Position HandicapPosition(Handicap handicap);

// The handicap whose start position `pos` is exactly (board, empty hands and side to move).
std::optional<Handicap> MatchHandicap(const Position& pos);
