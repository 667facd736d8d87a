#include "format/kif/kif.h"

#include <vector>

#include "format/kif/japaneseheader.h"
#include "format/kif/japanesenotation.h"
#include "format/kif/ki2move.h"
#include "format/kif/kiflines.h"
#include "format/kif/kifrecordreader.h"
#include "format/kif/kifrecordwriter.h"
#include "model/headerline.h"

namespace {

constexpr std::string_view MoveColumns = "手数----指手---------消費時間--";
// A move line's text (the move and its padding) fills this many columns before the time.
constexpr int MoveTextColumns = 13;

// The words that end a line of play in a move line, and the two that record a game that was
// never played (kept as a note in the header).
std::optional<GameResult> ReadResultWord(std::string_view text, std::size_t& pos,
                                         std::string_view& word) {
    std::size_t end = pos;
    for (std::size_t next = end;;) {
        const char32_t c = NextCharacter(text, next);
        if (c == 0 || IsBlank(c) || c == U'(' || c == U'+') break;
        end = next;
    }
    word = text.substr(pos, end - pos);
    const auto result = ResultOfKifWord(word);
    if (result || word == "不戦勝" || word == "不戦敗") pos = end;
    return result;
}

bool IsOriginStart(std::string_view text, std::size_t pos) {
    std::size_t at = pos;
    const char32_t open = NextCharacter(text, at);
    if (open != U'(' && open != U'（') return false;
    const int file = DigitValue(NextCharacter(text, at));
    const int rank = DigitValue(NextCharacter(text, at));
    const char32_t close = NextCharacter(text, at);
    return file != 0 && rank != 0 && (close == U')' || close == U'）');
}

// The origin "(77)": file digit, rank digit.
Square ReadOrigin(std::string_view text, std::size_t& pos) {
    NextCharacter(text, pos);
    const int file = DigitValue(NextCharacter(text, pos));
    const int rank = DigitValue(NextCharacter(text, pos));
    NextCharacter(text, pos);
    return Square(rank - 1, file - 1);
}

class KifReader : public KifRecordReader {
  public:
    using KifRecordReader::KifRecordReader;

  protected:
    bool IsMoveLine(std::string_view text) const override { return IsKifMoveLine(text); }
    bool ReadMoveLine(const TextLine& line) override;

  private:
    bool CheckNumber(const TextLine& line, std::size_t& pos);
    bool BoardMoveFromOrigin(const TextLine& line, std::size_t& pos, const JapaneseMoveText& text,
                             Move& move);
    bool ReadTimeAndEnd(const TextLine& line, std::size_t pos);
    bool ReadTime(std::string_view text, std::size_t& pos, std::int64_t& milliseconds);

    bool numbered_ = false;
};

bool KifReader::ReadMoveLine(const TextLine& line) {
    const std::string_view text = line.text;
    std::size_t pos = SkipBlanks(text, 0);
    if (!CheckNumber(line, pos)) return false;
    pos = SkipBlanks(text, pos);
    // Some programs put the mover's mark before the move.
    if (const int side = SideOfMark(CharacterAt(text, pos))) {
        if (side != CurrentPosition().sideToMove) {
            return Fail(line, pos,
                        std::string(SideMark(side)) + " move but " +
                            SideName(CurrentPosition().sideToMove) + " is to move");
        }
        NextCharacter(text, pos);
    }
    const std::size_t moveAt = pos;
    if (AtResult()) return Fail(line, moveAt, "a move after the result");
    std::string_view word;
    const char32_t first = CharacterAt(text, pos);
    const bool startsMove = DigitValue(first) != 0 || first == U'同';
    if (const auto result = startsMove ? std::nullopt : ReadResultWord(text, pos, word)) {
        return AddResult(*result, line, moveAt) && ReadTimeAndEnd(line, pos);
    }
    if (pos != moveAt) {  // 不戦勝 or 不戦敗: no game was played
        AddNote(word);
        return ReadTimeAndEnd(line, pos);
    }

    JapaneseMoveText moveText;
    std::string error;
    if (!ReadJapaneseMoveText(text, pos, moveText, error)) return Fail(line, pos, error);
    if (moveText.same) {
        const auto previous = PreviousDestination();
        if (!previous) return Fail(line, moveAt, "同 at the first move");
        moveText.to = *previous;
    }
    // Blanks, full-width ones too, may stand between the move and its origin: "７六歩　(77)".
    if (const std::size_t origin = SkipBlanks(text, pos); IsOriginStart(text, origin)) pos = origin;
    Move move;
    if (IsOriginStart(text, pos)) {
        if (moveText.drop) return Fail(line, pos, "a drop has no square it comes from");
        if (!BoardMoveFromOrigin(line, pos, moveText, move)) return false;
    } else if (!moveText.drop &&
               (CharacterAt(text, pos) == U'(' || CharacterAt(text, pos) == U'（')) {
        return Fail(line, pos, "unreadable origin: it must be two digits in parentheses, as (77)");
    } else if (!ResolveJapaneseMove(CurrentPosition(), moveText, move, error)) {
        // Drops carry 打; a move without origin or 打 is read as KI2 reads it.
        return Fail(line, moveAt, error);
    }
    return AddMove(move, line, moveAt) && ReadTimeAndEnd(line, pos);
}

// The first move line fixes the number of ply 1; every later one must count on from its
// predecessor, and the first of a variation from the ply it replaces.
bool KifReader::CheckNumber(const TextLine& line, std::size_t& pos) {
    const std::size_t at = pos;
    const long long number = *ReadNumber(line.text, pos);
    if (!numbered_) {
        SetNumberOffset(number - 1 - Ply());
        numbered_ = true;
    }
    const long long expected = NumberOfPly(Ply() + 1);
    if (number == expected) return true;
    return Fail(line, at,
                "move number " + std::to_string(number) + " where " + std::to_string(expected) +
                    " was expected");
}

bool KifReader::BoardMoveFromOrigin(const TextLine& line, std::size_t& pos,
                                    const JapaneseMoveText& text, Move& move) {
    const std::size_t originAt = pos;
    const Square from = ReadOrigin(line.text, pos);
    const PieceCode standing = CurrentPosition().Cell(from);
    const int side = CurrentPosition().sideToMove;
    if (standing == 0) return Fail(line, originAt, "no piece on " + JapaneseSquare(from));
    if (OwnerOf(standing) != side)
        return Fail(line, originAt, "the piece on " + JapaneseSquare(from) + " is the opponent's");
    if (RuleOf(standing) != text.piece) {
        return Fail(line, originAt,
                    "the piece on " + JapaneseSquare(from) + " is " +
                        std::string(JapanesePieceName(standing)) + ", not " +
                        std::string(JapanesePieceName(text.piece)));
    }
    move = Move(from, text.to, standing, 0, text.promote ? 1 : 0);
    return true;
}

// "( 0:16/00:00:16)", also "(0:4/0:0:4)" or without the total. The total is computed when
// writing, never kept, so it is only read past. A fraction of a second is kept if given.
bool KifReader::ReadTime(std::string_view text, std::size_t& pos, std::int64_t& milliseconds) {
    std::size_t at = pos;
    const char32_t open = NextCharacter(text, at);
    if (open != U'(' && open != U'（') return false;
    at = SkipBlanks(text, at);
    const auto minutes = ReadNumber(text, at, 10'000'000);
    if (!minutes || NextCharacter(text, at) != U':') return false;
    const auto seconds = ReadNumber(text, at, 10'000'000);
    if (!seconds) return false;
    std::int64_t fraction = 0;
    if (CharacterAt(text, at) == U'.') {
        ++at;
        int scale = 100;
        for (char32_t c = CharacterAt(text, at); c >= U'0' && c <= U'9';
             c = CharacterAt(text, at)) {
            fraction += (c - U'0') * scale;
            scale /= 10;
            ++at;
        }
    }
    // The running total, in whatever shape, up to the closing parenthesis.
    for (;;) {
        const char32_t c = NextCharacter(text, at);
        if (c == U')' || c == U'）') break;
        if (c == 0) return false;
    }
    milliseconds = (*minutes * 60 + *seconds) * 1000 + fraction;
    pos = at;
    return true;
}

bool KifReader::ReadTimeAndEnd(const TextLine& line, std::size_t pos) {
    const std::string_view text = line.text;
    pos = SkipBlanks(text, pos);
    if (CharacterAt(text, pos) == U'(' || CharacterAt(text, pos) == U'（') {
        std::int64_t milliseconds = 0;
        const std::size_t timeAt = pos;
        if (!ReadTime(text, pos, milliseconds)) return Fail(line, pos, "unreadable time");
        if (!SetTime(milliseconds, line, timeAt)) return false;
        pos = SkipBlanks(text, pos);
    }
    // '+' marks a move that variations replace; the blocks themselves say so.
    if (CharacterAt(text, pos) == U'+') pos = SkipBlanks(text, pos + 1);
    if (pos < text.size()) return Fail(line, pos, "unexpected text after the move");
    return true;
}

// The move as KIF writes it: "７六歩(77)", "同　成銀(31)", "２二角成(88)", "５五角打"; 不成 is
// never written (the origin says everything).
std::string KifMoveText(const MoveNode& node) {
    if (node.IsResult()) return std::string(KifResultWord(*node.Result()));
    const Move& move = node.move;
    std::string text;
    const MoveNode& parent = *node.Parent();
    if (parent.Parent() && !parent.IsResult() && parent.move.to == move.to)
        text = "同　";
    else
        text = JapaneseSquare(move.to);
    text += JapanesePieceName(move.piece);
    if (move.drop) return text + "打";
    if (move.promote) text += "成";
    text += '(';
    text += static_cast<char>('1' + move.from.file);
    text += static_cast<char>('1' + move.from.rank);
    text += ')';
    return text;
}

// "( 0:16/00:00:16)": this move's minutes and seconds, then the mover's total so far.
std::string TimeField(std::int64_t moveMs, std::int64_t totalMs) {
    const std::int64_t move = moveMs / 1000;
    const std::int64_t total = totalMs / 1000;
    std::string field = "(";
    AppendDecimal(field, move / 60, 2, ' ');
    field += ':';
    AppendDecimal(field, move % 60, 2, '0');
    field += '/';
    AppendDecimal(field, total / 3600, 2, '0');
    field += ':';
    AppendDecimal(field, total / 60 % 60, 2, '0');
    field += ':';
    AppendDecimal(field, total % 60, 2, '0');
    field += ')';
    return field;
}

bool HasLaterAlternative(const MoveNode& node) {
    return node.Parent()->LastChild()->node.get() != &node;
}

bool WriteMoves(const GameRecord& record, KifText& out, std::string& refusal) {
    KifLineWalk walk(record);
    while (walk.NextBlock()) {
        if (!walk.InMainLine()) {
            out.EndLine();
            out.Append("変化：" + std::to_string(walk.Node()->number) + "手");
            out.EndLine();
        }
        const MoveNode* last = nullptr;
        for (; walk.Node(); walk.Advance()) {
            const MoveNode& node = *walk.Node();
            std::string number;
            AppendDecimal(number, node.number, 4, ' ');
            number += ' ';
            out.Append(number);
            const std::string move = KifMoveText(node);
            out.Append(move);
            const auto time = node.TimeMs();
            const bool later = HasLaterAlternative(node);
            // The padding only lines up what follows the move; a bare move ends the line.
            if (time || later)
                out.Append(std::string(std::max(1, MoveTextColumns - DisplayWidth(move)), ' '));
            if (time) {
                const int mover = walk.Before().sideToMove;
                out.Append(TimeField(*time, AddTimes(walk.TotalMs(mover), *time)));
            }
            if (later) out.Append('+');
            out.EndLine();
            if (!WriteKifNotes(node, out, refusal)) return false;
            last = &node;
        }
        if (walk.InMainLine() && last && last->IsResult()) {
            const bool handicapLabels = UsesHandicapLabels(record.StartPosition());
            out.Append(SummaryText(*last->Result(), last->number - 1, MoverOf(record, *last),
                                   handicapLabels));
            out.EndLine();
        }
    }
    return true;
}

}  // namespace

void ReadKif(GameRecord& record, RecordText& text, ReadReport& report) {
    KifReader reader(record);
    reader.Read(text, report);
}

bool WriteKif(const GameRecord& record, TextEncoding encoding, std::string& bytes,
              std::string& refusal) {
    KifText out(record, "KIF");
    if (!WriteKifHeader(record, encoding, out, refusal)) return false;
    out.Append(MoveColumns);
    out.EndLine();
    if (!WriteKifNotes(record.Root(), out, refusal)) return false;
    if (!WriteMoves(record, out, refusal)) return false;
    return out.Encode(encoding, bytes, refusal);
}
