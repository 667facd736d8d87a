#include <gtest/gtest.h>

#include "document/gamewords.h"

// Without a translation the program's words are the libraries' own, as the tool prints them.
TEST(GameWords, InEnglishAsTheLibrariesWordThem) {
    for (int i = 0; i < GameResultCount; ++i) {
        const auto result = static_cast<GameResult>(i);
        EXPECT_EQ(ResultLabelWords(result).toStdString(), ResultLabel(result));
        for (int side : {Black, White})
            EXPECT_EQ(ResultStatusWords(result, side).toStdString(),
                      ResultStatusLine(result, side));
    }
    const PositionProblem problems[] = {{PositionRule::SideToMove},
                                        {PositionRule::InvalidCode, 0, 0, Square(4, 4), 99},
                                        {PositionRule::NegativeHand, White, Silver, {}, -1},
                                        {PositionRule::TooManyPieces, 0, Pawn, {}, 19},
                                        {PositionRule::DoubledPawns, Black, Pawn, Square(0, 8), 3}};
    for (const PositionProblem& problem : problems)
        EXPECT_EQ(ProblemWords(problem).toStdString(), ProblemText(problem));
}
