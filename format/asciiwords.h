#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "format/textlines.h"
#include "model/position.h"

// USI and SFEN files hold one line of blank-separated ASCII words, with blank lines allowed
// around it. These read such a file; their errors carry the line and the column (bytes from 1).

struct Word {
    std::string_view text;
    std::size_t offset = 0;  // of its first byte in its line
};

// The first line of the file holding anything but blanks; nothing when there is none. A
// byte-order mark some editors put before an ASCII text is skipped.
std::optional<TextLine> FirstLineWithText(std::string_view bytes);

// Throws ESNLoadError at the first line after `line` that holds anything but blanks.
void FailOnTextAfter(std::string_view bytes, const TextLine& line);

// Hands out the words of one line, refusing a word that holds a byte above ASCII.
class WordReader {
  public:
    explicit WordReader(const TextLine& line) : line_(line) {}

    // The next word; false at the end of the line.
    bool Next(Word& word);
    // Where the next word would start: for a field that reads the rest of the line itself.
    std::size_t Offset() const { return at_; }
    void SkipTo(std::size_t offset) { at_ = offset; }
    std::string_view Line() const { return line_.text; }

    // Throws ESNLoadError with this message at that offset of the line.
    [[noreturn]] void Fail(const std::string& message, std::size_t offset) const;

  private:
    TextLine line_;
    std::size_t at_ = 0;
};

bool IsBlankLine(std::string_view text);

struct ReadOutcome;
class GameRecord;
// Makes the position read from `line` at byte `offset` (blanks before it skipped) the record's
// start, with a notice there for each rule of play it breaks; the start is known from then on.
void SetReadStart(GameRecord& record, const Position& start, const TextLine& line,
                  std::size_t offset, ReadOutcome& outcome);
