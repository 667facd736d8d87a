#include <gtest/gtest.h>

#include <string>

#include "model/soundness.h"
#include "positiontesting.h"

// Each problem as "refused: TEXT" or "notice: TEXT", joined by "; ".
TEST(Soundness, ListsEveryRuleAPositionBreaksRefusalsFirst) {
    const struct {
        const char* what;
        Position position;
        const char* problems;
    } cases[] = {
        {"the initial position", Position(), ""},
        {"a king in hand, as after a capture, and no Black king", InitialWith([](Position& p) {
             p.Cell(Sq("5i")) = 0;
             p.HandCount(White, King) = 1;
         }),
         ""},
        {"promoted pieces on the last ranks",
         Board({{"5a", Black | PromotedFlag | Pawn}, {"1i", White | PromotedFlag | Lance}}), ""},
        {"side to move", InitialWith([](Position& p) { p.sideToMove = 0; }),
         "refused: the side to move is neither Black nor White"},
        {"codes no piece has", Board({{"5e", 99}, {"1a", White | PromotedFlag | Gold}}),
         "refused: invalid piece code 44 at 1a; refused: invalid piece code 99 at 5e"},
        {"a negative hand", InitialWith([](Position& p) { p.HandCount(Black, Pawn) = -1; }),
         "refused: Black has -1 pawns in hand"},
        {"two kings and a pawn too many", InitialWith([](Position& p) {
             p.Cell(Sq("4e")) = White | King;
             p.HandCount(Black, Pawn) = 1;
         }),
         "refused: two White kings; refused: 19 pawns; refused: 3 kings"},
        {"hand counts too large to add up", InitialWith([](Position& p) {
             p.HandCount(Black, Silver) = 2147483647;
             p.HandCount(White, Silver) = 2147483647;
         }),
         "refused: 4294967298 silvers"},
        {"pieces with no move left",
         Board({{"5a", Black | Pawn}, {"1i", White | Lance}, {"3b", Black | Knight}}),
         "notice: Black's pawn on 5a can never move; notice: Black's knight on 3b can never "
         "move; notice: White's lance on 1i can never move"},
        {"pawns sharing files",
         Board({{"2c", White | Pawn},
                {"2d", White | Pawn},
                {"5b", Black | Pawn},
                {"5c", Black | Pawn},
                {"5d", Black | Pawn}}),
         "notice: three Black pawns on file 5; notice: two White pawns on file 2"},
        {"the side not to move in check", Board({{"5a", White | King}, {"5e", Black | Lance}}),
         "notice: White's king on 5a is in check with Black to move"},
    };
    for (const auto& c : cases) {
        std::string problems;
        for (const PositionProblem& problem : PositionProblems(c.position)) {
            if (!problems.empty()) problems += "; ";
            problems += (IsRefusal(problem) ? "refused: " : "notice: ") + ProblemText(problem);
        }
        EXPECT_EQ(problems, c.problems) << c.what;
        EXPECT_EQ(CanHoldPosition(c.position), problems.find("refused") == std::string::npos)
            << c.what;
    }
}
