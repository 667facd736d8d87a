#pragma once

#include <QString>
#include <optional>
#include <string>

#include "format/recordformat.h"
#include "model/gamerecord.h"

// The texts the Edit menu puts on the clipboard for a whole record or the current position.

// The type a record is copied as in `format`: its Unicode type (KIFU rather than KIF, CSA 3.0),
// or nothing when the program cannot write the format.
std::optional<FileType> ClipboardType(RecordFormat format);

// The record as `type` writes it, as text. ESN keeps a record's texts as bytes: each line is
// shown as the view shows a text (UTF-8, else Windows-1252). False, with `refusal` saying what
// and where, when the format cannot hold a text of the record.
bool RecordAsText(const GameRecord& record, const FileType& type, QString& text,
                  std::string& refusal);

// The current position as SFEN, its move number counting from the record's start.
QString PositionAsSfen(const GameRecord& record);
// The current position as the board diagram of KIF files, hands and side to move included.
QString PositionAsDiagram(const GameRecord& record);
