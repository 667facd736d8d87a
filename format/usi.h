#pragma once

#include <string>
#include <string_view>

#include "format/recordio.h"
#include "model/move.h"

// USI records: the line an engine is given, "position startpos moves 7g7f 3c3d" or "position
// sfen <position> moves ...", the word "position" optional. Read as a record with that start
// and that main line; written as one such line for the main line.
extern const FormatHandler UsiFormat;

// Whether the first line with text begins with "position" or "startpos", or is "sfen ..." with
// moves after the position.
bool LooksLikeUsi(std::string_view bytes);

// A move as USI writes it: "7g7f", "8h2b+", "P*5e".
std::string UsiMoveText(const Move& move);
