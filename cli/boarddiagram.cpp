#include "cli/boarddiagram.h"

#include "format/usi/handorder.h"

namespace {

char LetterFor(int side, PieceType kind) {
    const char upper = PieceLetter(kind);
    return side == Black ? upper : static_cast<char>(upper - 'A' + 'a');
}

const std::string kFileLine = "  9  8  7  6  5  4  3  2  1\n";
const std::string kBorder = "+---------------------------+\n";

}  // namespace

std::string BoardDiagram(const Position& position) {
    std::string out = kFileLine + kBorder;
    for (int rank = 0; rank < BoardSize; ++rank) {
        out += '|';
        for (int file = BoardSize - 1; file >= 0; --file) {
            const PieceCode code = position.Cell(rank, file);
            out += IsPromoted(code) ? '+' : ' ';
            out += code == 0 ? '.' : LetterFor(OwnerOf(code), KindOf(code));
            out += ' ';
        }
        out += "| ";
        out += static_cast<char>('a' + rank);
        out += '\n';
    }
    out += kBorder;
    return out;
}

std::string HandText(const Position& position, int side) {
    std::string out;
    for (const HeldPiece& held : HeldPieces(position, side, StrongestFirst)) {
        if (!out.empty()) out += ' ';
        if (held.count > 1) out += std::to_string(held.count);
        out += LetterFor(side, held.kind);
    }
    return out.empty() ? "none" : out;
}
