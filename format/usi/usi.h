#pragma once

#include <string>
#include <string_view>

#include "format/text/loaderror.h"
#include "format/text/recordtext.h"
#include "model/gamerecord.h"
#include "model/move.h"
#include "model/position.h"

// USI records: the line an engine is given, "position startpos moves 7g7f 3c3d" or "position
// sfen <position> moves ...", the word "position" optional. Read as a record with that start
// and that main line; written as one such line for the main line. A word that is no move ends
// the record there, with a notice; a result word (resign, win, draw) closes the line.
void ReadUsi(GameRecord& record, RecordText& text, ReadReport& report);
void WriteUsi(const GameRecord& record, std::string& bytes);
// The word of the result closing the main line that USI can say ("resign"); empty when none.
std::string_view UsiClosingWord(const GameRecord& record);

// Whether the first line with text begins with "position" or "startpos", or is "sfen ..." with
// moves after the position.
bool LooksLikeUsi(const TextLine& line);

// The move that a USI move text names on `position`, checked only for its shape: "7g7f",
// "7g7f+", "P*5e" (some programs write the drop letter in lower case). The piece is the one on
// the origin square, or the side to move's for a drop. False when the text has none of the shapes.
bool ReadUsiMove(std::string_view text, const Position& position, Move& move);

// A move as USI writes it: "7g7f", "8h2b+", "P*5e".
std::string UsiMoveText(const Move& move);
