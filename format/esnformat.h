#pragma once

#include <string_view>

#include "format/recordio.h"

// ESN, the program's own record format, as one of the record formats: esnreader.h and
// esnwriter.h do the work.
extern const FormatHandler EsnFormat;

// Whether the bytes begin as a record file does: with a bracket text, or with a move in the
// file's notation ("1. P-7f", "S3h").
bool LooksLikeEsn(std::string_view bytes);
