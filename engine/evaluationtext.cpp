#include "engine/evaluationtext.h"

#include <cstdlib>

#include "format/esn/notation.h"
#include "format/kif/ki2move.h"
#include "model/moverules.h"
#include "model/piece.h"

namespace {

std::string Pawns(int centipawns) {
    if (centipawns == 0) return "0.00";
    const int size = std::abs(centipawns);
    std::string hundredths = std::to_string(size % 100);
    if (hundredths.size() < 2) hundredths.insert(0, "0");
    return (centipawns > 0 ? "+" : "-") + std::to_string(size / 100) + "." + hundredths;
}

std::string MateText(const EngineScore& forBlack) {
    const int winner = forBlack.mates ? Black : White;
    if (forBlack.plies == 0) return std::string(SideName(OtherSide(winner))) + " is mated";
    std::string text = std::string(SideName(winner)) + " mates";
    if (forBlack.plies) text += " in " + std::to_string(*forBlack.plies);
    return text;
}

}  // namespace

MoveNotation CommentNotation(RecordFormat format) {
    const bool japanese =
        format == RecordFormat::Kif || format == RecordFormat::Ki2 || format == RecordFormat::Jkf;
    return japanese ? MoveNotation::Japanese : MoveNotation::Western;
}

std::string ScoreText(const EngineScore& forBlack) {
    if (forBlack.kind == EngineScore::Kind::Mate) return MateText(forBlack);
    const std::string pawns = Pawns(forBlack.centipawns);
    switch (forBlack.bound) {
        case EngineScore::Bound::Lower:
            return "at least " + pawns;
        case EngineScore::Bound::Upper:
            return "at most " + pawns;
        case EngineScore::Bound::Exact:
            break;
    }
    return pawns;
}

std::string LineText(Position position, const std::vector<Move>& moves, MoveNotation notation,
                     std::optional<Square> previousDestination) {
    std::string text;
    for (const Move& move : moves) {
        if (notation == MoveNotation::Japanese) {
            text += Ki2MoveText(position, move, previousDestination);
        } else {
            if (!text.empty()) text += ' ';
            text += MoveTextOn(position, move);
        }
        Play(position, move);
        previousDestination = move.to;
    }
    return text;
}

std::string EvaluationLine(std::string_view engineName, const EngineInfo& info,
                           const Position& position, MoveNotation notation,
                           std::optional<Square> previousDestination) {
    std::string line = "Engine " + std::string(engineName) + ": ";
    line += info.score ? ScoreText(*info.score) : "no score";
    if (info.depth > 0) line += " at depth " + std::to_string(*info.depth);
    if (!info.pv.empty())
        line += "; best " + LineText(position, info.pv, notation, previousDestination);
    return line;
}
