#include "model/gameresult.h"

#include "model/piece.h"

namespace {

struct ResultNames {
    const char* keyword;
    const char* label;
    // The status line after the side's name ("resigns"), or the whole line when it names no
    // side (a null `afterSide`).
    const char* afterSide;
    const char* wholeLine;
};

// Indexed by the enumerator's value.
constexpr ResultNames Names[GameResultCount] = {
    {"resign", "Resigns", "resigns", nullptr},
    {"interrupt", "Interrupted", nullptr, "Interrupted"},
    {"repetition", "Repetition", nullptr, "Repetition"},
    {"impasse", "Impasse", nullptr, "Impasse"},
    {"timeout", "Time-out", "loses on time", nullptr},
    {"illegal-win", "Illegal move", "wins: illegal move", nullptr},
    {"illegal-loss", "Foul", "loses by a foul", nullptr},
    {"declaration", "Declaration", "declares a win", nullptr},
    {"mate", "Mate", "is mated", nullptr},
    {"nomate", "No mate", nullptr, "No mate"},
    {"draw", "Draw", nullptr, "Draw"},
    {"maxmoves", "Move limit", nullptr, "Move limit reached"},
    {"sealed", "Sealed move", "seals the next move", nullptr},
};

const ResultNames& NamesOf(GameResult result) {
    return Names[static_cast<int>(result)];
}

}  // namespace

const char* ResultKeyword(GameResult result) {
    return NamesOf(result).keyword;
}

std::optional<GameResult> ResultOfKeyword(std::string_view keyword) {
    for (int i = 0; i < GameResultCount; ++i)
        if (keyword == Names[i].keyword) return static_cast<GameResult>(i);
    return std::nullopt;
}

const char* ResultLabel(GameResult result) {
    return NamesOf(result).label;
}

std::string ResultStatusLine(GameResult result, int sideToMove) {
    const ResultNames& names = NamesOf(result);
    if (!names.afterSide) return names.wholeLine;
    return std::string(SideName(sideToMove)) + ' ' + names.afterSide;
}
