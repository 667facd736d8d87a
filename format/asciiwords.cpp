#include "format/asciiwords.h"

#include <algorithm>

#include "format/loaderror.h"
#include "format/recordio.h"

namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view WithoutMark(std::string_view bytes) {
    return bytes.starts_with(ByteOrderMark) ? bytes.substr(ByteOrderMark.size()) : bytes;
}

std::size_t FirstNonBlank(std::string_view text) {
    const std::size_t at = text.find_first_not_of(" \t");
    return at == std::string_view::npos ? text.size() : at;
}

[[noreturn]] void FailAt(const std::string& message, int line, std::size_t offset) {
    throw ESNLoadError{message, line, static_cast<int>(std::min<std::size_t>(offset, 1 << 30)) + 1};
}

}  // namespace

bool IsBlankLine(std::string_view text) {
    return FirstNonBlank(text) == text.size();
}

std::optional<TextLine> FirstLineWithText(std::string_view bytes) {
    LineSplitter lines(WithoutMark(bytes));
    for (TextLine line; lines.Next(line);)
        if (!IsBlankLine(line.text)) return line;
    return std::nullopt;
}

void FailOnTextAfter(std::string_view bytes, const TextLine& first) {
    LineSplitter lines(WithoutMark(bytes));
    for (TextLine line; lines.Next(line);) {
        if (line.number <= first.number || IsBlankLine(line.text)) continue;
        FailAt("unexpected text after the position line", line.number, FirstNonBlank(line.text));
    }
}

bool WordReader::Next(Word& word) {
    const std::string_view text = line_.text;
    while (at_ < text.size() && IsBlank(text[at_]))
        ++at_;
    if (at_ >= text.size()) return false;
    const std::size_t start = at_;
    while (at_ < text.size() && !IsBlank(text[at_])) {
        const auto byte = static_cast<unsigned char>(text[at_]);
        if (byte < 0x20 || byte >= 0x7F) {
            static constexpr char Hex[] = "0123456789ABCDEF";
            Fail(std::string("byte 0x") + Hex[byte >> 4] + Hex[byte & 15] +
                     " is not a character of plain ASCII text",
                 at_);
        }
        ++at_;
    }
    word = Word{text.substr(start, at_ - start), start};
    return true;
}

void WordReader::Fail(const std::string& message, std::size_t offset) const {
    FailAt(message, line_.number, offset);
}

void SetReadStart(GameRecord& record, const Position& start, const TextLine& line,
                  std::size_t offset, ReadOutcome& outcome) {
    record.SetStartPosition(start);
    offset = std::min(line.text.size(), line.text.find_first_not_of(" \t", offset));
    const int column = static_cast<int>(std::min<std::size_t>(offset, 1 << 30)) + 1;
    AddStartNotices(outcome.notices, start, line.number, column);
    outcome.startKnown = true;
}
