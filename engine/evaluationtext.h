#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/engineinfo.h"
#include "format/recordformat.h"
#include "model/move.h"
#include "model/position.h"
#include "model/square.h"

// How an engine's judgement is written for people: in a record's comments and in the window.

enum class MoveNotation { Western, Japanese };

// The notation a record format's comments name moves in: Japanese for KIF, KI2 and JKF,
// Western ("P-7f") for the others.
MoveNotation CommentNotation(RecordFormat format);

// A score told for Black: "+0.45", "-1.20", "0.00", "at least +0.45" and "at most -0.30" for a
// bound, "Black mates in 5", "White mates" (no count given), "Black is mated".
std::string ScoreText(const EngineScore& forBlack);

// Moves played one after the other from `position`: "P-2f P-8d P-2e", or in Japanese notation
// "▲２六歩△８四歩▲２五歩". `previousDestination`, where the move that led to the position
// arrived, lets a recapture read 同.
std::string LineText(Position position, const std::vector<Move>& moves, MoveNotation notation,
                     std::optional<Square> previousDestination = std::nullopt);

// The one line that sums up an engine's info on `position`, the position it searched:
// "Engine NAME: +0.45 at depth 18; best P-2f P-8d P-2e". The parts the info lacks are left out.
std::string EvaluationLine(std::string_view engineName, const EngineInfo& info,
                           const Position& position, MoveNotation notation,
                           std::optional<Square> previousDestination = std::nullopt);
