#pragma once

#include <QString>

#include "format/losses.h"
#include "model/gameresult.h"
#include "model/soundness.h"

// The program's words for what the model and the format library report as kinds with values:
// the sides, results, what a format cannot keep and the faults of a position. They read as the
// libraries word them for the command-line tool, in the language of the program once a
// translation is installed.

// "Black", "White".
QString SideWords(int side);
// "Black to move".
QString SideToMoveWords(int side);
// The short label of a result in the lists of moves: "Resigns", "Time-out", "Sealed move".
QString ResultLabelWords(GameResult result);
// What the board says at a result, with the side to move there: "Black resigns", "Repetition".
QString ResultStatusWords(GameResult result, int sideToMove);
// "12 variations, 3 comments and the result"; empty when nothing is lost.
QString LossesWords(const RecordLosses& losses);
// "two Black kings", "White's pawn on 2i can never move".
QString ProblemWords(const PositionProblem& problem);
// The first refusal of the position, or an empty text when it can be held.
QString RefusalWords(const Position& position);
