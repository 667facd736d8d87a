#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "model/handicap.h"
#include "model/position.h"

// Where a piece lies while a position is set up: on a square of the board, in a side's hand or
// in the box of pieces that take no part.
struct PiecePlace {
    enum class Area : std::uint8_t { Board, Hand, Box };

    Area area = Area::Box;
    Square square{};        // on the board
    int side = Black;       // the hand's side; for a square, the owner a piece from the box takes
    PieceType kind = Pawn;  // in a hand or in the box, the kind taken from there

    static PiecePlace OnBoard(Square sq, int owner = Black) {
        return {Area::Board, sq, owner, Pawn};
    }
    static PiecePlace InHand(int side, PieceType kind = Pawn) {
        return {Area::Hand, {}, side, kind};
    }
    static PiecePlace InBox(PieceType kind = Pawn) { return {Area::Box, {}, Black, kind}; }
};

// A position being set up by hand from one set of pieces: the board, both hands and the box
// together always hold exactly the set (PiecesInSet), so no edit makes or loses a piece. A king
// is never in a hand, and the box holds pieces unpromoted and of no side.
class SetupPosition {
  public:
    // The initial position, with the box empty.
    SetupPosition() = default;

    // `pos` with the rest of the set in the box; a king held in a hand goes to the box. Nothing
    // when `pos` has an invalid cell, a negative hand or more pieces of a kind than the set.
    static std::optional<SetupPosition> From(const Position& pos);

    const Position& GetPosition() const { return position_; }
    int BoxCount(PieceType kind) const { return box_[kind]; }
    // The piece lying at `place`: the cell's code on the board, side | kind in a hand holding
    // that kind, the kind in the box (Black | kind, the box having no side); 0 when none.
    PieceCode PieceAt(const PiecePlace& place) const;

    // Moves the piece at `from` to `to`. On a square it keeps its side and promotion when it
    // comes from the board, belongs to the hand's side when it comes from a hand and to
    // `to.side` from the box; a piece it lands on goes to the box. In a hand or the box it lies
    // unpromoted. False, changing nothing, when `from` holds no piece, `to` is where it lies or
    // it is a king bound for a hand.
    bool Move(const PiecePlace& from, const PiecePlace& to);
    // Turns the piece on `sq` over: one that can promote is promoted, and a promoted one goes
    // back, changing sides; a gold or a king only changes sides. False on an empty square.
    bool Turn(Square sq);
    void SetSideToMove(int side) { position_.sideToMove = side; }

    // The initial position; every piece on the board, Black to move.
    void SetInitial() { SetStart(Position()); }
    // An empty board and empty hands: the whole set, kings too, in the box; Black to move.
    void SetEmpty();
    // The handicap's start; the pieces it leaves out lie in the box.
    void SetHandicap(Handicap handicap) { SetStart(HandicapPosition(handicap)); }
    // A problem's hands: every piece of the box but the kings goes to White's hand.
    void GiveBoxToWhite();

  private:
    // `start`, which holds no more than the set and no king in hand, with the rest in the box.
    void SetStart(const Position& start);
    // Takes the piece at `from`, which holds one, away.
    void Take(const PiecePlace& from);
    void PutInBox(PieceCode code) { ++box_[KindOf(code)]; }

    Position position_;
    std::array<int, KindCount> box_{};
};
