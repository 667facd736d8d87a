#include "esntestsupport.h"

#include <cstdlib>
#include <random>
#include <vector>

#include "format/esnreader.h"
#include "format/esnwriter.h"
#include "model/moverules.h"

ReadOutcome ReadText(const std::string& text) {
    ReadOutcome outcome{std::make_unique<GameRecord>(), std::nullopt};
    try {
        ReadESN(*outcome.record, text);
    } catch (const ESNLoadError& error) {
        outcome.error = error;
    }
    return outcome;
}

std::string WriteText(const GameRecord& record) {
    return WriteESN(record);
}

namespace {

Square ParseSquare(const std::string& text, std::size_t at) {
    return SquareAt(text.at(at + 1) - 'a', text.at(at) - '1');
}

}  // namespace

Move MoveOn(const GameRecord& record, const std::string& text) {
    Move move;
    if (text.size() >= 4 && text[1] == '*') {
        move.drop = 1;
        move.piece = record.SideToMove() + KindOfLetter(text[0]);
        move.to = ParseSquare(text, 2);
        return move;
    }
    move.from = ParseSquare(text, 0);
    move.to = ParseSquare(text, 2);
    move.piece = record.Cell(move.from);
    move.promote = text.size() > 4 && text[4] == '+';
    return move;
}

bool PlayNew(GameRecord& record, const std::string& text) {
    const int count = record.AddContinuation(MoveOn(record, text));
    return count > 0 && record.GoForward(count - 1);
}

bool PlayLine(GameRecord& record, const std::string& moves) {
    std::size_t start = 0;
    while (start < moves.size()) {
        std::size_t end = moves.find(' ', start);
        if (end == std::string::npos) end = moves.size();
        if (end > start && !PlayNew(record, moves.substr(start, end - start))) return false;
        start = end + 1;
    }
    return true;
}

namespace {

// Every legal move of the side to move, drops included, each promotion choice separately.
std::vector<Move> LegalMoves(const Position& position) {
    std::vector<Move> moves;
    const int side = position.sideToMove;
    auto keepIfLegal = [&](const Move& move) {
        if (IsLegal(position, move)) moves.push_back(move);
    };
    for (int to = 0; to < CellCount; ++to) {
        const Square target = SquareAt(to / BoardSize, to % BoardSize);
        for (int from = 0; from < CellCount; ++from) {
            const PieceCode piece = position.board[from];
            const Square origin = SquareAt(from / BoardSize, from % BoardSize);
            // Only sliders get further than two ranks and one file.
            const bool near = std::abs(target.rank - origin.rank) <= 2 &&
                              std::abs(target.file - origin.file) <= 1;
            const PieceType kind = KindOf(piece);
            const bool slides = kind == Bishop || kind == Rook || RuleOf(piece) == Lance;
            if (OwnerOf(piece) != side || !(near || slides)) continue;
            for (int promote : {0, 1})
                keepIfLegal({origin, target, piece, 0, promote, 0});
        }
        for (PieceType kind = 0; kind < KindCount; ++kind)
            if (position.HandCount(side, kind) > 0) keepIfLegal({{}, target, side + kind, 1, 0, 0});
    }
    return moves;
}

// Texts the record file holds unchanged: no ']' and no keyword at the start of a comment, but
// line ends, brackets, braces and bytes above 127 are all allowed.
const char* const kTexts[] = {
    "Quiet start",
    "Line one\r\nline two",
    "{not a variation} and [half a bracket",
    "\xe7\xa7\xbb\xe5\x8b\x95 and \xa9 1998",
    "title in lower case",
    " TITLE after a blank",
    "12. P-7f as text",
    "x",
};

const char* PickText(std::mt19937& random) {
    return kTexts[random() % std::size(kTexts)];
}

}  // namespace

void FillRandomRecord(GameRecord& record, unsigned seed, int moves) {
    std::mt19937 random(seed);
    record.Reset();
    if (random() % 2) record.title = PickText(random);
    if (random() % 2) record.black = PickText(random);
    if (random() % 2) record.white = PickText(random);
    for (int added = 0; added < moves;) {
        const unsigned action = random() % 100;
        if (action < 8) {
            // Back up a few moves so the next move starts a variation there.
            for (unsigned back = 1 + random() % 6; back > 0 && record.GoBack(); --back) {
            }
            continue;
        }
        if (action < 14) {
            record.SetCurrentComment(PickText(random));
            continue;
        }
        const std::vector<Move> legal = LegalMoves(record.GetPosition());
        if (legal.empty()) {
            record.GoBack();
            continue;
        }
        const int count = record.AddContinuation(legal[random() % legal.size()]);
        record.GoForward(count - 1);
        ++added;
    }
    record.GoToTop();
}

int CountMoves(const GameRecord& record) {
    return static_cast<int>(CountMoves(record.Root()));
}
