#include "format/text/textlines.h"

#include <algorithm>

#include "format/text/utf8.h"

bool LineSplitter::Next(TextLine& line) {
    if (next_ >= text_.size()) return false;
    const std::size_t start = next_;
    // A plain loop: find_first_of would call memchr on its two-character set once per byte.
    std::size_t end = start;
    while (end < text_.size() && text_[end] != '\n' && text_[end] != '\r')
        ++end;
    line.text = text_.substr(start, end - start);
    line.number = ++number_;
    line.offset = start;
    next_ = end;
    if (next_ < text_.size() && text_[next_] == '\r') ++next_;
    if (next_ < text_.size() && text_[next_] == '\n') ++next_;
    return true;
}

std::vector<TextLine> SplitLines(std::string_view text) {
    std::vector<TextLine> lines;
    LineSplitter splitter(text);
    for (TextLine line; splitter.Next(line);)
        lines.push_back(line);
    return lines;
}

TextPosition PositionAfter(std::string_view prefix) {
    TextPosition position;
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        const char c = prefix[i];
        if (c != '\n' && c != '\r') continue;
        // The line feed of a CR LF pair closes the line the carriage return already closed.
        if (c == '\n' && i > 0 && prefix[i - 1] == '\r') {
            lineStart = i + 1;
            continue;
        }
        ++position.line;
        lineStart = i + 1;
    }
    position.column = CountCharacters(prefix.substr(lineStart)) + 1;
    return position;
}

int CharacterColumn(std::string_view line, std::size_t offset) {
    return CountCharacters(line.substr(0, std::min(offset, line.size()))) + 1;
}
