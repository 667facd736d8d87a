#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "format/recordio.h"
#include "format/textencoding.h"
#include "model/gamerecord.h"
#include "model/handicap.h"

// JKF records (.jkf): the JSON form of a record that web viewers exchange. One object with
// "header" (labels as KIF writes them: 先手, 棋戦, ...), "initial" (a preset name such as
// "HIRATE" or "2", or "OTHER" with the board, the hands and the side to move) and "moves": the
// start's comments first, then one element per move with "move", "time", "special" (a result,
// by its CSA name), "comments" and "forks", the lines that are alternatives to that move.

// Reads a JKF file into `record`, which is reset first; `outcome` tells the type (UTF-8, as JKF
// is, unless the bytes say otherwise), the rules of play the start breaks as notices and whether
// the start was fixed. On success the root is current. Moves must fit the board (the piece on
// the origin, what is captured, the side to move) and be legal; header labels this reader does
// not know are kept under themselves. Throws ESNLoadError with the line and the column in
// characters where reading stopped; the record keeps what was read.
void ReadJkf(GameRecord& record, std::string_view bytes, ReadOutcome& outcome);

// Whether the bytes plainly are a JKF file: a JSON object with "moves".
bool LooksLikeJkf(std::string_view bytes);

// The whole tree as a JKF file in UTF-8. Bookmarks have no place in JKF, and times are written
// in whole seconds. Never refuses: every text is written as UTF-8; `refusal` stays empty.
bool WriteJkf(const GameRecord& record, std::string& bytes, std::string& refusal);

// The preset that names a handicap's start ("HIRATE", "KY", ..., "10"), and back.
std::string_view JkfPreset(Handicap handicap);
std::optional<Handicap> HandicapOfJkfPreset(std::string_view preset);

// Whether a handicap name of the header (手合割) names `start`, which the preset says already:
// reading drops such a line.
bool JkfHandicapNameMatches(std::string_view name, const Position& start);
