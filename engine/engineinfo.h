#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/move.h"

// An engine's judgement of a position. Engines tell it for the side to move; the engine layer
// turns it to Black's point of view (ForBlack) before handing it on.
struct EngineScore {
    enum class Kind { Centipawns, Mate };
    // A lower bound means the true score is at least this one (the search failed high).
    enum class Bound { Exact, Lower, Upper };

    Kind kind = Kind::Centipawns;
    Bound bound = Bound::Exact;
    int centipawns = 0;
    // For a mate: whether the side the score is told for mates (or is mated), and in how many
    // plies when the engine says ("mate +" does not); 0 plies: that side is mated already.
    bool mates = false;
    std::optional<int> plies;

    friend bool operator==(const EngineScore&, const EngineScore&) = default;
};

// The same score told for the other side.
EngineScore Negated(const EngineScore& score);
// A score told for `sideToMove` (Black or White), told for Black.
EngineScore ForBlack(const EngineScore& score, int sideToMove);

// What one `info` line says. Fields the line does not give stay empty.
struct EngineInfo {
    std::optional<int> depth;
    std::optional<int> selectiveDepth;
    int multiPv = 1;  // which of the best lines this is, from 1
    std::optional<EngineScore> score;
    std::optional<long long> nodes;
    std::optional<long long> nodesPerSecond;
    std::optional<long long> timeMs;
    std::optional<int> hashFullPermille;
    std::vector<std::string> pvWords;  // the principal variation as the engine wrote it
    std::string text;                  // after `string`: a message for people

    // Filled by the engine layer: the longest start of the principal variation that is legal
    // from the position searched, and the first move that is not, when one is not.
    std::vector<Move> pv;
    std::string illegalPvWord;
};

// Reads the words after "info". False for a line that makes no sense: a number that is no
// number, a score of an unknown kind, a multipv below 1. Words the protocol does not know are
// skipped up to the next word it does, since engines add their own ("tbhits", "wdl").
bool ParseInfo(std::string_view words, EngineInfo& info);

// What `bestmove` says: a move, or that the engine resigns or declares a win.
struct EngineBestMove {
    enum class Kind { Move, Resign, Win, Illegal };
    Kind kind = Kind::Move;
    std::string word;        // the move as the engine wrote it
    Move move;               // for Kind::Move only: legal in the position searched
    std::string ponderWord;  // the expected reply, when given
};

// Reads the words after "bestmove" into the word fields and the kind (Move, Resign or Win); false
// when there is no word or an unknown word follows the move.
bool ParseBestMove(std::string_view words, EngineBestMove& best);

// Splits a line at runs of blanks (spaces and tabs).
std::vector<std::string_view> SplitWords(std::string_view line);
