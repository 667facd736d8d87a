#include "format/sfen.h"

#include "format/handorder.h"

namespace {

char SideLetter(PieceCode code) {
    const char upper = PieceLetter(KindOf(code));
    return OwnerOf(code) == Black ? upper : static_cast<char>(upper - 'A' + 'a');
}

void AppendBoard(std::string& out, const Position& position) {
    for (int rank = 0; rank < BoardSize; ++rank) {
        if (rank > 0) out += '/';
        int empty = 0;
        for (int file = BoardSize - 1; file >= 0; --file) {
            const PieceCode code = position.Cell(rank, file);
            if (code == 0) {
                ++empty;
                continue;
            }
            if (empty > 0) out += static_cast<char>('0' + empty);
            empty = 0;
            if (IsPromoted(code)) out += '+';
            out += SideLetter(code);
        }
        if (empty > 0) out += static_cast<char>('0' + empty);
    }
}

void AppendHand(std::string& out, const Position& position, int side) {
    for (const HeldPiece& held : HeldPieces(position, side, StrongestFirst)) {
        if (held.count > 1) out += std::to_string(held.count);
        out += SideLetter(side | held.kind);
    }
}

}  // namespace

std::string Sfen(const Position& position, int ply) {
    std::string out;
    out.reserve(96);
    AppendBoard(out, position);
    out += position.sideToMove == Black ? " b " : " w ";
    const std::size_t handsStart = out.size();
    AppendHand(out, position, Black);
    AppendHand(out, position, White);
    if (out.size() == handsStart) out += '-';
    out += ' ';
    out += std::to_string(ply + 1);
    return out;
}
