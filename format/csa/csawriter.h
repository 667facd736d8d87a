#pragma once

#include <string>

#include "format/text/textencoding.h"
#include "model/gamerecord.h"
#include "model/headerline.h"

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
