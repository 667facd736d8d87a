#pragma once

#include <QString>
#include <string>

// The record keeps header values and comments as the bytes of the file. These turn them into
// text for the fields and back: bytes that are valid UTF-8 read as UTF-8, anything else as
// Windows-1252 (the character set older records were written in); what the user types is
// stored as UTF-8.

// UTF-8 when valid, else Windows-1252 with its five unassigned bytes (0x81, 0x8D, 0x8F, 0x90,
// 0x9D) shown as the control characters of the same number.
QString DecodeText(const std::string& bytes);

// A typed single-line text, as UTF-8.
std::string EncodeText(const QString& text);

// A comment for the comment box: decoded as above, with every line end (CR LF, a bare LF or a
// bare CR) shown as one line break.
QString DecodeComment(const std::string& bytes);

// A typed comment, as UTF-8 with each line break stored as CR LF, the file's line end.
std::string EncodeComment(const QString& text);
