#pragma once

#include <optional>
#include <string_view>

#include "format/text/loaderror.h"
#include "format/text/recordtext.h"
#include "model/gamerecord.h"

// CSA records (.csa), versions 2.2 and 3.0: the format of computer shogi. A file holds the
// players ("N+", "N-"), further record information ("$EVENT:", "$START_TIME:", ...), the start
// position ("PI", "P1".."P9", "P+"/"P-" and the side to move), then one line of moves
// ("+7776FU") with their times ("T16", fractions in 3.0), comments that programs read ("'*")
// and a closing special ("%TORYO"). Version 3.0 begins with "'CSA encoding=UTF-8" (or
// SHIFT_JIS); without that line the file is in code page 932. CSA has no variations.

// Reads the first record of a CSA file's text into `record`, which is reset first; a later
// record (after a "/" line) is left out with a notice. On success the root is current. Reading
// is strict about the game (a move whose piece code does not fit the board, an illegal move, a
// start position no record can hold) and forgiving about the rest: record information under
// keys it does not know is kept under the key, "$END_TIME" after the moves is fine, a comment
// may end a line of statements ("+7776FU,T3,'* good"), and a line that is no CSA statement at
// all (a second line of a "$NOTE:" value) is kept as a comment where it stands, with a notice.
// The rules of play a start breaks are notices too. The error, if any, is in `report`, with
// the line and the column in characters of the item where reading stopped; the record keeps
// what was read before it. Answers the file's version: 30 for a 3.0 file (its encoding line or
// "V3.0"), else 22.
int ReadCsa(GameRecord& record, RecordText& text, ReadReport& report);

// The character set that a CSA file's first line declares ("'CSA encoding=SHIFT_JIS").
std::optional<TextEncoding> CsaDeclaredEncoding(std::string_view firstLine);

// Whether the first lines of the text are plainly CSA.
bool LooksLikeCsa(std::string_view text);
