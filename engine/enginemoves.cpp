#include "engine/enginemoves.h"

#include "format/usi/usi.h"
#include "model/check.h"
#include "model/moverules.h"

std::optional<Move> LegalEngineMove(const Position& position, std::string_view word) {
    Move move;
    if (!ReadUsiMove(word, position, move)) return std::nullopt;
    if (!IsLegal(position, move) || LeavesKingInCheck(position, move)) return std::nullopt;
    move.captured = static_cast<std::uint8_t>(move.drop ? 0 : position.Cell(move.to));
    return move;
}

CheckedLine CheckEngineLine(Position position, const std::vector<std::string>& words) {
    CheckedLine line;
    for (const std::string& word : words) {
        const std::optional<Move> move = LegalEngineMove(position, word);
        if (!move) {
            line.illegalWord = word;
            break;
        }
        Play(position, *move);
        line.moves.push_back(*move);
    }
    return line;
}
