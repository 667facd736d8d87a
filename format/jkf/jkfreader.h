#pragma once

#include <string_view>

#include "format/text/loaderror.h"
#include "format/text/recordtext.h"
#include "model/gamerecord.h"

// JKF records (.jkf): the JSON form of a record that web viewers exchange. One object with
// "header" (labels as KIF writes them: 先手, 棋戦, ...), "initial" (a preset name such as
// "HIRATE" or "2", or "OTHER" with the board, the hands and the side to move) and "moves": the
// start's comments first, then one element per move with "move", "time", "special" (a result,
// by its CSA name), "comments" and "forks", the lines that are alternatives to that move.

// Reads a JKF file's text into `record`, which is reset first; `report` tells the rules of play
// the start breaks as notices, whether the start was fixed and the error, with the line and the
// column in characters where reading stopped; the record keeps what was read before it. On
// success the root is current. Moves must fit the board (the piece on the origin, what is
// captured, the side to move) and be legal; header labels this reader does not know are kept
// under themselves. The members of an object may come in any order.
void ReadJkf(GameRecord& record, RecordText& text, ReadReport& report);

// Whether the text plainly is a JKF file: a JSON object with "moves".
bool LooksLikeJkf(std::string_view text);
