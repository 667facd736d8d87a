#include "format/csa/csaposition.h"

#include <vector>

#include "format/csa/csacodes.h"
#include "format/text/textscan.h"

namespace {

constexpr std::size_t CellWidth = 3;   // "+FU", "-KY" or " * "
constexpr std::size_t PieceWidth = 4;  // "82HI": square, then code
constexpr int MostRemovals = 10;       // the ten-piece handicap removes the most

// Hands are written in this order, the strongest piece first.
constexpr PieceType HandOrder[] = {Rook, Bishop, Gold, Silver, Knight, Lance, Pawn, King};

// The square named by two digits, file then rank ("77"), or nothing; "00" is no square.
bool ParseSquare(std::string_view digits, Square& square) {
    if (digits.size() != 2 || !IsDigit(digits[0]) || !IsDigit(digits[1])) return false;
    const int file = digits[0] - '0';
    const int rank = digits[1] - '0';
    if (file < 1 || rank < 1) return false;
    square = Square(rank - 1, file - 1);
    return true;
}

std::string SquareDigits(Square sq) {
    return {static_cast<char>('1' + sq.file), static_cast<char>('1' + sq.rank)};
}

char SideSign(int side) {
    return side == Black ? '+' : '-';
}

// The pieces `start` lacks compared with the initial position, when that is all that differs
// (no piece added or moved, hands empty); false otherwise.
bool RemovedFromInitial(const Position& start, std::vector<Square>& removed) {
    const Position initial;
    if (start.hands != initial.hands) return false;
    for (int rank = 0; rank < BoardSize; ++rank) {
        for (int file = 0; file < BoardSize; ++file) {
            const PieceCode now = start.Cell(rank, file);
            if (now == initial.Cell(rank, file)) continue;
            if (now != 0) return false;
            removed.push_back(Square(rank, file));
        }
    }
    return removed.size() <= MostRemovals;
}

void AppendInitialLess(std::string& out, const std::vector<Square>& removed) {
    const Position initial;
    out += "PI";
    // Strongest kinds first, as handicaps are named: "PI82HI22KA11KY".
    for (PieceType kind : HandOrder) {
        for (const Square sq : removed) {
            if (KindOf(initial.Cell(sq)) != kind) continue;
            out += SquareDigits(sq);
            out += CsaCode(initial.Cell(sq));
        }
    }
    out += "\r\n";
}

void AppendRanks(std::string& out, const Position& start) {
    for (int rank = 0; rank < BoardSize; ++rank) {
        out += 'P';
        out += static_cast<char>('1' + rank);
        for (int file = BoardSize - 1; file >= 0; --file) {
            const PieceCode code = start.Cell(rank, file);
            if (code == 0) {
                out += " * ";
                continue;
            }
            out += SideSign(OwnerOf(code));
            out += CsaCode(code);
        }
        out += "\r\n";
    }
}

void AppendHand(std::string& out, const Position& start, int side) {
    std::string line;
    for (PieceType kind : HandOrder) {
        for (int n = start.HandCount(side, kind); n > 0; --n) {
            line += "00";
            line += CsaCode(kind);
        }
    }
    if (line.empty()) return;
    out += 'P';
    out += SideSign(side);
    out += line;
    out += "\r\n";
}

}  // namespace

CsaPositionBuilder::CsaPositionBuilder() {
    position_.board.fill(0);
    position_.hands.fill(0);
    for (PieceType kind = 0; kind < KindCount; ++kind)
        box_[kind] = PiecesInSet[kind];
}

std::string CsaPositionBuilder::ReadLine(std::string_view line) {
    line = TrimTrailingBlanks(line);
    std::string problem;
    if (line.size() < 2 || line[0] != 'P') {
        problem = "not a position line";
    } else if (line[1] == 'I') {
        problem = ReadInitial(line.substr(2));
    } else if (line[1] >= '1' && line[1] <= '9') {
        problem = ReadRank(line[1] - '1', line.substr(2));
    } else if (line[1] == '+' || line[1] == '-') {
        problem = ReadPieceList(line[1] == '+' ? Black : White, line.substr(2));
    } else {
        problem = "not a position line: PI, P1 to P9, P+ or P- begins one";
    }
    started_ = true;
    if (problem.empty()) return problem;
    return std::string(line.substr(0, 2)) + ": " + problem;
}

std::string CsaPositionBuilder::ReadInitial(std::string_view pieces) {
    for (bool given : ranksGiven_)
        if (given) return "PI and P1 to P9 in one position";
    if (initialGiven_) return "a second PI";
    if (started_) return "PI must come before the other position lines";
    initialGiven_ = true;
    position_.board = Position().board;
    box_.fill(0);
    for (; !pieces.empty(); pieces.remove_prefix(std::min(pieces.size(), PieceWidth))) {
        const std::string_view piece = pieces.substr(0, PieceWidth);
        Square sq;
        const auto code = PieceOfCsaCode(piece.substr(std::min<std::size_t>(2, piece.size())));
        if (piece.size() < PieceWidth || !ParseSquare(piece.substr(0, 2), sq) || !code)
            return Quoted(piece) + " is not a square and a piece code";
        const PieceCode there = position_.Cell(sq);
        if (there == 0 || RuleOf(there) != *code)
            return "cannot take away " + std::string(piece) + ": " +
                   std::string(piece.substr(0, 2)) +
                   (there == 0 ? " is empty" : " holds " + std::string(CsaCode(there)));
        position_.Cell(sq) = 0;
        ++box_[KindOf(there)];
    }
    return {};
}

std::string CsaPositionBuilder::ReadRank(int rank, std::string_view cells) {
    if (initialGiven_) return "PI and P1 to P9 in one position";
    if (ranksGiven_[rank]) return "this rank is given twice";
    ranksGiven_[rank] = true;
    if (cells.size() > CellWidth * BoardSize) return "more than nine squares";
    for (int i = 0; i < BoardSize; ++i) {
        const std::size_t at = CellWidth * i;
        const std::string_view cell = at < cells.size() ? cells.substr(at, CellWidth) : "";
        // Any cell that does not begin with a side's sign is an empty square (" * " mostly).
        if (cell.empty() || (cell[0] != '+' && cell[0] != '-')) continue;
        const int file = BoardSize - i;
        const std::string square{static_cast<char>('0' + file), static_cast<char>('1' + rank)};
        if (std::string problem = Place(cell[0] == '+' ? Black : White, square, cell.substr(1));
            !problem.empty())
            return problem;
    }
    return {};
}

std::string CsaPositionBuilder::ReadPieceList(int side, std::string_view pieces) {
    for (; !pieces.empty(); pieces.remove_prefix(std::min(pieces.size(), PieceWidth))) {
        const std::string_view piece = pieces.substr(0, PieceWidth);
        if (piece == "00AL") {
            for (PieceType kind = 0; kind < King; ++kind) {
                position_.HandCount(side, kind) += box_[kind];
                box_[kind] = 0;
            }
            continue;
        }
        if (piece.size() < PieceWidth) return Quoted(piece) + " is not a square and a piece code";
        if (std::string problem = Place(side, piece.substr(0, 2), piece.substr(2));
            !problem.empty())
            return problem;
    }
    return {};
}

// Takes a piece out of the box and puts it on the square, or into the hand for square "00".
std::string CsaPositionBuilder::Place(int side, std::string_view square, std::string_view code) {
    const std::string piece = std::string(square) + std::string(code);
    const auto parsed = PieceOfCsaCode(code);
    if (!parsed) return Quoted(code) + " is not a piece code";
    Square sq;
    const bool toHand = square == "00";
    if (!toHand && !ParseSquare(square, sq)) return Quoted(square) + " is not a square";
    if (toHand && IsPromoted(*parsed)) return "a piece in hand is never promoted (" + piece + ")";
    if (!toHand && position_.Cell(sq) != 0)
        return "square " + std::string(square) + " is given twice";
    if (!TakeFromBox(KindOf(*parsed)))
        return "no " + std::string(CsaCode(KindOf(*parsed))) + " is left for " + piece;
    if (toHand)
        ++position_.HandCount(side, KindOf(*parsed));
    else
        position_.Cell(sq) = side | *parsed;
    return {};
}

bool CsaPositionBuilder::TakeFromBox(PieceType kind) {
    if (box_[kind] == 0) return false;
    --box_[kind];
    return true;
}

Position CsaPositionBuilder::Finish(int side) const {
    Position position = position_;
    position.sideToMove = side;
    return position;
}

void AppendCsaPosition(std::string& out, const Position& start) {
    std::vector<Square> removed;
    if (RemovedFromInitial(start, removed)) {
        AppendInitialLess(out, removed);
    } else {
        AppendRanks(out, start);
        AppendHand(out, start, Black);
        AppendHand(out, start, White);
    }
    out += SideSign(start.sideToMove);
    out += "\r\n";
}
