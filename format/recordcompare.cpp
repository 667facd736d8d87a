#include "format/recordcompare.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "format/esn/notation.h"

namespace {

bool SameStoredMove(const Move& a, const Move& b) {
    return a.to == b.to && a.piece == b.piece && (a.drop != 0) == (b.drop != 0) &&
           (a.promote != 0) == (b.promote != 0) && a.captured == b.captured &&
           (a.drop != 0 || a.from == b.from);
}

int IndexAmongContinuations(const MoveNode& node) {
    int index = 0;
    for (const ContinuationCell* cell = node.Parent()->FirstChild(); cell;
         cell = cell->next.get(), ++index) {
        if (cell->node.get() == &node) return index;
    }
    return -1;
}

// The continuation indices from the root down to `node`, as "0.2.1", or "the root".
std::string PathOf(const MoveNode& node) {
    std::vector<int> indices;
    for (const MoveNode* n = &node; n->Parent(); n = n->Parent())
        indices.push_back(IndexAmongContinuations(*n));
    if (indices.empty()) return "the root";
    std::reverse(indices.begin(), indices.end());
    std::string path = "node ";
    for (std::size_t i = 0; i < indices.size(); ++i) {
        if (i > 0) path += '.';
        path += std::to_string(indices[i]);
    }
    return path;
}

bool Differ(std::string* why, std::string reason) {
    if (why) *why = std::move(reason);
    return false;
}

std::string SideText(int side) {
    return side == Black || side == White ? SideName(side) : std::to_string(side);
}

std::string ResultText(const MoveNode& node) {
    return node.IsResult() ? std::string("result ") + ResultKeyword(*node.Result()) : "a move";
}

std::string TimeText(std::optional<std::int64_t> ms) {
    return ms ? std::to_string(*ms) + " ms" : "no time";
}

// Where two start positions first differ: the side to move, a square, or a hand.
bool SameStart(const Position& a, const Position& b, std::string* why) {
    if (a.sideToMove != b.sideToMove)
        return Differ(why, "start position: " + SideText(a.sideToMove) + " to move against " +
                               SideText(b.sideToMove));
    for (int cell = 0; cell < CellCount; ++cell)
        if (a.board[cell] != b.board[cell])
            return Differ(why, "start position: piece code " + std::to_string(a.board[cell]) +
                                   " against " + std::to_string(b.board[cell]) + " at " +
                                   SquareText(SquareAt(cell / BoardSize, cell % BoardSize)));
    for (int side : {Black, White})
        for (PieceType kind = 0; kind < KindCount; ++kind)
            if (a.HandCount(side, kind) != b.HandCount(side, kind))
                return Differ(why, "start position: " + std::string(SideName(side)) + "'s hand " +
                                       "holds " + std::to_string(a.HandCount(side, kind)) + " " +
                                       PieceLetter(kind) + " against " +
                                       std::to_string(b.HandCount(side, kind)));
    return true;
}

bool SameHeaderLines(const std::vector<HeaderLine>& a, const std::vector<HeaderLine>& b,
                     std::string* why) {
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i)
        if (a[i] != b[i])
            return Differ(why, "header line " + std::to_string(i + 1) + ": \"" + a[i].key +
                                   "\" \"" + a[i].value + "\" against \"" + b[i].key + "\" \"" +
                                   b[i].value + "\"");
    if (a.size() != b.size())
        return Differ(why, "header lines: " + std::to_string(a.size()) + " against " +
                               std::to_string(b.size()));
    return true;
}

// Compares one node pair's own contents, not their continuations' subtrees.
bool SameNode(const MoveNode& a, const MoveNode& b, std::string* why) {
    if (a.Result() != b.Result())
        return Differ(why, PathOf(a) + ": " + ResultText(a) + " against " + ResultText(b));
    if (a.Parent() && !SameStoredMove(a.move, b.move))
        return Differ(why,
                      PathOf(a) + ": move " + MoveText(a.move) + " against " + MoveText(b.move));
    if (a.number != b.number)
        return Differ(why, PathOf(a) + ": ply " + std::to_string(a.number) + " against " +
                               std::to_string(b.number));
    if (a.Comment() != b.Comment())
        return Differ(
            why, PathOf(a) + ": comment \"" + a.Comment() + "\" against \"" + b.Comment() + "\"");
    if (a.Bookmark() != b.Bookmark())
        return Differ(why, PathOf(a) + ": bookmark \"" + a.Bookmark() + "\" against \"" +
                               b.Bookmark() + "\"");
    if (a.TimeMs() != b.TimeMs())
        return Differ(why,
                      PathOf(a) + ": " + TimeText(a.TimeMs()) + " against " + TimeText(b.TimeMs()));
    if (a.ChildCount() != b.ChildCount())
        return Differ(why, PathOf(a) + ": " + std::to_string(a.ChildCount()) +
                               " continuations against " + std::to_string(b.ChildCount()));
    return true;
}

}  // namespace

bool SameRecord(const GameRecord& a, const GameRecord& b, std::string* why) {
    if (a.Title() != b.Title())
        return Differ(why, "title \"" + a.Title() + "\" against \"" + b.Title() + "\"");
    if (a.BlackPlayer() != b.BlackPlayer())
        return Differ(
            why, "Black's player \"" + a.BlackPlayer() + "\" against \"" + b.BlackPlayer() + "\"");
    if (a.WhitePlayer() != b.WhitePlayer())
        return Differ(
            why, "White's player \"" + a.WhitePlayer() + "\" against \"" + b.WhitePlayer() + "\"");
    if (!SameHeaderLines(a.HeaderLines(), b.HeaderLines(), why)) return false;
    if (!SameStart(a.StartPosition(), b.StartPosition(), why)) return false;

    std::vector<std::pair<const MoveNode*, const MoveNode*>> pending{{&a.Root(), &b.Root()}};
    while (!pending.empty()) {
        const auto [x, y] = pending.back();
        pending.pop_back();
        if (!SameNode(*x, *y, why)) return false;
        const ContinuationCell* cx = x->FirstChild();
        const ContinuationCell* cy = y->FirstChild();
        for (; cx && cy; cx = cx->next.get(), cy = cy->next.get())
            pending.emplace_back(cx->node.get(), cy->node.get());
        if (cx || cy)
            return Differ(why, PathOf(*x) + ": continuation list does not match its count");
    }
    return true;
}
