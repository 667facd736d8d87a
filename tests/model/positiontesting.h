#pragma once

#include <initializer_list>
#include <string_view>
#include <utility>
#include <vector>

#include "model/gamerecord.h"
#include "model/moverules.h"
#include "model/position.h"

// Helpers for tests that set up positions by hand.

// The square named as the notation writes it, "5a": file digit, then rank letter.
inline Square Sq(std::string_view name) {
    return Square{name[1] - 'a', name[0] - '1'};
}

// A position holding only the given pieces, with empty hands.
inline Position Board(std::initializer_list<std::pair<std::string_view, PieceCode>> pieces,
                      int sideToMove = Black) {
    Position pos;
    pos.board.fill(0);
    pos.hands.fill(0);
    pos.sideToMove = sideToMove;
    for (const auto& [square, code] : pieces)
        pos.Cell(Sq(square)) = code;
    return pos;
}

// The initial position with changes made by `change`.
template <class Change>
Position InitialWith(Change change) {
    Position pos;
    change(pos);
    return pos;
}

// A move for the side to move given by its squares, "7g7f" or "2d2c+", or a drop, "G*5b".
inline Move MoveOn(const Position& pos, std::string_view text) {
    if (text[1] == '*')
        return Move{{}, Sq(text.substr(2, 2)), pos.sideToMove | KindOfLetter(text[0]), 1};
    const Square from = Sq(text.substr(0, 2));
    return Move{from, Sq(text.substr(2, 2)), pos.Cell(from), 0, text.size() > 4};
}

// Adds each blank-separated move as a new continuation and enters it; false at the first
// one the record refuses.
inline bool PlayLine(GameRecord& record, std::string_view moves) {
    while (!moves.empty()) {
        const std::size_t end = moves.find(' ');
        const int count =
            record.AddContinuation(MoveOn(record.GetPosition(), moves.substr(0, end)));
        if (count == 0 || !record.GoForward(count - 1)) return false;
        moves = end == std::string_view::npos ? std::string_view() : moves.substr(end + 1);
    }
    return true;
}

// Every move IsLegal accepts in the position, with what it captures filled in as the record
// does: each origin and destination with and without promotion, and each drop.
inline std::vector<Move> LegalMoves(const Position& pos) {
    std::vector<Move> moves;
    const auto keepIfLegal = [&](Move m) {
        m.captured = pos.Cell(m.to);
        if (IsLegal(pos, m)) moves.push_back(m);
    };
    for (int to = 0; to < CellCount; ++to) {
        const Square toSq{to / BoardSize, to % BoardSize};
        for (int from = 0; from < CellCount; ++from) {
            if (OwnerOf(pos.board[from]) != pos.sideToMove) continue;
            for (int promote = 0; promote < 2; ++promote)
                keepIfLegal(
                    {{from / BoardSize, from % BoardSize}, toSq, pos.board[from], 0, promote});
        }
        for (PieceType kind = 0; kind < KindCount; ++kind)
            keepIfLegal({{}, toSq, pos.sideToMove | kind, 1});
    }
    return moves;
}
