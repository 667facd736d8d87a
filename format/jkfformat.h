#pragma once

#include "format/recordio.h"

// JKF as one of the record formats: jkf.h does the work.
extern const FormatHandler JkfFormat;

// What a JKF file leaves out: bookmarks, the fractions of seconds of move times, and header
// lines that would read back as something else (a line of its own under a label the header
// gives a meaning, a handicap name the start position already says).
RecordLosses JkfLosses(const GameRecord& record, const FileType& type);
