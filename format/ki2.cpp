#include "format/ki2.h"

#include "format/japaneseheader.h"
#include "format/japanesenotation.h"
#include "format/ki2move.h"
#include "format/kiflines.h"
#include "format/kifrecordreader.h"
#include "format/kifrecordwriter.h"
#include "format/losses.h"

namespace {

// A move is padded to this many columns, and this many stand on one line.
constexpr int MoveColumns = 12;
constexpr int MovesPerLine = 6;

class Ki2Reader : public KifRecordReader {
  public:
    using KifRecordReader::KifRecordReader;

  protected:
    bool IsMoveLine(std::string_view text) const override { return IsKi2MoveLine(text); }
    void ReadMoveLine(const TextLine& line) override;

  private:
    std::size_t ReadToken(const TextLine& line, std::size_t pos);
};

void Ki2Reader::ReadMoveLine(const TextLine& line) {
    const std::string_view text = line.text;
    for (std::size_t pos = SkipBlanks(text, 0); pos < text.size();) {
        pos = ReadToken(line, pos);
        pos = SkipBlanks(text, pos);
        // A '+' after a move (a habit carried over from KIF) says nothing here.
        if (CharacterAt(text, pos) == U'+') pos = SkipBlanks(text, pos + 1);
    }
}

// One move or result, "▲７六歩" or "△投了"; answers the offset after it.
std::size_t Ki2Reader::ReadToken(const TextLine& line, std::size_t pos) {
    const std::string_view text = line.text;
    const std::size_t tokenAt = pos;
    const int side = SideOfMark(NextCharacter(text, pos));
    if (side == 0) Fail(line, tokenAt, "a move must begin with ▲ or △");
    const int toMove = CurrentPosition().sideToMove;
    if (AtResult()) Fail(line, tokenAt, "a move after the result");
    if (side != toMove)
        Fail(line, tokenAt,
             std::string(SideMark(side)) + " move but " + SideName(toMove) + " is to move");

    std::size_t end = pos;
    for (std::size_t next = end;;) {
        const char32_t c = NextCharacter(text, next);
        if (c == 0 || IsJapaneseBlank(c) || SideOfMark(c) != 0) break;
        end = next;
    }
    if (const auto result = ResultOfKifWord(text.substr(pos, end - pos))) {
        AddResult(*result, line, tokenAt);
        return end;
    }

    JapaneseMoveText moveText;
    std::string error;
    if (!ReadJapaneseMoveText(text, pos, moveText, error)) Fail(line, pos, error);
    if (moveText.same) {
        const auto previous = PreviousDestination();
        if (!previous) Fail(line, tokenAt, "同 at the first move");
        moveText.to = *previous;
    }
    Move move;
    if (!ResolveJapaneseMove(CurrentPosition(), moveText, move, error)) Fail(line, tokenAt, error);
    AddMove(move, line, tokenAt);
    return pos;
}

bool WriteMoves(const GameRecord& record, KifText& out, std::string& refusal) {
    const bool handicapLabels = UsesHandicapLabels(record.StartPosition());
    KifLineWalk walk(record);
    while (walk.NextBlock()) {
        if (!walk.InMainLine()) {
            out.EndLine();
            out.Append("変化：" + std::to_string(walk.Node()->number) + "手");
            out.EndLine();
        }
        int onLine = 0;
        int lastWidth = 0;
        for (; walk.Node(); walk.Advance()) {
            const MoveNode& node = *walk.Node();
            if (node.IsResult()) {
                if (onLine > 0) out.EndLine();
                onLine = 0;
                // Before the first move a summary line would read as part of the header: a
                // result there is written as a move, "▲投了".
                if (walk.InMainLine() && !node.Parent()->Parent()) {
                    out.Append(SideMark(walk.Before().sideToMove));
                    out.Append(KifResultWord(*node.Result()));
                } else {
                    out.Append(SummaryText(*node.Result(), node.number - 1,
                                           walk.Before().sideToMove, handicapLabels));
                }
                out.EndLine();
                if (!WriteKifNotes(node, out, refusal)) return false;
                continue;
            }
            const MoveNode& parent = *node.Parent();
            const std::optional<Square> previous =
                parent.Parent() ? std::optional<Square>(parent.move.to) : std::nullopt;
            const std::string move = Ki2MoveText(walk.Before(), node.move, previous);
            if (onLine > 0) out.Append(std::string(std::max(1, MoveColumns - lastWidth), ' '));
            out.Append(move);
            lastWidth = DisplayWidth(move);
            ++onLine;
            const bool notes = !node.Comment().empty() || !node.Bookmark().empty();
            const bool lineEnds = notes || onLine == MovesPerLine || !node.FirstChild();
            if (!lineEnds) continue;
            out.EndLine();
            onLine = 0;
            if (!WriteKifNotes(node, out, refusal)) return false;
        }
    }
    return true;
}

void ReadKi2Record(GameRecord& record, std::string_view bytes, ReadOutcome& outcome) {
    Ki2Reader reader(record);
    reader.Read(bytes, outcome);
}

bool WriteKi2Record(const GameRecord& record, const FileType& type, std::string& bytes,
                    std::string& refusal) {
    return WriteKi2(record, type.encoding, bytes, refusal);
}

// KI2 has no place for times, not even the time a player took to resign.
RecordLosses Ki2Losses(const GameRecord& record, const FileType&) {
    RecordLosses losses;
    losses.moveTimes = CountRecordContents(record).moveTimes;
    return losses;
}

}  // namespace

TextEncoding ReadKi2(GameRecord& record, std::string_view bytes) {
    Ki2Reader reader(record);
    reader.Read(bytes);
    return reader.Encoding();
}

bool WriteKi2(const GameRecord& record, TextEncoding encoding, std::string& bytes,
              std::string& refusal) {
    KifText out(record, "KI2");
    if (!WriteKifHeader(record, encoding, out, refusal)) return false;
    if (!WriteKifNotes(record.Root(), out, refusal)) return false;
    if (!WriteMoves(record, out, refusal)) return false;
    return out.Encode(encoding, bytes, refusal);
}

bool LooksLikeKi2(std::string_view bytes) {
    return DetectKifFlavour(bytes) == KifFlavour::Ki2;
}

const FormatHandler Ki2Format{RecordFormat::Ki2, &LooksLikeKi2, &ReadKi2Record, &WriteKi2Record,
                              &Ki2Losses};
