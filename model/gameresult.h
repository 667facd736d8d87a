#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// How a line of play ends, when a record says so. "The side to move" is the side to move at
// the result, which is the side to move after the line's last move.
enum class GameResult : std::uint8_t {
    Resign,       // the side to move resigns
    Interrupt,    // the game was broken off
    Repetition,   // fourfold repetition (sennichite)
    Impasse,      // both kings entered, decided by count (jishogi)
    Timeout,      // the side to move ran out of time
    IllegalWin,   // the side to move wins: the last move was illegal
    IllegalLoss,  // the side to move loses by a foul
    Declaration,  // the side to move declares a win with its king in the enemy camp
    Mate,         // the side to move is mated
    NoMate,       // a problem without a mate
    Draw,
    MaxMoves,  // the move limit of the game was reached
    Sealed,    // an adjourned game: the side to move has sealed its next move
};

inline constexpr int GameResultCount = 13;

// The fixed ASCII name used by the tool's JSON: "resign", "illegal-win", "nomate", "sealed", ...
const char* ResultKeyword(GameResult result);
// The result named by its keyword, or nothing.
std::optional<GameResult> ResultOfKeyword(std::string_view keyword);
// The short label of the variations list: "Resigns", "Time-out", "No mate", "Sealed move", ...
const char* ResultLabel(GameResult result);
// What the board says at the result, naming the side to move where the result is about one
// side: "Black resigns", "White is mated", "Repetition".
std::string ResultStatusLine(GameResult result, int sideToMove);
