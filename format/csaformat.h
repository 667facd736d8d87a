#pragma once

#include "format/recordio.h"

// CSA as one of the record formats: csa.h does the work.
extern const FormatHandler CsaFormat;

// What a CSA file of `type` leaves out: everything off the main line (its variations with the
// comments, times and results in them), bookmarks, header lines without a CSA form and texts cut
// at a line break; version 2.2 also the fractions of seconds and the move limit as a result.
RecordLosses CsaLosses(const GameRecord& record, const FileType& type);
