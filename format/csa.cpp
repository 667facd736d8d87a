#include "format/csa.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <utility>

#include "format/csacodes.h"
#include "format/csaposition.h"
#include "format/loaderror.h"
#include "format/textlines.h"
#include "model/moverules.h"
#include "model/soundness.h"

namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view EncodingLine = "'CSA encoding=";
constexpr std::size_t MoveLength = 7;  // "+7776FU"

// The "$" keys that stand for a shared header key.
struct SharedCsaKey {
    std::string_view csa;
    std::string_view key;
};
constexpr SharedCsaKey SharedCsaKeys[] = {
    {"EVENT", HeaderKey::Event},
    {"SITE", HeaderKey::Site},
    {"START_TIME", HeaderKey::StartTime},
    {"END_TIME", HeaderKey::EndTime},
    {"TIME_LIMIT", HeaderKey::TimeLimit},
    {"OPENING", HeaderKey::Opening},
    {"NOTE", HeaderKey::Note},
};
// Our own key for the record's title, which CSA does not define.
constexpr std::string_view TitleKey = "TITLE";

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string_view SharedKeyOf(std::string_view csaKey) {
    for (const SharedCsaKey& shared : SharedCsaKeys)
        if (shared.csa == csaKey) return shared.key;
    return {};
}

// The encoding the file's first line declares, after a byte-order mark.
std::optional<TextEncoding> DeclaredEncoding(std::string_view bytes) {
    if (bytes.starts_with(ByteOrderMark)) bytes.remove_prefix(ByteOrderMark.size());
    if (!bytes.starts_with(EncodingLine)) return std::nullopt;
    bytes.remove_prefix(EncodingLine.size());
    return EncodingFromName(Trim(bytes.substr(0, bytes.find_first_of("\r\n"))));
}

// Whether an item of a line has the shape of a CSA statement that lines of statements hold: a
// version ("V2.2"), a position line ("PI", "P1", "P+"), a side to move or a move ("+",
// "+7776FU"), a time ("T12") or a special ("%TORYO"). Names, record information and comments
// take the whole line and are told apart before.
bool IsStatement(std::string_view item) {
    const char next = item.size() > 1 ? item[1] : '\0';
    switch (item[0]) {
        case 'V':
        case 'T':
            return IsDigit(next);
        case 'P':
            return next == 'I' || next == '+' || next == '-' || (next >= '1' && next <= '9');
        case '+':
        case '-':
            return next == '\0' || IsDigit(next);
        case '%':
            return (next >= 'A' && next <= 'Z') || next == '+' || next == '-';
        default:
            return false;
    }
}

// Whether a whole line is a name ("N+"), record information ("$EVENT:") or a comment.
bool IsTextLine(std::string_view line) {
    switch (line[0]) {
        case '\'':
            return true;
        case 'N':
            return line.size() >= 2 && (line[1] == '+' || line[1] == '-');
        case '$':
            return line.find(':') != std::string_view::npos;
        default:
            return false;
    }
}

// Where one item of a line is: lines may hold several items separated by commas.
struct ItemPlace {
    const TextLine* line = nullptr;
    std::size_t offset = 0;  // of the item in the line
};

class CsaReader {
  public:
    CsaReader(GameRecord& record, CsaFileFacts& facts) : record_(record), facts_(facts) {}

    // Reads the decoded text's lines, the first record only. After a decoding failure the
    // text ends at the byte that could not be decoded: reading stops with an error there.
    void Read(std::string_view text, const std::optional<DecodeFailure>& failure);

  private:
    bool ReadLine(const TextLine& line);
    void KeepAsComment(std::string_view rest, std::string_view item);
    void ReadItem(std::string_view item);
    void ReadText(std::string_view line);
    void ReadRecordInformation(std::string_view line);
    void ReadPositionLine(std::string_view item);
    void ReadSideToMove(std::string_view item);
    void ReadMove(std::string_view item);
    void ReadTime(std::string_view item);
    void ReadSpecial(std::string_view item);
    void EnterMoves();
    void Finish(const TextLine* lastLine);
    void CountLaterRecords(LineSplitter& lines);

    void AddCommentLine(std::string_view text);
    void FlushComment();
    [[noreturn]] void Fail(const std::string& message);

    GameRecord& record_;
    CsaFileFacts& facts_;
    CsaPositionBuilder position_;
    ItemPlace place_;
    bool sideGiven_ = false;
    std::string endedBy_;  // the special that ended the game, once one has
    std::string comment_;  // comment lines for the current node, not yet stored
    bool commentPending_ = false;
    bool sawText_ = false;     // a line held more than blanks
    bool recognised_ = false;  // a statement was read: the file holds a record
};

void CsaReader::Read(std::string_view text, const std::optional<DecodeFailure>& failure) {
    LineSplitter lines(text);
    TextLine line;
    TextLine previous;
    const TextLine* last = nullptr;
    while (lines.Next(line)) {
        // The line holding the first byte that could not be decoded is cut short: stop there.
        if (failure && line.number >= failure->position.line) break;
        previous = line;
        last = &previous;
        place_ = {last, 0};
        if (!ReadLine(previous)) {
            CountLaterRecords(lines);
            Finish(last);
            return;
        }
    }
    // Nothing but lines that are no statement (a shopping list saved as .csa): no record.
    if (sawText_ && !recognised_ && !failure) {
        facts_.notices.clear();
        throw ESNLoadError{std::string(NoGameRecordText), 1, 1};
    }
    if (failure) {
        FlushComment();
        throw ESNLoadError{
            "a character that is not " + std::string(EncodingName(facts_.encoding)) + " text",
            failure->position.line, failure->position.column};
    }
    Finish(last);
}

// Reads one line; false at a "/" line, which ends the record.
bool CsaReader::ReadLine(const TextLine& line) {
    std::string_view text = line.text;
    std::size_t start = 0;
    while (start < text.size() && IsBlank(text[start]))
        ++start;
    if (start == text.size()) return true;
    sawText_ = true;
    place_.offset = start;
    // Comments, names and record information run to the end of the line; they may hold commas.
    if (IsTextLine(text.substr(start))) {
        recognised_ = true;
        ReadText(text.substr(start));
        return true;
    }
    // Everything else may be several items on one line, separated by commas: "+7776FU,T3". A
    // comment after them runs to the end of the line.
    while (start <= text.size()) {
        std::size_t end = text.find(',', start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view item = Trim(text.substr(start, end - start));
        if (!item.empty()) {
            place_.offset = item.data() - text.data();
            const std::string_view rest = Trim(text.substr(place_.offset));
            if (item[0] == '\'') {
                ReadText(rest);
                return true;
            }
            if (item == "/") return false;
            if (!IsStatement(item)) {
                KeepAsComment(rest, item);
                return true;
            }
            recognised_ = true;
            ReadItem(item);
        }
        start = end + 1;
    }
    return true;
}

// The rest of a line that holds no statement stays where it stands, as a comment line.
void CsaReader::KeepAsComment(std::string_view rest, std::string_view item) {
    AddCommentLine(rest);
    facts_.notices.push_back(
        {place_.line->number, CharacterColumn(place_.line->text, place_.offset),
         Quoted(item) + " is no CSA statement; the line is kept as a comment"});
}

void CsaReader::ReadText(std::string_view line) {
    if (line[0] == '\'') {
        // "'*" comments are for programs to read; any other comment line is skipped.
        if (line.size() >= 2 && line[1] == '*') AddCommentLine(line.substr(2));
    } else if (line[0] == 'N') {
        if (line[1] == '+')
            record_.SetBlackPlayer(std::string(line.substr(2)));
        else
            record_.SetWhitePlayer(std::string(line.substr(2)));
    } else {
        ReadRecordInformation(line.substr(1));
    }
}

// "$KEY:value"; a key this reader does not know stays under its own name.
void CsaReader::ReadRecordInformation(std::string_view line) {
    const std::size_t colon = line.find(':');
    const std::string_view csaKey = line.substr(0, colon);
    const std::string value(colon == std::string_view::npos ? "" : line.substr(colon + 1));
    if (csaKey == TitleKey) {
        record_.SetTitle(value);
        return;
    }
    const std::string_view shared = SharedKeyOf(csaKey);
    record_.AddHeaderLine({std::string(shared.empty() ? csaKey : shared), value});
}

void CsaReader::ReadItem(std::string_view item) {
    switch (item[0]) {
        case 'V':
            facts_.version = item.starts_with("V3") ? CsaVersion30 : CsaVersion22;
            return;
        case 'P':
            ReadPositionLine(item);
            return;
        case '+':
        case '-':
            if (item.size() == 1)
                ReadSideToMove(item);
            else
                ReadMove(item);
            return;
        case 'T':
            ReadTime(item);
            return;
        default:
            ReadSpecial(item);
    }
}

void CsaReader::ReadPositionLine(std::string_view item) {
    if (sideGiven_) Fail("a position line after the side to move");
    if (std::string problem = position_.ReadLine(item); !problem.empty()) Fail(problem);
}

void CsaReader::ReadSideToMove(std::string_view item) {
    if (sideGiven_) Fail("a second line for the side to move");
    if (!position_.Started()) Fail("the side to move comes before the start position");
    sideGiven_ = true;
    const Position start = position_.Finish(item[0] == '+' ? Black : White);
    if (std::string refusal = RefusalText(start); !refusal.empty())
        Fail("the start position is impossible: " + refusal);
    record_.SetStartPosition(start);
    facts_.startKnown = true;
    AddStartNotices(facts_.notices, start, place_.line->number,
                    CharacterColumn(place_.line->text, place_.offset));
}

// The start position must be complete before the first move.
void CsaReader::EnterMoves() {
    if (sideGiven_) return;
    if (!position_.Started())
        Fail("the start position is missing: PI, P1 to P9 or P+ and P- lines, then + or -");
    Fail("the side to move (+ or -) is missing after the start position");
}

void CsaReader::ReadMove(std::string_view item) {
    EnterMoves();
    const std::string text(item);
    if (!endedBy_.empty()) Fail("a move after " + endedBy_);
    const auto code = item.size() == MoveLength ? PieceOfCsaCode(item.substr(5)) : std::nullopt;
    bool digits = item.size() == MoveLength;
    for (std::size_t i = 1; digits && i < 5; ++i)
        digits = IsDigit(item[i]);
    if (!digits || !code)
        Fail(Quoted(text) + " is not a move: a sign, four digits and a piece code, as +7776FU");
    const int side = item[0] == '+' ? Black : White;
    if (side != record_.SideToMove())
        Fail(text + ": it is " + SideName(record_.SideToMove()) + "'s move");
    const bool drop = item[1] == '0' && item[2] == '0';
    const Square from(item[2] - '1', item[1] - '1');
    const Square to(item[4] - '1', item[3] - '1');
    if ((!drop && !IsOnBoard(from)) || !IsOnBoard(to)) Fail(text + ": a square is off the board");

    Move move;
    if (drop) {
        if (IsPromoted(*code) || record_.GetPosition().HandCount(side, KindOf(*code)) == 0)
            Fail(text + ": " + SideName(side) + " has no " + std::string(item.substr(5)) +
                 " in hand");
        move = Move(Square(0, 0), to, side | *code, 1);
    } else {
        // The code is the piece after the move: the piece on the origin, or its promoted form.
        const PieceCode there = record_.Cell(from);
        const std::string origin(item.substr(1, 2));
        if (there == 0) Fail(text + ": there is no piece on " + origin);
        if (OwnerOf(there) != side)
            Fail(text + ": the piece on " + origin + " is " + SideName(OwnerOf(there)) + "'s");
        const bool promotes = RuleOf(there) != *code;
        if (promotes && (IsPromoted(there) || (there | PromotedFlag) != (side | *code)))
            Fail(text + ": the piece on " + origin + " is " + std::string(CsaCode(there)));
        move = Move(from, to, there, 0, promotes);
        if (promotes && !record_.MayPromote(move))
            Fail(text + ": the " + std::string(CsaCode(there)) + " on " + origin +
                 " cannot promote on this move");
    }
    if (!record_.IsLegal(move)) Fail(text + " is not a legal move here");
    FlushComment();
    record_.GoForward(record_.AddContinuation(move) - 1);
}

// "T12", or "T12.345" with fractions of a second: the time of the move or special above.
void CsaReader::ReadTime(std::string_view item) {
    const std::string_view number = item.substr(1);
    const std::size_t dot = number.find('.');
    const std::string_view whole = number.substr(0, dot);
    const std::string_view fraction =
        dot == std::string_view::npos ? std::string_view() : number.substr(dot + 1);
    bool valid =
        !whole.empty() && whole.size() <= 9 && (dot == std::string_view::npos || !fraction.empty());
    for (char c : whole)
        valid = valid && IsDigit(c);
    for (char c : fraction)
        valid = valid && IsDigit(c);
    if (!valid) Fail(Quoted(item) + " is not a time: T and seconds, as T16 or T1.5");
    if (!record_.Current().Parent()) Fail("a time before the first move");
    std::int64_t ms = 0;
    for (char c : whole)
        ms = ms * 10 + (c - '0');
    ms *= 1000;
    // Milliseconds are the finest the record keeps; further digits are cut off.
    int scale = 100;
    for (std::size_t i = 0; i < fraction.size() && scale > 0; ++i, scale /= 10)
        ms += (fraction[i] - '0') * scale;
    if (!record_.SetCurrentTime(ms))
        Fail(TimeTooLongText(record_.Current().number, record_.Current().IsResult()));
}

void CsaReader::ReadSpecial(std::string_view item) {
    EnterMoves();
    const std::string text(item);
    // A special after the game ended adds nothing to the game; its text is kept.
    if (!endedBy_.empty()) {
        AddCommentLine(text);
        return;
    }
    const SpecialMeaning meaning = MeaningOfSpecial(item.substr(1), record_.SideToMove());
    if (meaning.result) {
        FlushComment();
        record_.GoForward(record_.AddResult(*meaning.result) - 1);
        endedBy_ = text;
    }
    if (meaning.keepNameAsComment) AddCommentLine(text);
}

void CsaReader::AddCommentLine(std::string_view text) {
    if (commentPending_) comment_ += "\r\n";
    comment_ += text;
    commentPending_ = true;
}

// The comment lines gathered belong to the current node; they are stored before it changes.
void CsaReader::FlushComment() {
    if (!commentPending_) return;
    record_.SetCurrentComment(std::move(comment_));
    comment_.clear();
    commentPending_ = false;
}

void CsaReader::Finish(const TextLine* lastLine) {
    if (position_.Started() && !sideGiven_) {
        place_ = {lastLine, lastLine ? lastLine->text.size() : 0};
        Fail("the side to move (+ or -) is missing after the start position");
    }
    FlushComment();
    record_.GoToTop();
}

void CsaReader::CountLaterRecords(LineSplitter& lines) {
    const int separatorLine = place_.line->number;
    int records = 0;
    bool holdsSomething = false;
    TextLine line;
    while (lines.Next(line)) {
        const std::string_view text = Trim(line.text);
        if (text == "/") {
            records += holdsSomething;
            holdsSomething = false;
        } else if (!text.empty()) {
            holdsSomething = true;
        }
    }
    records += holdsSomething;
    if (records == 0) return;
    facts_.notices.push_back({separatorLine, CharacterColumn(place_.line->text, place_.offset),
                              "the file holds " + std::to_string(records + 1) +
                                  " records; only the first was read (" + std::to_string(records) +
                                  (records == 1 ? " record" : " records") + " after line " +
                                  std::to_string(separatorLine) + " left out)"});
}

void CsaReader::Fail(const std::string& message) {
    FlushComment();
    ESNLoadError error{message, 1, 1};
    if (place_.line) {
        error.line = place_.line->number;
        error.column = CharacterColumn(place_.line->text, place_.offset);
    }
    throw error;
}

}  // namespace

void ReadCsa(GameRecord& record, std::string_view bytes, CsaFileFacts& facts) {
    record.Reset();
    facts = CsaFileFacts();
    const std::optional<TextEncoding> declared = DeclaredEncoding(bytes);
    if (declared) facts.version = CsaVersion30;
    // A file that declares nothing is code page 932 by the descriptions, but files written as
    // UTF-8 without the 3.0 line are common; the bytes decide between them.
    DecodedText decoded = DecodeToUtf8(bytes, declared);
    const bool ascii = std::all_of(bytes.begin(), bytes.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    facts.encoding = !declared && ascii ? TextEncoding::Cp932 : decoded.encoding;
    CsaReader reader(record, facts);
    reader.Read(decoded.text, decoded.failure);
}

bool LooksLikeCsa(std::string_view bytes) {
    if (bytes.starts_with(ByteOrderMark)) bytes.remove_prefix(ByteOrderMark.size());
    if (bytes.starts_with(EncodingLine)) return true;
    LineSplitter lines(bytes.substr(0, 4096));
    TextLine line;
    for (int looked = 0; looked < 20 && lines.Next(line); ++looked) {
        const std::string_view text = Trim(line.text);
        if (text.empty() || text[0] == '\'') continue;
        const auto digitsAt = [&](std::size_t from, std::size_t count) {
            if (text.size() < from + count) return false;
            for (std::size_t i = from; i < from + count; ++i)
                if (!IsDigit(text[i])) return false;
            return true;
        };
        // A version, a player, record information, a start position or a move: "+7776FU".
        return (text.starts_with("V2") || text.starts_with("V3")) || text.starts_with("N+") ||
               text.starts_with("N-") || text.starts_with("PI") ||
               (text.size() >= 2 && text[0] == 'P' && text[1] >= '1' && text[1] <= '9' &&
                (text.size() == 2 || text[2] == ' ' || text[2] == '+' || text[2] == '-')) ||
               ((text.starts_with("P+") || text.starts_with("P-")) && digitsAt(2, 2)) ||
               (text[0] == '$' && text.find(':') != std::string_view::npos) ||
               ((text[0] == '+' || text[0] == '-') && (text.size() == 1 || digitsAt(1, 4)));
    }
    return false;
}

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
        out_ += EncodingLine;
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
