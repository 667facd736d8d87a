#include "format/usi/asciiwords.h"

#include <algorithm>

#include "format/text/utf8.h"
#include "model/gamerecord.h"

namespace {

std::size_t FirstNonBlank(std::string_view text) {
    const std::size_t at = text.find_first_not_of(" \t");
    return at == std::string_view::npos ? text.size() : at;
}

}  // namespace

bool IsBlankLine(std::string_view text) {
    return FirstNonBlank(text) == text.size();
}

std::optional<TextLine> FirstLineWithText(RecordText& text, std::string_view missing,
                                          std::optional<ReadError>& error) {
    for (TextLine line; text.NextLine(line);)
        if (!IsBlankLine(line.text)) return line;
    error = text.Failure() ? *text.Failure() : ReadError{std::string(missing), 1, 1};
    return std::nullopt;
}

std::optional<ReadError> TextAfter(RecordText& text) {
    for (TextLine line; text.NextLine(line);) {
        if (IsBlankLine(line.text)) continue;
        return ReadError{"unexpected text after the position line", line.number,
                         CharacterColumn(line.text, FirstNonBlank(line.text))};
    }
    return text.Failure();
}

bool WordReader::Next(Word& word) {
    if (error_) return false;
    const std::string_view text = line_.text;
    while (at_ < text.size() && (text[at_] == ' ' || text[at_] == '\t'))
        ++at_;
    if (at_ >= text.size()) return false;
    const std::size_t start = at_;
    while (at_ < text.size() && text[at_] != ' ' && text[at_] != '\t') {
        const auto byte = static_cast<unsigned char>(text[at_]);
        if (byte >= 0x80) {
            std::size_t next = at_;
            NextCharacter(text, next);
            return Fail("'" + std::string(text.substr(at_, next - at_)) +
                            "' is not a character of plain ASCII text",
                        at_);
        }
        if (byte < 0x20 || byte == 0x7F) {
            static constexpr char Hex[] = "0123456789ABCDEF";
            return Fail(std::string("byte 0x") + Hex[byte >> 4] + Hex[byte & 15] +
                            " is not a character of plain ASCII text",
                        at_);
        }
        ++at_;
    }
    word = Word{text.substr(start, at_ - start), start};
    return true;
}

bool WordReader::Fail(const std::string& message, std::size_t offset) {
    if (!error_) error_ = ReadError{message, line_.number, CharacterColumn(line_.text, offset)};
    return false;
}

void SetReadStart(GameRecord& record, const Position& start, const TextLine& line,
                  std::size_t offset, ReadReport& report) {
    record.SetStartPosition(start);
    offset = std::min(line.text.size(), line.text.find_first_not_of(" \t", offset));
    AddStartNotices(report.notices, start, line.number, CharacterColumn(line.text, offset));
    report.startKnown = true;
}
