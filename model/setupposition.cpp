#include "model/setupposition.h"

#include "model/soundness.h"

namespace {

using Area = PiecePlace::Area;

// The faults that leave no set to count: the pieces cannot be laid out from one set.
bool BreaksTheSet(const PositionProblem& problem) {
    switch (problem.rule) {
        case PositionRule::SideToMove:
        case PositionRule::InvalidCode:
        case PositionRule::NegativeHand:
        case PositionRule::TooManyPieces:
            return true;
        default:
            return false;
    }
}

bool SamePlace(const PiecePlace& a, const PiecePlace& b) {
    if (a.area != b.area) return false;
    if (a.area == Area::Board) return a.square == b.square;
    return a.area == Area::Box || a.side == b.side;
}

}  // namespace

std::optional<SetupPosition> SetupPosition::From(const Position& pos) {
    for (const PositionProblem& problem : PositionProblems(pos))
        if (BreaksTheSet(problem)) return std::nullopt;
    Position start = pos;
    for (int side : {Black, White})
        start.HandCount(side, King) = 0;
    SetupPosition setup;
    setup.SetStart(start);
    return setup;
}

void SetupPosition::SetStart(const Position& start) {
    position_ = start;
    for (PieceType kind = 0; kind < KindCount; ++kind)
        box_[kind] =
            PiecesInSet[kind] - position_.HandCount(Black, kind) - position_.HandCount(White, kind);
    for (PieceCode code : position_.board)
        if (code != 0) --box_[KindOf(code)];
}

void SetupPosition::SetEmpty() {
    Position empty;
    empty.board.fill(0);
    SetStart(empty);
}

void SetupPosition::GiveBoxToWhite() {
    for (PieceType kind = 0; kind < KindCount; ++kind) {
        if (kind == King) continue;
        position_.HandCount(White, kind) += box_[kind];
        box_[kind] = 0;
    }
}

PieceCode SetupPosition::PieceAt(const PiecePlace& place) const {
    switch (place.area) {
        case Area::Board:
            return IsOnBoard(place.square) ? position_.Cell(place.square) : 0;
        case Area::Hand:
            return position_.HandCount(place.side, place.kind) > 0 ? place.side | place.kind : 0;
        case Area::Box:
            return box_[place.kind] > 0 ? Black | place.kind : 0;
    }
    return 0;
}

bool SetupPosition::Move(const PiecePlace& from, const PiecePlace& to) {
    const PieceCode code = PieceAt(from);
    if (code == 0 || SamePlace(from, to)) return false;
    if (to.area == Area::Board && !IsOnBoard(to.square)) return false;
    if (to.area == Area::Hand && KindOf(code) == King) return false;
    Take(from);
    switch (to.area) {
        case Area::Board: {
            const int owner = from.area == Area::Box    ? to.side
                              : from.area == Area::Hand ? from.side
                                                        : OwnerOf(code);
            PieceCode& cell = position_.Cell(to.square);
            if (cell != 0) PutInBox(cell);
            cell = owner | RuleOf(code);
            break;
        }
        case Area::Hand:
            ++position_.HandCount(to.side, KindOf(code));
            break;
        case Area::Box:
            PutInBox(code);
            break;
    }
    return true;
}

void SetupPosition::Take(const PiecePlace& from) {
    switch (from.area) {
        case Area::Board:
            position_.Cell(from.square) = 0;
            break;
        case Area::Hand:
            --position_.HandCount(from.side, from.kind);
            break;
        case Area::Box:
            --box_[from.kind];
            break;
    }
}

bool SetupPosition::Turn(Square sq) {
    if (!IsOnBoard(sq)) return false;
    PieceCode& code = position_.Cell(sq);
    if (code == 0) return false;
    const PieceType kind = KindOf(code);
    if (CanPromote(kind) && !IsPromoted(code))
        code |= PromotedFlag;
    else
        code = OtherSide(OwnerOf(code)) | kind;
    return true;
}
