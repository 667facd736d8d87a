#pragma once

#include <string>

#include "model/position.h"

// The board as text, Black at the bottom: files 9 to 1 across the top, ranks a to i down the
// right-hand side; Black's pieces in upper case, White's in lower case, '+' before a promoted
// piece, '.' on an empty square. Every line ends with a line feed.
//
//       9  8  7  6  5  4  3  2  1
//     +---------------------------+
//     | l  n  s  g  k  g  s  n  l | a
//     | .  r  .  .  .  .  .  b  . | b
//     ...
std::string BoardDiagram(const Position& position);

// One side's pieces in hand in the order R B G S N L P K, a count before a letter when above
// one ("R 2G 3P"), in the side's letter case; "none" for an empty hand.
std::string HandText(const Position& position, int side);
