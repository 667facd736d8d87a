#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "format/text/loaderror.h"
#include "format/text/recordtext.h"
#include "model/position.h"

class GameRecord;

// USI and SFEN files hold one line of blank-separated ASCII words, with blank lines allowed
// around it. These read such a file; their errors carry the line and the column in characters.

struct Word {
    std::string_view text;
    std::size_t offset = 0;  // of its first byte in its line
};

bool IsBlankLine(std::string_view text);

// The first line of the text holding anything but blanks. Nothing, with `error` set (no line
// at all, or a byte that cannot be decoded before it), when there is none: `missing` says it.
std::optional<TextLine> FirstLineWithText(RecordText& text, std::string_view missing,
                                          std::optional<ReadError>& error);

// The error at the first line after the one read last that holds anything but blanks, or at a
// byte that cannot be decoded; nothing when the rest is blank.
std::optional<ReadError> TextAfter(RecordText& text);

// Hands out the words of one line, refusing a word that holds anything but printable ASCII.
class WordReader {
  public:
    explicit WordReader(const TextLine& line) : line_(line) {}

    // The next word; false at the end of the line, and at a word with any other character,
    // which sets the error.
    bool Next(Word& word);
    // Where the next word would start: for a field that reads the rest of the line itself.
    std::size_t Offset() const { return at_; }
    void SkipTo(std::size_t offset) { at_ = offset; }
    std::string_view Line() const { return line_.text; }
    int LineNumber() const { return line_.number; }

    // Sets the error: this message at that offset of the line. Answers false, so that a reader
    // can return it.
    bool Fail(const std::string& message, std::size_t offset);
    std::optional<ReadError>& Error() { return error_; }

  private:
    TextLine line_;
    std::size_t at_ = 0;
    std::optional<ReadError> error_;
};

// Makes the position read from `line` at byte `offset` (blanks before it skipped) the record's
// start, with a notice there for each rule of play it breaks; the start is known from then on.
void SetReadStart(GameRecord& record, const Position& start, const TextLine& line,
                  std::size_t offset, ReadReport& report);
