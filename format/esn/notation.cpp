#include "format/esn/notation.h"

#include "model/moverules.h"

namespace {

char FileDigit(Square sq) {
    return static_cast<char>('1' + sq.file);
}
char RankLetter(Square sq) {
    return static_cast<char>('a' + sq.rank);
}

// Pawns and kings, promoted or not, are written by their destination only.
bool ShortTextOmitsOrigin(PieceCode piece) {
    const PieceType kind = KindOf(piece);
    return kind == Pawn || kind == King;
}

}  // namespace

std::string SquareText(Square sq) {
    return std::string{FileDigit(sq), RankLetter(sq)};
}

int FormatMoveText(const Move& move, bool withOrigin, char* out) {
    int length = 0;
    if (IsPromoted(move.piece)) out[length++] = '+';
    out[length++] = PieceLetter(KindOf(move.piece));
    if (move.drop) {
        out[length++] = '*';
    } else {
        if (withOrigin || !ShortTextOmitsOrigin(move.piece)) {
            out[length++] = FileDigit(move.from);
            out[length++] = RankLetter(move.from);
        }
        out[length++] = move.captured != 0 ? 'x' : '-';
    }
    out[length++] = FileDigit(move.to);
    out[length++] = RankLetter(move.to);
    if (move.promote) out[length++] = '+';
    return length;
}

std::string MoveText(const Move& move) {
    char text[MoveTextCapacity];
    return std::string(text, static_cast<std::size_t>(FormatMoveText(move, false, text)));
}

bool NeedsOriginSquare(const Position& before, const Move& move) {
    if (move.drop || !ShortTextOmitsOrigin(move.piece)) return false;
    // An unpromoted pawn reaches its destination only from the square straight behind it, so
    // no other pawn can be taken for it.
    if (RuleOf(move.piece) == Pawn) return false;
    // Kings and promoted pawns move one square at a time, so reading the short text takes the
    // first piece of the same code next to the destination, in rank-major order, that may
    // legally move there. The mover itself may, so only earlier neighbours matter.
    const int fromIndex = CellIndex(move.from);
    for (int rank = move.to.rank - 1; rank <= move.to.rank + 1; ++rank) {
        for (int file = move.to.file - 1; file <= move.to.file + 1; ++file) {
            const Square sq = SquareAt(rank, file);
            if (!IsOnBoard(sq) || CellIndex(sq) >= fromIndex) continue;
            if (before.Cell(sq) != move.piece) continue;
            Move asRead = move;
            asRead.from = sq;
            asRead.promote = MustPromote(before, asRead);
            if (IsLegal(before, asRead)) return true;
        }
    }
    return !IsLegal(before, move);
}

std::string MoveTextOn(const Position& before, const Move& move) {
    char text[MoveTextCapacity];
    const int length = FormatMoveText(move, NeedsOriginSquare(before, move), text);
    return std::string(text, static_cast<std::size_t>(length));
}

void GetContinuationList(const GameRecord& record, std::vector<std::string>& list) {
    const MoveNode& current = record.Current();
    list.clear();
    list.reserve(static_cast<std::size_t>(current.ChildCount()));
    const std::string number = std::to_string(current.number + 1) + ". ";
    for (const ContinuationCell* cell = current.FirstChild(); cell; cell = cell->next.get()) {
        const MoveNode& node = *cell->node;
        list.push_back(number + (node.IsResult() ? ResultLabel(*node.Result())
                                                 : MoveTextOn(record.GetPosition(), node.move)));
    }
}
