#pragma once

#include <string>

#include "model/gamerecord.h"

// The bytes of the record file for `record` (CRLF line ends), written from the root whatever
// node is current. Changes nothing in the record.
std::string WriteESN(const GameRecord& record);
// The same bytes appended to `out`, for a caller that keeps one buffer for many records.
void WriteESN(const GameRecord& record, std::string& out);

// Why the record cannot be written so that it reads back as the same record: a header value or
// comment holding ']', or a comment beginning with TITLE, BLACK or WHITE. Names the field or
// the move (ply number and move text). Empty when the record can be written.
std::string FindUnwritableText(const GameRecord& record);
