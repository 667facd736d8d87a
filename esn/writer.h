#pragma once

#include <iosfwd>
#include <string>

#include "model/gamerecord.h"

// Writes the record as a record file (CRLF line ends), from the root whatever node is current.
// Changes nothing in the record.
void WriteESN(const GameRecord& record, std::ostream& out);

// Why the record cannot be written so that it reads back as the same record: a header value or
// comment holding ']', or a comment beginning with TITLE, BLACK or WHITE. Names the field or
// the move (ply number and move text). Empty when the record can be written.
std::string FindUnwritableText(const GameRecord& record);
