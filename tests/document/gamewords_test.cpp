#include <gtest/gtest.h>

#include "document/gamewords.h"
#include "format/losses.h"
#include "model/gameresult.h"
#include "model/soundness.h"

// Without a translation the program's words are the libraries' own, as the tool prints them.
TEST(GameWords, InEnglishAsTheLibrariesWordThem) {
    for (int i = 0; i < GameResultCount; ++i) {
        const auto result = static_cast<GameResult>(i);
        EXPECT_EQ(ResultLabelWords(result).toStdString(), ResultLabel(result));
        for (int side : {Black, White})
            EXPECT_EQ(ResultStatusWords(result, side).toStdString(),
                      ResultStatusLine(result, side));
    }
    const RecordLosses losses[] = {
        {},
        {.results = 1},
        {.moves = 1, .variations = 2},
        {.comments = 1, .results = 2, .moveTimes = 1, .bookmarks = 3, .headerLines = 1},
        {.variations = 1, .headerLines = 2, .startPosition = true}};
    for (const RecordLosses& lost : losses)
        EXPECT_EQ(LossesWords(lost).toStdString(), ListLossesInWords(lost));
    const PositionProblem problems[] = {{PositionRule::SideToMove},
                                        {PositionRule::InvalidCode, 0, 0, Square(4, 4), 99},
                                        {PositionRule::NegativeHand, White, Silver, {}, -1},
                                        {PositionRule::TwoKings, Black, King, {}, 2},
                                        {PositionRule::TooManyPieces, 0, Pawn, {}, 19},
                                        {PositionRule::StrandedPiece, White, Knight, Square(7, 0)},
                                        {PositionRule::DoubledPawns, Black, Pawn, Square(0, 8), 3},
                                        {PositionRule::OpponentInCheck, White, King, Square(0, 4)}};
    for (const PositionProblem& problem : problems)
        EXPECT_EQ(ProblemWords(problem).toStdString(), ProblemText(problem));
}
