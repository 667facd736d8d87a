#include "format/kif/ki2move.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "model/check.h"
#include "model/moverules.h"

namespace {

using Side = JapaneseMoveText::Side;
using Motion = JapaneseMoveText::Motion;

constexpr int HorseRule = PromotedFlag | Bishop;
constexpr int DragonRule = PromotedFlag | Rook;

// Gold, silver and the promoted minor pieces: the pieces that can move straight up by one and
// whose straight-up move is 直.
bool MovesStraightAsDirect(int rule) {
    return rule == Silver || rule == Gold || (IsPromoted(rule) && KindOf(rule) <= Silver);
}

// A board move of `piece` from `from` to `to` that the movement rules allow, promotion aside.
bool CanMoveThere(const Position& pos, PieceCode piece, Square from, Square to) {
    Move move(from, to, piece);
    if (IsLegalBoardMove(pos, move)) return true;
    // Only a move that may promote can be one the rules allow promoted alone.
    move.promote = 1;
    return MayPromote(pos, move) && IsLegalBoardMove(pos, move);
}

// The origins of the mover's pieces of exactly `piece` that can move to `to`, but `except`.
std::vector<Square> Candidates(const Position& pos, PieceCode piece, Square to,
                               std::optional<Square> except = std::nullopt) {
    std::vector<Square> origins;
    for (int cell = 0; cell < CellCount; ++cell) {
        if (pos.board[cell] != piece) continue;
        const Square from(cell / BoardSize, cell % BoardSize);
        if (except && from == *except) continue;
        if (CanMoveThere(pos, piece, from, to)) origins.push_back(from);
    }
    return origins;
}

// How many ranks toward the opponent, for the mover.
int Forward(int side, Square from, Square to) {
    return side == Black ? from.rank - to.rank : to.rank - from.rank;
}

// How many files toward the mover's right: Black's right is the side of file 1.
int Rightward(int side, Square from, Square to) {
    return side == Black ? from.file - to.file : to.file - from.file;
}

Motion MotionOf(int side, Square from, Square to) {
    const int forward = Forward(side, from, to);
    return forward > 0 ? Motion::Up : forward == 0 ? Motion::Sideways : Motion::Down;
}

// Where a piece stood, for 右 左 直. A dragon or a horse is on the right or left of the other
// one; any other piece on the right or left of the destination, or straight below it. A king
// is compared with the other one like a dragon: two kings stand on the board only after one was
// captured and dropped, which the notation never meant, and straight moves leave no other mark.
Side SideOf(int side, int rule, Square from, Square to, const std::vector<Square>& group) {
    if (rule == DragonRule || rule == HorseRule || rule == King) {
        // Rightward from the destination compares the origins among themselves.
        int rightmost = Rightward(side, from, to), leftmost = rightmost;
        for (const Square other : group) {
            rightmost = std::min(rightmost, Rightward(side, other, to));
            leftmost = std::max(leftmost, Rightward(side, other, to));
        }
        if (rightmost == leftmost) return Side::None;
        const int own = Rightward(side, from, to);
        return own == rightmost ? Side::Right : own == leftmost ? Side::Left : Side::None;
    }
    const int across = Rightward(side, from, to);
    if (across < 0) return Side::Right;
    if (across > 0) return Side::Left;
    if (MovesStraightAsDirect(rule) && Forward(side, from, to) > 0) return Side::Straight;
    return Side::None;
}

Move BoardMove(PieceCode piece, Square from, Square to, bool promote) {
    return Move(from, to, piece, 0, promote ? 1 : 0);
}

bool LeavesCheck(const Position& pos, const Move& move) {
    return LeavesKingInCheck(pos, move);
}

// The pieces the marks must tell the moving piece from: those that could make the move legally
// judged with check, or all that could by their movement when the move itself leaves the king
// in check (then checking cannot tell them apart).
std::vector<Square> Rivals(const Position& pos, const Move& move) {
    // The moving piece itself is no rival: asking whether it can move costs more than the rest.
    std::vector<Square> rivals =
        Candidates(pos, move.piece, move.to, move.drop ? std::nullopt : std::optional(move.from));
    // Most moves have no rival at all: check is judged only when there are some.
    if (rivals.empty() || LeavesCheck(pos, move)) return rivals;
    std::erase_if(rivals, [&](Square from) {
        return LeavesCheck(pos, BoardMove(move.piece, from, move.to, false));
    });
    return rivals;
}

std::string_view SideText(Side side) {
    switch (side) {
        case Side::Right:
            return "右";
        case Side::Left:
            return "左";
        case Side::Straight:
            return "直";
        case Side::None:
            break;
    }
    return "";
}

std::string_view MotionText(Motion motion) {
    switch (motion) {
        case Motion::Up:
            return "上";
        case Motion::Sideways:
            return "寄";
        case Motion::Down:
            return "引";
        case Motion::None:
            break;
    }
    return "";
}

// The fewest marks that single out the moving piece among its rivals: its motion when no rival
// shares it, else where it stood when no rival shares that, else both.
std::string BoardMoveMarks(const Position& pos, const Move& move) {
    const std::vector<Square> rivals = Rivals(pos, move);
    if (rivals.empty()) return {};
    const int side = pos.sideToMove;
    const int rule = RuleOf(move.piece);
    const Motion motion = MotionOf(side, move.from, move.to);
    const bool motionShared = std::any_of(rivals.begin(), rivals.end(), [&](Square other) {
        return MotionOf(side, other, move.to) == motion;
    });
    if (!motionShared) return std::string(MotionText(motion));

    std::vector<Square> group = rivals;
    group.push_back(move.from);
    const Side place = SideOf(side, rule, move.from, move.to, group);
    const bool placeShared =
        place == Side::None || std::any_of(rivals.begin(), rivals.end(), [&](Square other) {
            return SideOf(side, rule, other, move.to, group) == place;
        });
    if (!placeShared) return std::string(SideText(place));
    return std::string(SideText(place)) + std::string(MotionText(motion));
}

std::string PieceAndDestination(const Move& move, std::optional<Square> previousDestination) {
    const std::string_view name = JapanesePieceName(move.piece);
    if (previousDestination && *previousDestination == move.to) {
        // One full-width blank after 同 keeps a one-character piece as wide as a square.
        return std::string(name.size() > 3 ? "同" : "同　") + std::string(name);
    }
    return JapaneseSquare(move.to) + std::string(name);
}

// Keeps the origins for which `keep` holds.
template <class Predicate>
void KeepOnly(std::vector<Square>& origins, Predicate keep) {
    origins.erase(
        std::remove_if(origins.begin(), origins.end(), [&](Square from) { return !keep(from); }),
        origins.end());
}

std::string WrittenText(const JapaneseMoveText& text) {
    std::string written = JapaneseSquare(text.to);
    written += JapanesePieceName(text.piece);
    written += SideText(text.side);
    written += MotionText(text.motion);
    return written;
}

bool Fail(std::string& error, std::string message) {
    error = std::move(message);
    return false;
}

// A drop of the text's piece; its legality is the caller's to judge.
bool DropOf(const Position& pos, const JapaneseMoveText& text, Move& move, std::string& error) {
    if (IsPromoted(text.piece) || text.side != Side::None || text.motion != Motion::None)
        return Fail(error, "a drop cannot be " + WrittenText(text));
    if (pos.HandCount(pos.sideToMove, KindOf(text.piece)) <= 0)
        return Fail(error, "no " + std::string(JapanesePieceName(text.piece)) + " in hand");
    move = Move(Square(), text.to, pos.sideToMove | text.piece, 1);
    return true;
}

}  // namespace

std::string Ki2Marks(const Position& before, const Move& move) {
    if (move.drop) return Rivals(before, move).empty() ? std::string() : std::string("打");
    std::string marks = BoardMoveMarks(before, move);
    // A plain text reads as the drop when every board piece would leave its king in check; a
    // move that does so anyway takes its motion as a mark to stay a board move.
    const Move drop(Square(), move.to, OwnerOf(move.piece) | KindOf(move.piece), 1);
    if (marks.empty() && !IsPromoted(move.piece) &&
        before.HandCount(before.sideToMove, KindOf(move.piece)) > 0 && LeavesCheck(before, move) &&
        !LeavesCheck(before, drop))
        marks = MotionText(MotionOf(before.sideToMove, move.from, move.to));
    return marks;
}

std::string Ki2MoveText(const Position& before, const Move& move,
                        std::optional<Square> previousDestination) {
    std::string text(SideMark(before.sideToMove));
    text += PieceAndDestination(move, previousDestination);
    text += Ki2Marks(before, move);
    if (move.drop) return text;
    if (move.promote)
        text += "成";
    else if (MayPromote(before, move))
        text += "不成";
    return text;
}

bool ResolveJapaneseMove(const Position& pos, const JapaneseMoveText& text, Move& move,
                         std::string& error) {
    const int side = pos.sideToMove;
    const PieceCode piece = side | text.piece;
    if (text.drop) return DropOf(pos, text, move, error);

    std::vector<Square> origins = Candidates(pos, piece, text.to);
    const bool inHand = !IsPromoted(text.piece) && pos.HandCount(side, KindOf(text.piece)) > 0;
    const bool plain = text.side == Side::None && text.motion == Motion::None;
    if (origins.empty()) {
        if (inHand && plain && !text.promote && !text.notPromote)
            return DropOf(pos, text, move, error);
        return Fail(error, "no piece can move to " + JapaneseSquare(text.to));
    }
    if (text.promote) {
        KeepOnly(origins, [&](Square from) {
            return MayPromote(pos, BoardMove(piece, from, text.to, true));
        });
    }
    // A dragon or horse is right or left of the other one, whichever way either moves.
    const std::vector<Square> group = origins;
    if (text.motion != Motion::None)
        KeepOnly(origins,
                 [&](Square from) { return MotionOf(side, from, text.to) == text.motion; });
    if (text.side != Side::None) {
        KeepOnly(origins, [&](Square from) {
            return SideOf(side, text.piece, from, text.to, group) == text.side;
        });
    }
    const auto leavesCheck = [&](Square from) {
        return LeavesCheck(pos, BoardMove(piece, from, text.to, text.promote));
    };
    if (origins.size() > 1 || (!origins.empty() && inHand && plain)) {
        std::vector<Square> legal = origins;
        KeepOnly(legal, [&](Square from) { return !leavesCheck(from); });
        // Where every board piece would leave its king in check, a plain text is the drop.
        if (legal.empty() && inHand && plain && !text.promote && !text.notPromote) {
            Move drop(Square(), text.to, piece, 1);
            if (!LeavesCheck(pos, drop)) return DropOf(pos, text, move, error);
        }
        if (!legal.empty()) origins = legal;
    }
    if (origins.empty()) {
        return Fail(error,
                    "no piece can move to " + JapaneseSquare(text.to) + " as " + WrittenText(text));
    }
    if (origins.size() > 1) {
        return Fail(error, "ambiguous move " + WrittenText(text) + ": " +
                               std::to_string(origins.size()) + " pieces can go there");
    }
    move = BoardMove(piece, origins.front(), text.to, text.promote);
    if (!text.promote && MustPromote(pos, move)) {
        return Fail(error, "the " + std::string(JapanesePieceName(text.piece)) +
                               " must promote at " + JapaneseSquare(text.to));
    }
    return true;
}
