#pragma once

#include <string>

#include "model/position.h"

// The position in the one-line form engines and record programs exchange: the ranks a to i,
// each from file 9 to 1 (Black upper case, White lower case, '+' before a promoted piece,
// digits for runs of empty squares), the side to move, both hands (Black's, then White's,
// '-' when both are empty) and the number of the next move, ply + 1.
std::string Sfen(const Position& position, int ply);
