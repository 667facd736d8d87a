#include "esntestsupport.h"

#include <random>
#include <sstream>

#include "esn/notation.h"
#include "esn/reader.h"
#include "esn/writer.h"
#include "model/moverules.h"

ReadOutcome ReadText(const std::string& text) {
    ReadOutcome outcome{std::make_unique<GameRecord>(), std::nullopt};
    std::istringstream in(text);
    try {
        ReadESN(*outcome.record, in);
    } catch (const ESNLoadError& error) {
        outcome.error = error;
    }
    return outcome;
}

std::string WriteText(const GameRecord& record) {
    std::ostringstream out;
    WriteESN(record, out);
    return out.str();
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
    std::istringstream in(moves);
    std::string text;
    while (in >> text)
        if (!PlayNew(record, text)) return false;
    return true;
}

namespace {

bool Slides(PieceCode piece) {
    const PieceType kind = KindOf(piece);
    return kind == Bishop || kind == Rook || (kind == Lance && !IsPromoted(piece));
}

void AddIfLegal(const Position& position, const Move& move, std::vector<Move>& moves) {
    if (IsLegal(position, move)) moves.push_back(move);
}

}  // namespace

std::vector<Move> LegalMoves(const Position& position) {
    std::vector<Move> moves;
    const int side = position.sideToMove;
    for (int cell = 0; cell < CellCount; ++cell) {
        const PieceCode piece = position.board[cell];
        if (OwnerOf(piece) != side) continue;
        const Square from = SquareAt(cell / BoardSize, cell % BoardSize);
        // Only sliders get further than two ranks and one file.
        const bool far = Slides(piece);
        for (int rank = 0; rank < BoardSize; ++rank) {
            if (!far && std::abs(rank - from.rank) > 2) continue;
            for (int file = 0; file < BoardSize; ++file) {
                if (!far && std::abs(file - from.file) > 1) continue;
                Move move;
                move.from = from;
                move.to = SquareAt(rank, file);
                move.piece = piece;
                AddIfLegal(position, move, moves);
                move.promote = 1;
                AddIfLegal(position, move, moves);
            }
        }
    }
    for (PieceType kind = 0; kind < KindCount; ++kind) {
        if (position.HandCount(side, kind) == 0) continue;
        for (int cell = 0; cell < CellCount; ++cell) {
            Move move;
            move.drop = 1;
            move.piece = side + kind;
            move.to = SquareAt(cell / BoardSize, cell % BoardSize);
            AddIfLegal(position, move, moves);
        }
    }
    return moves;
}

namespace {

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

const std::string& PickText(std::mt19937& random) {
    static const std::vector<std::string> texts(std::begin(kTexts), std::end(kTexts));
    return texts[random() % texts.size()];
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

std::string MainLineText(const GameRecord& record) {
    std::string text;
    for (const MoveNode* node = record.Root().Continuation(0); node; node = node->Continuation(0))
        text += (text.empty() ? "" : " ") + MoveText(node->move);
    return text;
}

std::string ContinuationTexts(const MoveNode& node) {
    std::string text;
    for (const ContinuationCell* cell = node.firstChild.get(); cell; cell = cell->next.get())
        text += (text.empty() ? "" : " ") + MoveText(cell->node->move);
    return text;
}
