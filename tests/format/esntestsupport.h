#pragma once

#include <memory>
#include <optional>
#include <string>

#include "format/loaderror.h"
#include "model/gamerecord.h"

// Helpers shared by the record-file tests.

// What reading a text gave: the record as the reader left it, and the error if there was one.
struct TextReading {
    std::unique_ptr<GameRecord> record;
    std::optional<ESNLoadError> error;
};
TextReading ReadText(const std::string& text);
std::string WriteText(const GameRecord& record);

// A move for the side to move given by its squares, "7g7f" or "2d2c+", or a drop, "P*5e".
Move MoveOn(const GameRecord& record, const std::string& text);
// Adds the move as a new continuation of the current node and enters it; false when illegal.
bool PlayNew(GameRecord& record, const std::string& text);
// Plays a blank-separated list of moves with PlayNew; false at the first illegal one.
bool PlayLine(GameRecord& record, const std::string& moves);

// A record of about `moves` random legal moves with variations, comments and header values
// made only of bytes the record file can hold; the same seed gives the same record.
void FillRandomRecord(GameRecord& record, unsigned seed, int moves);

// All moves of the tree.
int CountMoves(const GameRecord& record);
