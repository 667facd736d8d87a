#include "format/csa/csacodes.h"

#include <array>
#include <cstdint>

#include "model/headerline.h"

namespace {

// Indexed by kind, then by kind with PromotedFlag; gold and king never promote.
constexpr std::string_view Codes[16] = {"FU", "KY", "KE", "GI", "KI", "KA", "HI", "OU",
                                        "TO", "NY", "NK", "NG", "",   "UM", "RY", ""};

struct Special {
    std::string_view name;
    GameResult result;
};

// The specials that stand for one result whoever is to move.
constexpr Special PlainSpecials[] = {
    {"TORYO", GameResult::Resign},          {"CHUDAN", GameResult::Interrupt},
    {"SENNICHITE", GameResult::Repetition}, {"JISHOGI", GameResult::Impasse},
    {"TIME_UP", GameResult::Timeout},       {"ILLEGAL_MOVE", GameResult::IllegalLoss},
    {"KACHI", GameResult::Declaration},     {"TSUMI", GameResult::Mate},
    {"FUZUMI", GameResult::NoMate},         {"HIKIWAKE", GameResult::Draw},
    {"MAX_MOVES", GameResult::MaxMoves},
};

}  // namespace

std::optional<PieceCode> PieceOfCsaCode(std::string_view code) {
    // Read for every move of a long record: a table by the two letters instead of a search.
    static const std::array<std::int8_t, 26 * 26> ByLetters = [] {
        std::array<std::int8_t, 26 * 26> table;
        table.fill(-1);
        for (int i = 0; i < 16; ++i)
            if (!Codes[i].empty())
                table[(Codes[i][0] - 'A') * 26 + (Codes[i][1] - 'A')] = static_cast<std::int8_t>(i);
        return table;
    }();
    if (code.size() != 2 || code[0] < 'A' || code[0] > 'Z' || code[1] < 'A' || code[1] > 'Z')
        return std::nullopt;
    const int piece = ByLetters[(code[0] - 'A') * 26 + (code[1] - 'A')];
    if (piece < 0) return std::nullopt;
    return piece;
}

std::string_view CsaCode(PieceCode piece) {
    return Codes[RuleOf(piece)];
}

SpecialMeaning MeaningOfSpecial(std::string_view name, int sideToMove) {
    for (const Special& special : PlainSpecials)
        if (special.name == name) return {special.result, false};
    // "+ILLEGAL_ACTION": Black fouled. When Black is to move that is the side to move losing;
    // otherwise Black's last move was the foul and the side to move wins.
    if (name == "+ILLEGAL_ACTION" || name == "-ILLEGAL_ACTION") {
        const int fouler = name[0] == '+' ? Black : White;
        return {fouler == sideToMove ? GameResult::IllegalLoss : GameResult::IllegalWin, false};
    }
    if (name == "MATTA") return {std::nullopt, true};
    return {GameResult::Interrupt, true};
}

std::string_view SpecialName(GameResult result, int sideToMove, bool withMoveLimit) {
    if (result == GameResult::IllegalWin)
        return sideToMove == White ? "+ILLEGAL_ACTION" : "-ILLEGAL_ACTION";
    if (result == GameResult::MaxMoves && !withMoveLimit) return "CHUDAN";
    for (const Special& special : PlainSpecials)
        if (special.result == result) return special.name;
    return "CHUDAN";
}

std::string Quoted(std::string_view item) {
    std::string quoted;
    quoted.reserve(item.size() + 2);
    quoted += '\'';
    quoted += item;
    quoted += '\'';
    return quoted;
}

const SharedCsaKey SharedCsaKeys[7] = {
    {"EVENT", HeaderKey::Event},
    {"SITE", HeaderKey::Site},
    {"START_TIME", HeaderKey::StartTime},
    {"END_TIME", HeaderKey::EndTime},
    {"TIME_LIMIT", HeaderKey::TimeLimit},
    {"OPENING", HeaderKey::Opening},
    {"NOTE", HeaderKey::Note},
};
