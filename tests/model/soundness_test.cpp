#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "model/soundness.h"
#include "positiontesting.h"

namespace {

// A problem as records hold it: White's king alone on the board with a few of Black's
// attackers, and every other piece of the set (Black's king excepted) in White's hand.
Position ProblemStart() {
    Position pos = Board({{"5a", White | King}, {"5c", Black | Gold}, {"4c", Black | Pawn}});
    const int inHand[KindCount] = {17, 4, 4, 4, 3, 2, 2, 0};
    for (PieceType kind = 0; kind < KindCount; ++kind)
        pos.HandCount(White, kind) = inHand[kind];
    return pos;
}

struct SoundnessCase {
    const char* what;
    Position position;
    std::string problem;  // empty when sound
};

}  // namespace

TEST(Soundness, NamesTheFirstRuleEachPositionBreaks) {
    const SoundnessCase cases[] = {
        {"the initial position", Position(), ""},
        {"a handicap start, White to move", InitialWith([](Position& p) {
             p.Cell(Sq("2b")) = 0;
             p.Cell(Sq("1a")) = 0;
             p.sideToMove = White;
         }),
         ""},
        {"a problem without a Black king", ProblemStart(), ""},
        {"no king at all", Board({{"5e", Black | Gold}}), ""},
        {"a king in hand, as after a capture", InitialWith([](Position& p) {
             p.Cell(Sq("5a")) = 0;
             p.HandCount(Black, King) = 1;
         }),
         ""},
        {"promoted pieces on the last ranks",
         Board({{"5a", Black | PromotedFlag | Pawn},
                {"4b", Black | PromotedFlag | Knight},
                {"1i", White | PromotedFlag | Lance}}),
         ""},
        {"a pawn beside a promoted pawn and an enemy pawn on one file",
         Board({{"5e", Black | Pawn}, {"5c", Black | PromotedFlag | Pawn}, {"5d", White | Pawn}}),
         ""},
        {"a silver and a gold on the last rank",
         Board({{"5a", Black | Silver}, {"4a", Black | Gold}}), ""},

        {"side to move", InitialWith([](Position& p) { p.sideToMove = 0; }),
         "the side to move is neither Black nor White"},
        {"a code beyond every piece", Board({{"5e", 99}}), "invalid piece code 99 at 5e"},
        {"a code with both side bits", Board({{"3c", SideMask | Pawn}}),
         "invalid piece code 48 at 3c"},
        {"a code without a side", Board({{"9i", Silver}}), "invalid piece code 3 at 9i"},
        {"a promoted gold", Board({{"1a", White | PromotedFlag | Gold}}),
         "invalid piece code 44 at 1a"},
        {"a negative hand", InitialWith([](Position& p) { p.HandCount(Black, Pawn) = -1; }),
         "Black has -1 pawns in hand"},
        {"two Black kings", Board({{"5i", Black | King}, {"4i", Black | King}}), "two Black kings"},
        {"two White kings", Board({{"5a", White | King}, {"1a", White | King}}), "two White kings"},
        {"a Black pawn on rank a", Board({{"5a", Black | Pawn}}), "pawn on the last rank at 5a"},
        {"a White lance on rank i", Board({{"1i", White | Lance}}), "lance on the last rank at 1i"},
        {"a Black knight on rank b", Board({{"3b", Black | Knight}}),
         "knight on the last two ranks at 3b"},
        {"a White knight on rank h", Board({{"7h", White | Knight}}),
         "knight on the last two ranks at 7h"},
        {"two Black pawns on one file", Board({{"5e", Black | Pawn}, {"5g", Black | Pawn}}),
         "two Black pawns on file 5"},
        {"two White pawns on one file", Board({{"9c", White | Pawn}, {"9d", White | Pawn}}),
         "two White pawns on file 9"},
        {"a pawn in hand too many", InitialWith([](Position& p) { p.HandCount(Black, Pawn) = 1; }),
         "19 pawns"},
        {"a promoted rook counts as a rook", InitialWith([](Position& p) {
             p.Cell(Sq("2h")) = Black | PromotedFlag | Rook;
             p.HandCount(White, Rook) = 1;
         }),
         "3 rooks"},
        {"a third king in hand", InitialWith([](Position& p) { p.HandCount(Black, King) = 1; }),
         "3 kings"},
        {"pieces in both hands together", InitialWith([](Position& p) {
             p.Cell(Sq("6i")) = 0;
             p.HandCount(Black, Gold) = 1;
             p.HandCount(White, Gold) = 1;
         }),
         "5 golds"},
        {"a hand count too large to add up", InitialWith([](Position& p) {
             p.HandCount(Black, Silver) = 2147483647;
             p.HandCount(White, Silver) = 2147483647;
         }),
         "4294967298 silvers"},
    };
    for (const SoundnessCase& c : cases) {
        EXPECT_EQ(PositionProblem(c.position), c.problem) << c.what;
        EXPECT_EQ(IsSound(c.position), c.problem.empty()) << c.what;
    }
}
