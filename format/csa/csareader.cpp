#include "format/csa/csareader.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <utility>

#include "format/csa/csacodes.h"
#include "format/csa/csaposition.h"
#include "format/text/loaderror.h"
#include "format/text/textscan.h"
#include "model/moverules.h"
#include "model/soundness.h"

namespace {

constexpr std::size_t MoveLength = 7;  // "+7776FU"

std::string_view SharedKeyOf(std::string_view csaKey) {
    for (const SharedCsaKey& shared : SharedCsaKeys)
        if (shared.csa == csaKey) return shared.key;
    return {};
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
    CsaReader(GameRecord& record, ReadReport& report) : record_(record), report_(report) {}

    // Reads the text's lines, the first record only; where a byte cannot be decoded the text
    // ends, and reading stops with that error.
    void Read(RecordText& text);
    int Version() const { return version_; }

  private:
    enum class LineEnd { Next, RecordEnd, Failed };

    LineEnd ReadLine(const TextLine& line);
    void KeepAsComment(std::string_view rest, std::string_view item);
    bool ReadItem(std::string_view item);
    void ReadText(std::string_view line);
    void ReadRecordInformation(std::string_view line);
    bool ReadPositionLine(std::string_view item);
    bool ReadSideToMove(std::string_view item);
    bool ReadMove(std::string_view item);
    bool ReadTime(std::string_view item);
    bool ReadSpecial(std::string_view item);
    bool EnterMoves();
    void Finish(const TextLine* lastLine);
    void CountLaterRecords(RecordText& text);

    void AddCommentLine(std::string_view text);
    void FlushComment();
    // Sets the error at the item being read; answers false.
    bool Fail(const std::string& message);

    GameRecord& record_;
    ReadReport& report_;
    int version_ = CsaVersion22;
    CsaPositionBuilder position_;
    ItemPlace place_;
    bool sideGiven_ = false;
    std::string endedBy_;  // the special that ended the game, once one has
    std::string comment_;  // comment lines for the current node, not yet stored
    bool commentPending_ = false;
    bool sawText_ = false;     // a line held more than blanks
    bool recognised_ = false;  // a statement was read: the file holds a record
};

void CsaReader::Read(RecordText& text) {
    TextLine current;
    const TextLine* last = nullptr;
    while (text.NextLine(current)) {
        // Only a version 3.0 file declares its character set, on its first line.
        if (current.number == 1 && current.text.starts_with(CsaEncodingLine))
            version_ = CsaVersion30;
        last = &current;
        place_ = {last, 0};
        const LineEnd end = ReadLine(current);
        if (end == LineEnd::Failed) return;
        if (end == LineEnd::RecordEnd) {
            const TextLine separator = current;
            CountLaterRecords(text);
            place_ = {&separator, 0};
            Finish(&separator);
            return;
        }
    }
    // Nothing but lines that are no statement (a shopping list saved as .csa): no record.
    if (sawText_ && !recognised_ && !text.Failure()) {
        report_.notices.clear();
        report_.error = ReadError{std::string(NoGameRecordText), 1, 1};
        return;
    }
    if (text.Failure()) {
        FlushComment();
        report_.error = text.Failure();
        return;
    }
    Finish(last);
}

// Reads one line: a "/" line ends the record.
CsaReader::LineEnd CsaReader::ReadLine(const TextLine& line) {
    std::string_view text = line.text;
    const std::size_t start = SkipBlanks(text, 0);
    if (start == text.size()) return LineEnd::Next;
    sawText_ = true;
    place_.offset = start;
    // Comments, names and record information run to the end of the line; they may hold commas.
    if (IsTextLine(text.substr(start))) {
        recognised_ = true;
        ReadText(text.substr(start));
        return LineEnd::Next;
    }
    // Everything else may be several items on one line, separated by commas: "+7776FU,T3". A
    // comment after them runs to the end of the line.
    for (std::size_t from = start; from <= text.size();) {
        std::size_t end = text.find(',', from);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view item = TrimBlanks(text.substr(from, end - from));
        if (!item.empty()) {
            place_.offset = item.data() - text.data();
            const std::string_view rest = TrimBlanks(text.substr(place_.offset));
            if (item[0] == '\'') {
                ReadText(rest);
                return LineEnd::Next;
            }
            if (item == "/") return LineEnd::RecordEnd;
            if (!IsStatement(item)) {
                KeepAsComment(rest, item);
                return LineEnd::Next;
            }
            recognised_ = true;
            if (!ReadItem(item)) return LineEnd::Failed;
        }
        from = end + 1;
    }
    return LineEnd::Next;
}

// The rest of a line that holds no statement stays where it stands, as a comment line.
void CsaReader::KeepAsComment(std::string_view rest, std::string_view item) {
    AddCommentLine(rest);
    report_.notices.push_back(
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
    if (csaKey == CsaTitleKey) {
        record_.SetTitle(value);
        return;
    }
    const std::string_view shared = SharedKeyOf(csaKey);
    record_.AddHeaderLine({std::string(shared.empty() ? csaKey : shared), value});
}

bool CsaReader::ReadItem(std::string_view item) {
    switch (item[0]) {
        case 'V':
            version_ = item.starts_with("V3") ? CsaVersion30 : CsaVersion22;
            return true;
        case 'P':
            return ReadPositionLine(item);
        case '+':
        case '-':
            return item.size() == 1 ? ReadSideToMove(item) : ReadMove(item);
        case 'T':
            return ReadTime(item);
        default:
            return ReadSpecial(item);
    }
}

bool CsaReader::ReadPositionLine(std::string_view item) {
    if (sideGiven_) return Fail("a position line after the side to move");
    if (std::string problem = position_.ReadLine(item); !problem.empty()) return Fail(problem);
    return true;
}

bool CsaReader::ReadSideToMove(std::string_view item) {
    if (sideGiven_) return Fail("a second line for the side to move");
    if (!position_.Started()) return Fail("the side to move comes before the start position");
    sideGiven_ = true;
    const Position start = position_.Finish(item[0] == '+' ? Black : White);
    if (std::string refusal = RefusalText(start); !refusal.empty())
        return Fail("the start position is impossible: " + refusal);
    record_.SetStartPosition(start);
    report_.startKnown = true;
    AddStartNotices(report_.notices, start, place_.line->number,
                    CharacterColumn(place_.line->text, place_.offset));
    return true;
}

// The start position must be complete before the first move.
bool CsaReader::EnterMoves() {
    if (sideGiven_) return true;
    if (!position_.Started())
        return Fail("the start position is missing: PI, P1 to P9 or P+ and P- lines, then + or -");
    return Fail("the side to move (+ or -) is missing after the start position");
}

bool CsaReader::ReadMove(std::string_view item) {
    if (!EnterMoves()) return false;
    const std::string text(item);
    if (!endedBy_.empty()) return Fail("a move after " + endedBy_);
    const auto code = item.size() == MoveLength ? PieceOfCsaCode(item.substr(5)) : std::nullopt;
    bool digits = item.size() == MoveLength;
    for (std::size_t i = 1; digits && i < 5; ++i)
        digits = IsDigit(item[i]);
    if (!digits || !code)
        return Fail(Quoted(text) +
                    " is not a move: a sign, four digits and a piece code, as +7776FU");
    const int side = item[0] == '+' ? Black : White;
    if (side != record_.SideToMove())
        return Fail(text + ": it is " + SideName(record_.SideToMove()) + "'s move");
    const bool drop = item[1] == '0' && item[2] == '0';
    const Square from(item[2] - '1', item[1] - '1');
    const Square to(item[4] - '1', item[3] - '1');
    if ((!drop && !IsOnBoard(from)) || !IsOnBoard(to))
        return Fail(text + ": a square is off the board");

    Move move;
    if (drop) {
        if (IsPromoted(*code) || record_.GetPosition().HandCount(side, KindOf(*code)) == 0)
            return Fail(text + ": " + SideName(side) + " has no " + std::string(item.substr(5)) +
                        " in hand");
        move = Move(Square(0, 0), to, side | *code, 1);
    } else {
        // The code is the piece after the move: the piece on the origin, or its promoted form.
        const PieceCode there = record_.Cell(from);
        const std::string origin(item.substr(1, 2));
        if (there == 0) return Fail(text + ": there is no piece on " + origin);
        if (OwnerOf(there) != side)
            return Fail(text + ": the piece on " + origin + " is " + SideName(OwnerOf(there)) +
                        "'s");
        const bool promotes = RuleOf(there) != *code;
        if (promotes && (IsPromoted(there) || (there | PromotedFlag) != (side | *code)))
            return Fail(text + ": the piece on " + origin + " is " + std::string(CsaCode(there)));
        move = Move(from, to, there, 0, promotes);
        if (promotes && !record_.MayPromote(move))
            return Fail(text + ": the " + std::string(CsaCode(there)) + " on " + origin +
                        " cannot promote on this move");
    }
    if (!record_.IsLegal(move)) return Fail(text + " is not a legal move here");
    FlushComment();
    record_.GoForward(record_.AddContinuation(move) - 1);
    return true;
}

// "T12", or "T12.345" with fractions of a second: the time of the move or special above.
bool CsaReader::ReadTime(std::string_view item) {
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
    if (!valid) return Fail(Quoted(item) + " is not a time: T and seconds, as T16 or T1.5");
    if (!record_.Current().Parent()) return Fail("a time before the first move");
    std::int64_t ms = 0;
    for (char c : whole)
        ms = ms * 10 + (c - '0');
    ms *= 1000;
    // Milliseconds are the finest the record keeps; further digits are cut off.
    int scale = 100;
    for (std::size_t i = 0; i < fraction.size() && scale > 0; ++i, scale /= 10)
        ms += (fraction[i] - '0') * scale;
    if (!record_.SetCurrentTime(ms))
        return Fail(TimeTooLongText(record_.Current().number, record_.Current().IsResult()));
    return true;
}

bool CsaReader::ReadSpecial(std::string_view item) {
    if (!EnterMoves()) return false;
    const std::string text(item);
    // A special after the game ended adds nothing to the game; its text is kept.
    if (!endedBy_.empty()) {
        AddCommentLine(text);
        return true;
    }
    const SpecialMeaning meaning = MeaningOfSpecial(item.substr(1), record_.SideToMove());
    if (meaning.result) {
        FlushComment();
        record_.GoForward(record_.AddResult(*meaning.result) - 1);
        endedBy_ = text;
    }
    if (meaning.keepNameAsComment) AddCommentLine(text);
    return true;
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
        return;
    }
    FlushComment();
    record_.GoToTop();
}

void CsaReader::CountLaterRecords(RecordText& text) {
    const int separatorLine = place_.line->number;
    const int separatorColumn = CharacterColumn(place_.line->text, place_.offset);
    int records = 0;
    bool holdsSomething = false;
    TextLine line;
    while (text.NextLine(line)) {
        const std::string_view trimmed = TrimBlanks(line.text);
        if (trimmed == "/") {
            records += holdsSomething;
            holdsSomething = false;
        } else if (!trimmed.empty()) {
            holdsSomething = true;
        }
    }
    records += holdsSomething;
    if (records == 0) return;
    report_.notices.push_back({separatorLine, separatorColumn,
                               "the file holds " + std::to_string(records + 1) +
                                   " records; only the first was read (" + std::to_string(records) +
                                   (records == 1 ? " record" : " records") + " after line " +
                                   std::to_string(separatorLine) + " left out)"});
}

bool CsaReader::Fail(const std::string& message) {
    FlushComment();
    ReadError error{message, 1, 1};
    if (place_.line) {
        error.line = place_.line->number;
        error.column = CharacterColumn(place_.line->text, place_.offset);
    }
    if (!report_.error) report_.error = std::move(error);
    return false;
}

}  // namespace

int ReadCsa(GameRecord& record, RecordText& text, ReadReport& report) {
    record.Reset();
    CsaReader reader(record, report);
    reader.Read(text);
    return reader.Version();
}

std::optional<TextEncoding> CsaDeclaredEncoding(std::string_view firstLine) {
    if (!firstLine.starts_with(CsaEncodingLine)) return std::nullopt;
    return EncodingFromName(TrimBlanks(firstLine.substr(CsaEncodingLine.size())));
}

bool LooksLikeCsa(std::string_view text) {
    if (text.starts_with(CsaEncodingLine)) return true;
    LineSplitter lines(text.substr(0, 4096));
    TextLine line;
    for (int looked = 0; looked < 20 && lines.Next(line); ++looked) {
        const std::string_view trimmed = TrimBlanks(line.text);
        if (trimmed.empty() || trimmed[0] == '\'') continue;
        const auto digitsAt = [&](std::size_t from, std::size_t count) {
            if (trimmed.size() < from + count) return false;
            for (std::size_t i = from; i < from + count; ++i)
                if (!IsDigit(trimmed[i])) return false;
            return true;
        };
        // A version, a player, record information, a start position or a move: "+7776FU".
        return (trimmed.starts_with("V2") || trimmed.starts_with("V3")) ||
               trimmed.starts_with("N+") || trimmed.starts_with("N-") ||
               trimmed.starts_with("PI") ||
               (trimmed.size() >= 2 && trimmed[0] == 'P' && trimmed[1] >= '1' &&
                trimmed[1] <= '9' &&
                (trimmed.size() == 2 || trimmed[2] == ' ' || trimmed[2] == '+' ||
                 trimmed[2] == '-')) ||
               ((trimmed.starts_with("P+") || trimmed.starts_with("P-")) && digitsAt(2, 2)) ||
               (trimmed[0] == '$' && trimmed.find(':') != std::string_view::npos) ||
               ((trimmed[0] == '+' || trimmed[0] == '-') &&
                (trimmed.size() == 1 || digitsAt(1, 4)));
    }
    return false;
}
