#include <gtest/gtest.h>

#include "engine/enginemoves.h"
#include "engine/evaluationtext.h"
#include "model/moverules.h"

namespace {

EngineScore Centipawns(int value, EngineScore::Bound bound = EngineScore::Bound::Exact) {
    return {EngineScore::Kind::Centipawns, bound, value, false, std::nullopt};
}

EngineScore Mate(bool mates, std::optional<int> plies) {
    return {EngineScore::Kind::Mate, EngineScore::Bound::Exact, 0, mates, plies};
}

// Scores as Black sees them, and the same scores seen from White's side, bounds turned too.
TEST(EvaluationText, WordsScoresForBlack) {
    const struct {
        EngineScore score;
        const char* forBlack;
        const char* forWhite;  // the score negated
    } cases[] = {
        {Centipawns(45), "+0.45", "-0.45"},
        {Centipawns(-1205), "-12.05", "+12.05"},
        {Centipawns(0), "0.00", "0.00"},
        {Centipawns(7, EngineScore::Bound::Lower), "at least +0.07", "at most -0.07"},
        {Mate(true, 5), "Black mates in 5", "White mates in 5"},
        {Mate(false, std::nullopt), "White mates", "Black mates"},
        {Mate(false, 0), "Black is mated", "White is mated"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ScoreText(c.score), c.forBlack);
        EXPECT_EQ(ScoreText(Negated(c.score)), c.forWhite);
    }
}

// The line in each notation, a capture and a recapture (同) included, and what is left out when
// the engine gave no score or line.
TEST(EvaluationText, WordsTheWholeLineInTheRecordsNotation) {
    Position position;
    EngineInfo info;
    info.depth = 18;
    info.score = Centipawns(45);
    info.pv = CheckEngineLine(position, {"2g2f", "8c8d", "2f2e"}).moves;
    EXPECT_EQ(EvaluationLine("Kite 2", info, position, MoveNotation::Western),
              "Engine Kite 2: +0.45 at depth 18; best P-2f P-8d P-2e");
    EXPECT_EQ(EvaluationLine("Kite 2", info, position, MoveNotation::Japanese),
              "Engine Kite 2: +0.45 at depth 18; best ▲２六歩△８四歩▲２五歩");

    for (const Move& move : CheckEngineLine(position, {"7g7f", "3c3d"}).moves)
        Play(position, move);
    info.score = Mate(false, 7);
    info.pv = CheckEngineLine(position, {"8h2b+", "3a2b"}).moves;
    EXPECT_EQ(EvaluationLine("K", info, position, MoveNotation::Western),
              "Engine K: White mates in 7 at depth 18; best B8hx2b+ S3ax2b");
    EXPECT_EQ(EvaluationLine("K", info, position, MoveNotation::Japanese),
              "Engine K: White mates in 7 at depth 18; best ▲２二角成△同　銀");
    EXPECT_EQ(EvaluationLine("K", EngineInfo{}, position, MoveNotation::Western),
              "Engine K: no score");
}

}  // namespace
