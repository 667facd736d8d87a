#include "format/kif/ki2.h"

#include "format/kif/japaneseheader.h"
#include "format/kif/japanesenotation.h"
#include "format/kif/ki2move.h"
#include "format/kif/kiflines.h"
#include "format/kif/kifrecordreader.h"
#include "format/kif/kifrecordwriter.h"

namespace {

// A move is padded to this many columns, and this many stand on one line.
constexpr int MoveColumns = 12;
constexpr int MovesPerLine = 6;

class Ki2Reader : public KifRecordReader {
  public:
    using KifRecordReader::KifRecordReader;

  protected:
    bool IsMoveLine(std::string_view text) const override { return IsKi2MoveLine(text); }
    bool ReadMoveLine(const TextLine& line) override;

  private:
    // Reads one move or result at `pos`, moving it past; false, with the error set, when it
    // cannot be read.
    bool ReadToken(const TextLine& line, std::size_t& pos);
};

bool Ki2Reader::ReadMoveLine(const TextLine& line) {
    const std::string_view text = line.text;
    for (std::size_t pos = SkipBlanks(text, 0); pos < text.size();) {
        if (!ReadToken(line, pos)) return false;
        pos = SkipBlanks(text, pos);
        // A '+' after a move (a habit carried over from KIF) says nothing here.
        if (CharacterAt(text, pos) == U'+') pos = SkipBlanks(text, pos + 1);
    }
    return true;
}

// One move or result, "▲７六歩" or "△投了".
bool Ki2Reader::ReadToken(const TextLine& line, std::size_t& pos) {
    const std::string_view text = line.text;
    const std::size_t tokenAt = pos;
    const int side = SideOfMark(NextCharacter(text, pos));
    if (side == 0) return Fail(line, tokenAt, "a move must begin with ▲ or △");
    const int toMove = CurrentPosition().sideToMove;
    if (AtResult()) return Fail(line, tokenAt, "a move after the result");
    if (side != toMove)
        return Fail(line, tokenAt,
                    std::string(SideMark(side)) + " move but " + SideName(toMove) + " is to move");

    std::size_t end = pos;
    for (std::size_t next = end;;) {
        const char32_t c = NextCharacter(text, next);
        if (c == 0 || IsBlank(c) || SideOfMark(c) != 0) break;
        end = next;
    }
    if (const auto result = ResultOfKifWord(text.substr(pos, end - pos))) {
        pos = end;
        return AddResult(*result, line, tokenAt);
    }

    JapaneseMoveText moveText;
    std::string error;
    if (!ReadJapaneseMoveText(text, pos, moveText, error)) return Fail(line, pos, error);
    if (moveText.same) {
        const auto previous = PreviousDestination();
        if (!previous) return Fail(line, tokenAt, "同 at the first move");
        moveText.to = *previous;
    }
    Move move;
    if (!ResolveJapaneseMove(CurrentPosition(), moveText, move, error))
        return Fail(line, tokenAt, error);
    return AddMove(move, line, tokenAt);
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

}  // namespace

void ReadKi2(GameRecord& record, RecordText& text, ReadReport& report) {
    Ki2Reader reader(record);
    reader.Read(text, report);
}

bool WriteKi2(const GameRecord& record, TextEncoding encoding, std::string& bytes,
              std::string& refusal) {
    KifText out(record, "KI2");
    if (!WriteKifHeader(record, encoding, out, refusal)) return false;
    if (!WriteKifNotes(record.Root(), out, refusal)) return false;
    if (!WriteMoves(record, out, refusal)) return false;
    return out.Encode(encoding, bytes, refusal);
}
