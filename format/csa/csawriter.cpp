#include "format/csa/csawriter.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "format/csa/csacodes.h"
#include "format/csa/csaposition.h"
#include "format/text/textencoding.h"
#include "format/text/textscan.h"

namespace {

bool IsCsaKeyName(std::string_view key) {
    for (char c : key) {
        const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        if (!letter && !IsDigit(c) && c != '_' && c != '+' && c != '-') return false;
    }
    return true;
}

// Reads `count` digits (or up to `count` when `exact` is false) from the front of `text`.
bool TakeNumber(std::string_view& text, std::size_t count, bool exact, int& value) {
    std::size_t n = 0;
    value = 0;
    while (n < text.size() && n < count && IsDigit(text[n]))
        value = value * 10 + (text[n++] - '0');
    if (n == 0 || (exact && n != count)) return false;
    text.remove_prefix(n);
    return true;
}

bool TakeChar(std::string_view& text, char c) {
    if (text.empty() || text.front() != c) return false;
    text.remove_prefix(1);
    return true;
}

std::string TwoDigits(int value) {
    return {static_cast<char>('0' + value / 10 % 10), static_cast<char>('0' + value % 10)};
}

// A date and time as CSA writes them: "2003/05/03 10:30:00", or the date alone. A value in that
// shape is kept as it is (a fraction of a second after it too); the shape other record formats
// use, "2003/05/03(土) 10:30" with a weekday and without seconds, is rewritten to it. Any other
// text has no CSA form.
std::optional<std::string> CsaDateTime(std::string_view value) {
    std::string_view rest = value;
    int year = 0, month = 0, day = 0;
    if (!TakeNumber(rest, 4, true, year) || !TakeChar(rest, '/') ||
        !TakeNumber(rest, 2, false, month) || !TakeChar(rest, '/') ||
        !TakeNumber(rest, 2, false, day) || month < 1 || month > 12 || day < 1 || day > 31)
        return std::nullopt;
    std::string date =
        std::string(value.substr(0, 4)) + '/' + TwoDigits(month) + '/' + TwoDigits(day);
    if (rest.starts_with('(')) {
        const std::size_t close = rest.find(')');
        if (close == std::string_view::npos) return std::nullopt;
        rest.remove_prefix(close + 1);
    }
    if (rest.empty()) return date;
    const std::size_t blanks = rest.find_first_not_of(' ');
    if (blanks != std::string_view::npos && rest.substr(blanks).starts_with("\u3000"))
        rest.remove_prefix(blanks + 3);
    else if (blanks != std::string_view::npos && blanks > 0)
        rest.remove_prefix(blanks);
    else
        return std::nullopt;
    int hour = 0, minute = 0, second = 0;
    if (!TakeNumber(rest, 2, false, hour) || !TakeChar(rest, ':') ||
        !TakeNumber(rest, 2, true, minute) || hour > 23 || minute > 59)
        return std::nullopt;
    if (TakeChar(rest, ':') && (!TakeNumber(rest, 2, true, second) || second > 60))
        return std::nullopt;
    std::string fraction;
    if (rest.starts_with('.') && rest.size() > 1 &&
        rest.find_first_not_of("0123456789", 1) == std::string_view::npos) {
        fraction = std::string(rest);
        rest = {};
    }
    if (!rest.empty()) return std::nullopt;
    return date + ' ' + TwoDigits(hour) + ':' + TwoDigits(minute) + ':' + TwoDigits(second) +
           fraction;
}

// A time limit as CSA writes it: "HH:MM+SS", hours and minutes of thinking time and the
// seconds of byoyomi ("00:25+00").
bool IsCsaTimeLimit(std::string_view value) {
    int hours = 0, minutes = 0, seconds = 0;
    return TakeNumber(value, 9, false, hours) && TakeChar(value, ':') &&
           TakeNumber(value, 2, true, minutes) && TakeChar(value, '+') &&
           TakeNumber(value, 9, false, seconds) && value.empty();
}

bool HoldsLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

struct CsaInformation {
    std::string key;  // without '$'
    std::string value;
};

// The "$" line that writes a header line, or nothing when CSA has no place for it. A value with
// a line break is written up to the break (CsaKeepsHeaderLine says it is not kept).
std::optional<CsaInformation> CsaFormOf(const HeaderLine& line) {
    std::string value = RecordTextAsUtf8(line.value);
    value.erase(std::min(value.size(), value.find_first_of("\r\n")));
    for (const SharedCsaKey& shared : SharedCsaKeys) {
        if (shared.key != line.key) continue;
        if (line.key == HeaderKey::StartTime || line.key == HeaderKey::EndTime) {
            const auto dateTime = CsaDateTime(value);
            if (!dateTime) return std::nullopt;
            value = *dateTime;
        }
        if (line.key == HeaderKey::TimeLimit && !IsCsaTimeLimit(value)) return std::nullopt;
        return CsaInformation{std::string(shared.csa), std::move(value)};
    }
    if (IsSharedHeaderKey(line.key) || !IsCsaKeyName(line.key)) return std::nullopt;
    return CsaInformation{line.key, std::move(value)};
}

// The comment's lines, split at any line end; a comment ending in one ends with an empty line,
// which is written too so that it reads back.
std::vector<std::string_view> SplitCommentLines(std::string_view comment) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = comment.find_first_of("\r\n", start)) != std::string_view::npos;) {
        lines.push_back(comment.substr(start, end - start));
        start = end + (comment.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    lines.push_back(comment.substr(start));
    return lines;
}

std::string SquareDigits(Square sq) {
    return {static_cast<char>('1' + sq.file), static_cast<char>('1' + sq.rank)};
}

std::string CsaMoveText(const Move& move) {
    std::string text(1, OwnerOf(move.piece) == Black ? '+' : '-');
    text += move.drop ? std::string("00") : SquareDigits(move.from);
    text += SquareDigits(move.to);
    text += CsaCode(move.promote ? move.piece | PromotedFlag : move.piece);
    return text;
}

// Seconds, with the milliseconds where there are any and the version keeps them ("12.5").
std::string CsaTime(std::int64_t ms, bool withFraction) {
    std::string text = std::to_string(ms / 1000);
    const int fraction = static_cast<int>(ms % 1000);
    if (!withFraction || fraction == 0) return text;
    std::string digits = std::to_string(1000 + fraction).substr(1);
    digits.erase(digits.find_last_not_of('0') + 1);
    return text + '.' + digits;
}

// Builds a file's text, remembering where each text from the record begins so that a
// character the file's encoding cannot hold can be traced to its field or move.
class CsaWriter {
  public:
    CsaWriter(const GameRecord& record, int version, TextEncoding encoding)
        : record_(record), version_(version), encoding_(encoding) {}

    std::string Write();
    // What the text holding the byte at `offset` is: "the comment of move 12 +7776FU".
    std::string TextAt(std::size_t offset) const;

  private:
    void WriteTextLine(std::string_view prefix, const std::string& text, std::string what);
    void WriteComment(const MoveNode& node, const std::string& what);
    void WriteTime(const MoveNode& node);

    struct TextPlace {
        std::size_t offset;
        std::string what;
    };

    const GameRecord& record_;
    const int version_;
    const TextEncoding encoding_;
    std::string out_;
    std::vector<TextPlace> texts_;
};

std::string CsaWriter::Write() {
    if (version_ == CsaVersion30) {
        out_ += CsaEncodingLine;
        // The names the descriptions give: UTF-8 and SHIFT_JIS.
        out_ += encoding_ == TextEncoding::Cp932 ? std::string_view("SHIFT_JIS")
                                                 : EncodingName(encoding_);
        out_ += "\r\nV3.0\r\n";
    } else {
        out_ += "V2.2\r\n";
    }
    WriteTextLine("N+", record_.BlackPlayer(), "Black's name");
    WriteTextLine("N-", record_.WhitePlayer(), "White's name");
    WriteTextLine("$TITLE:", record_.Title(), "the title");
    for (const HeaderLine& line : record_.HeaderLines()) {
        const auto form = CsaFormOf(line);
        if (!form) continue;
        const std::string prefix = '$' + form->key + ':';
        texts_.push_back({out_.size(), "the header line " + prefix});
        out_ += prefix;
        out_ += form->value;
        out_ += "\r\n";
    }
    AppendCsaPosition(out_, record_.StartPosition());
    WriteComment(record_.Root(), "the comment before the first move");

    // The main line only: CSA has no variations.
    int side = record_.StartPosition().sideToMove;
    for (const MoveNode* node = record_.Root().Continuation(0); node;
         node = node->Continuation(0)) {
        std::string text;
        if (const auto result = node->Result()) {
            text = '%' + std::string(SpecialName(*result, side, version_ == CsaVersion30));
        } else {
            text = CsaMoveText(node->move);
            side = OtherSide(side);
        }
        out_ += text;
        out_ += "\r\n";
        WriteTime(*node);
        WriteComment(
            *node,
            "the comment of " +
                (node->IsResult() ? text : "move " + std::to_string(node->number) + ' ' + text));
    }
    return std::move(out_);
}

void CsaWriter::WriteTextLine(std::string_view prefix, const std::string& text, std::string what) {
    if (text.empty()) return;
    std::string value = RecordTextAsUtf8(text);
    // A line of its own: a break in the text would end it.
    value.erase(std::min(value.size(), value.find_first_of("\r\n")));
    out_ += prefix;
    texts_.push_back({out_.size(), std::move(what)});
    out_ += value;
    out_ += "\r\n";
}

void CsaWriter::WriteComment(const MoveNode& node, const std::string& what) {
    if (node.Comment().empty()) return;
    texts_.push_back({out_.size(), what});
    const std::string comment = RecordTextAsUtf8(node.Comment());
    for (std::string_view line : SplitCommentLines(comment)) {
        out_ += "'*";
        out_ += line;
        out_ += "\r\n";
    }
}

void CsaWriter::WriteTime(const MoveNode& node) {
    const auto ms = node.TimeMs();
    if (!ms) return;
    out_ += 'T';
    out_ += CsaTime(*ms, version_ == CsaVersion30);
    out_ += "\r\n";
}

std::string CsaWriter::TextAt(std::size_t offset) const {
    std::string what = "a text";
    for (const TextPlace& place : texts_)
        if (place.offset <= offset) what = place.what;
    return what;
}

}  // namespace

bool CsaKeepsHeaderLine(const HeaderLine& line) {
    return CsaFormOf(line) && !HoldsLineBreak(line.value);
}

bool WriteCsa(const GameRecord& record, int version, TextEncoding encoding, std::string& bytes,
              std::string& refusal) {
    bytes.clear();
    refusal.clear();
    CsaWriter writer(record, version, encoding);
    std::string text = writer.Write();
    if (encoding == TextEncoding::Utf8) {
        bytes = std::move(text);
        return true;
    }
    EncodedText encoded = EncodeFromUtf8(text, encoding);
    if (encoded.refused) {
        std::string what = writer.TextAt(encoded.refused->offset);
        if (what[0] >= 'a' && what[0] <= 'z') what[0] = static_cast<char>(what[0] - 'a' + 'A');
        refusal = what + " holds " + encoded.refused->character + ", which " +
                  std::string(EncodingName(encoding)) +
                  " cannot hold; save as CSA 3.0 in UTF-8 to keep it";
        return false;
    }
    bytes = std::move(encoded.bytes);
    return true;
}
