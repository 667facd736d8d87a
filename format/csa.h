#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "format/loaderror.h"
#include "format/textencoding.h"
#include "model/gamerecord.h"
#include "model/headerline.h"

// CSA records (.csa), versions 2.2 and 3.0: the format of computer shogi. A file holds the
// players ("N+", "N-"), further record information ("$EVENT:", "$START_TIME:", ...), the start
// position ("PI", "P1".."P9", "P+"/"P-" and the side to move), then one line of moves
// ("+7776FU") with their times ("T16", fractions in 3.0), comments that programs read ("'*")
// and a closing special ("%TORYO"). Version 3.0 begins with "'CSA encoding=UTF-8" (or
// SHIFT_JIS); without that line the file is in code page 932. CSA has no variations.

// What reading a CSA file found out besides the record.
struct CsaFileFacts {
    TextEncoding encoding = TextEncoding::Cp932;
    int version = 22;                 // 30 for a 3.0 file (its encoding line or "V3.0")
    std::vector<ReadNotice> notices;  // what was left out or bent on purpose, in a user's words
    bool startKnown = false;          // the start position was fixed
};

// Reads the first record of a CSA file into `record`, which is reset first; a later record
// (after a "/" line) is left out with a notice. On success the root is current. Reading is
// strict about the game (a move whose piece code does not fit the board, an illegal move, a
// start position no record can hold) and forgiving about the rest: record information under
// keys it does not know is kept under the key, "$END_TIME" after the moves is fine, a comment
// may end a line of statements ("+7776FU,T3,'* good"), and a line that is no CSA statement at
// all (a second line of a "$NOTE:" value) is kept as a comment where it stands, with a notice.
// The rules of play a start breaks are notices too. Throws ESNLoadError with the line and the
// column in characters of the item where reading stopped; the record keeps what was read
// before it.
void ReadCsa(GameRecord& record, std::string_view bytes, CsaFileFacts& facts);

// Whether the first lines of the bytes are plainly CSA.
bool LooksLikeCsa(std::string_view bytes);

// The version numbers WriteCsa takes.
inline constexpr int CsaVersion22 = 22;
inline constexpr int CsaVersion30 = 30;

// The record's main line as a CSA file with CR LF line ends, in `encoding`: version 3.0 with its
// encoding line (UTF-8 as --to csa writes it), or version 2.2 without (code page 932 as --to
// csa2 writes it; times in whole seconds, the move limit written as an interruption). Variations
// and bookmarks are left out, and header lines CsaKeepsHeaderLine refuses. False, with `refusal`
// naming the field or move and the character, when a text cannot be written in `encoding`;
// `bytes` is then empty.
bool WriteCsa(const GameRecord& record, int version, TextEncoding encoding, std::string& bytes,
              std::string& refusal);

// Whether the header line has a CSA form that keeps it: a shared key with a "$" key and a value
// CSA can take (a time limit as "HH:MM+SS", a date and time as "YYYY/MM/DD HH:MM:SS", to which
// the usual "1999/07/15(木) 19:07" is rewritten), or its own label made of ASCII letters,
// digits, '_', '+' and '-', whose value has no line break. The byoyomi and the handicap's
// name have no CSA form.
bool CsaKeepsHeaderLine(const HeaderLine& line);
