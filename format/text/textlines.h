#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

// The text formats are read line by line from their decoded (UTF-8) text. A line ends at a line
// feed, at a carriage return and line feed, or at a carriage return alone (some old programs
// end lines with CR only); a line end at the very end of the text starts no further line, so
// an empty text has no lines.

struct TextLine {
    std::string_view text;   // without its line end
    int number = 0;          // from 1
    std::size_t offset = 0;  // of its first byte in the whole text
};

// Hands out the lines of a text one at a time without copying; the text must outlive it.
class LineSplitter {
  public:
    explicit LineSplitter(std::string_view text) : text_(text) {}

    // Puts the next line into `line`; false when the text is used up.
    bool Next(TextLine& line);
    // The lines handed out so far.
    int Count() const { return number_; }

  private:
    std::string_view text_;
    std::size_t next_ = 0;
    int number_ = 0;
};

// Every line of the text, as LineSplitter hands them out.
std::vector<TextLine> SplitLines(std::string_view text);

// A place in a decoded text: the line as counted above and the column in characters, both
// from 1, which is how a reader's error says where it stopped.
struct TextPosition {
    int line = 1;
    int column = 1;
};

// The position of whatever follows `prefix`, a well-formed UTF-8 text: for a byte at offset N
// of a text, pass its first N bytes.
TextPosition PositionAfter(std::string_view prefix);

// The column, in characters from 1, of the byte at `offset` of one UTF-8 line.
int CharacterColumn(std::string_view line, std::size_t offset);
