#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/gameresult.h"
#include "model/piece.h"

// The two-letter piece codes and the names of the game-ending specials that CSA records use and
// JKF records borrow: FU KY KE GI KI KA HI OU for the pieces, TO NY NK NG UM RY for the
// promoted ones; TORYO, CHUDAN, SENNICHITE, ... for the specials (CSA writes them after '%').

// The piece a code names, as a kind with PromotedFlag where promoted and no side bit; nothing
// for a code that names no piece.
std::optional<PieceCode> PieceOfCsaCode(std::string_view code);

// The code of a piece, whatever its side: "FU", "UM", ...
std::string_view CsaCode(PieceCode piece);

// What a special does to a record. Most end the line with a result; a take-back ("MATTA")
// and an error report ("ERROR") have no result of their own, so their name is kept as a
// comment instead (an error also ends the game, as interrupted).
struct SpecialMeaning {
    std::optional<GameResult> result;
    bool keepNameAsComment = false;
};

// The meaning of the special `name` (without '%') with `sideToMove` to move; the illegal-action
// specials name the side that fouled, so whether the side to move wins or loses depends on it.
// A name no description knows is taken as an interruption whose name is kept as a comment, so
// nothing is lost.
SpecialMeaning MeaningOfSpecial(std::string_view name, int sideToMove);

// The special that writes `result` with `sideToMove` to move (without '%'). The move limit has
// a special only where `withMoveLimit` says so (CSA 3.0); elsewhere it is written as CHUDAN, as
// is a sealed move, which has none.
std::string_view SpecialName(GameResult result, int sideToMove, bool withMoveLimit);

// The "$" keys of record information that stand for a shared header key ("START_TIME" for
// start-time), and the line that declares a version 3.0 file's character set.
struct SharedCsaKey {
    std::string_view csa;
    std::string_view key;
};
extern const SharedCsaKey SharedCsaKeys[7];
inline constexpr std::string_view CsaEncodingLine = "'CSA encoding=";
// Our own key for the record's title, which CSA does not define.
inline constexpr std::string_view CsaTitleKey = "TITLE";

// The version numbers CSA files have.
inline constexpr int CsaVersion22 = 22;
inline constexpr int CsaVersion30 = 30;

// An item of a file as a message quotes it: 'XX'.
std::string Quoted(std::string_view item);
