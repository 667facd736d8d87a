#pragma once

#include <string>

#include "format/text/loaderror.h"
#include "format/text/recordtext.h"
#include "model/gamerecord.h"

// SFEN records: a file holding one position in SFEN, with or without the word "sfen" before
// it. Read as a record that starts there and has no moves; written as the record's start
// position.
void ReadSfenFile(GameRecord& record, RecordText& text, ReadReport& report);
void WriteSfenFile(const GameRecord& record, std::string& bytes);

// Whether the first line with text is a position in SFEN's shape (nine ranks joined by '/',
// then b or w) with no moves after it.
bool LooksLikeSfen(const TextLine& line);
