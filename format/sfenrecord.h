#pragma once

#include <string_view>

#include "format/recordio.h"

// SFEN records: a file holding one position in SFEN, with or without the word "sfen" before
// it. Read as a record that starts there and has no moves; written as the record's start
// position.
extern const FormatHandler SfenFormat;

// Whether the first line with text is a position in SFEN's shape (nine ranks joined by '/',
// then b or w) with no moves after it.
bool LooksLikeSfen(std::string_view bytes);
