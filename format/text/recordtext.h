#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "format/text/loaderror.h"
#include "format/text/textencoding.h"
#include "format/text/textlines.h"

// A record file's bytes as the UTF-8 text its reader takes: bytes become text once, here, for
// every format but ESN. The character set is decided in the order of DecodeToUtf8 (a UTF-8
// byte-order mark, then what the file declares, then valid UTF-8, then code page 932 or
// EUC-JP). Valid UTF-8 is read where it lies; code page 932 is decoded a piece of whole lines
// at a time as the reader asks for lines, so that a large file costs no decoded copy.
class RecordText {
  public:
    // `bytes` must outlive the text. `declared` is the character set the file's first line
    // names, as the format's own hook finds it (FirstLineOf gives it the line).
    RecordText(std::string_view bytes, std::optional<TextEncoding> declared);

    TextEncoding Encoding() const { return encoding_; }
    // Whether the bytes after any byte-order mark are plain ASCII.
    bool IsAscii() const { return ascii_; }
    // Whether the file's first line named a character set the hook knows.
    bool IsDeclared() const { return declared_; }

    // Hands out the next line (see textlines.h for where lines end); its text stays valid until
    // the next call. False at the end of the text, and before the line that holds a byte that
    // cannot be decoded: Failure() then says where it is.
    bool NextLine(TextLine& line);
    // The whole text at once, up to a byte that cannot be decoded (Failure() then says where).
    // For a reader that needs it whole; the lines are not handed out afterwards.
    std::string_view Whole();
    // Why the text ends early: "the byte 0x81 cannot be read as Shift_JIS", at that byte's line
    // and column; nothing while every byte reached decodes.
    const std::optional<ReadError>& Failure() const { return failure_; }

  private:
    enum class Source { Bytes, Decoded, Pieces };

    void DecodeAll();
    bool NextPiece();
    void SetFailure(std::size_t offset, TextPosition position);

    std::string_view body_;  // the bytes after any byte-order mark
    TextEncoding encoding_ = TextEncoding::Utf8;
    bool ascii_ = false;
    bool declared_ = false;
    Source source_ = Source::Bytes;
    std::string decoded_;       // the whole text (Decoded) or the current piece (Pieces)
    std::size_t next_ = 0;      // of the bytes still to decode (Pieces)
    int lineBase_ = 0;          // lines handed out before the current piece
    int lastLine_ = 0;          // the line holding the failing byte; 0 when none failed
    std::size_t textBase_ = 0;  // bytes of text before the current piece
    LineSplitter lines_{{}};
    std::optional<TextDecoder> decoder_;
    std::optional<ReadError> failure_;
};

// The first line of the bytes after any UTF-8 byte-order mark, for a format's hook that reads
// the character set a file declares there ("#KIF version=2.0 encoding=UTF-8").
std::string_view FirstLineOf(std::string_view bytes);
