#include <gtest/gtest.h>

#include <string>

#include "format/ki2move.h"
#include "format/kiftesting.h"

namespace {

constexpr int B = Black;
constexpr int W = White;
constexpr int P = PromotedFlag;

struct MarkCase {
    const char* what;
    Position position;
    const char* move;
    const char* text;
};

// The text of the move, then the move read back from the text.
void ExpectMarks(const MarkCase& c) {
    SCOPED_TRACE(std::string(c.what) + " " + c.move);
    const Move move = MoveOn(c.position, c.move);
    const std::string text = Ki2MoveText(c.position, move);
    EXPECT_EQ(text, c.text);

    JapaneseMoveText parsed;
    std::string error;
    std::size_t pos = std::string_view("▲").size();
    ASSERT_TRUE(ReadJapaneseMoveText(text, pos, parsed, error)) << error;
    Move read;
    ASSERT_TRUE(ResolveJapaneseMove(c.position, parsed, read, error)) << error;
    EXPECT_EQ(Usi(read), c.move);
}

}  // namespace

// Positions of our own; each text is what the notation writes, with the fewest marks.
TEST(Ki2Move, WritesTheFewestMarksThatSingleOutThePiece) {
    const Position threeGolds = Board(
        {{"5a", W | King}, {"6i", B | Gold}, {"5i", B | Gold}, {"4i", B | Gold}, {"1i", B | King}});
    const Position motionEnough =
        Board({{"5a", W | King}, {"6h", B | Gold}, {"4i", B | Gold}, {"1i", B | King}});
    const Position threeSilvers = Board({{"5a", W | King},
                                         {"6g", B | Silver},
                                         {"6i", B | Silver},
                                         {"4i", B | Silver},
                                         {"1i", B | King}});
    const Position dragons =
        Board({{"5a", W | King}, {"2c", B | P | Rook}, {"3d", B | P | Rook}, {"1i", B | King}});
    const Position horses =
        Board({{"5a", W | King}, {"9i", B | P | Bishop}, {"8i", B | P | Bishop}, {"1i", B | King}});
    Position dropOrMove = Board({{"5a", W | King}, {"4i", B | Gold}, {"1i", B | King}});
    dropOrMove.HandCount(Black, Gold) = 1;
    Position dropOnly = Board({{"5a", W | King}, {"1i", B | King}});
    dropOnly.HandCount(Black, Gold) = 1;
    const Position whiteGolds =
        Board({{"6a", W | Gold}, {"4a", W | Gold}, {"1a", W | King}, {"5i", B | King}}, White);
    const Position knights =
        Board({{"5a", W | King}, {"4e", B | Knight}, {"2e", B | Knight}, {"1i", B | King}});
    const Position pinned = Board(
        {{"5a", W | Rook}, {"1a", W | King}, {"4g", B | Gold}, {"5h", B | Gold}, {"5i", B | King}});
    const Position silverPromotes = Board({{"5a", W | King}, {"3d", B | Silver}, {"1i", B | King}});

    const MarkCase cases[] = {
        {"straight up", threeGolds, "5i5h", "▲５八金直"},
        {"left of the destination", threeGolds, "6i5h", "▲５八金左"},
        {"right of the destination", threeGolds, "4i5h", "▲５八金右"},
        {"sideways", motionEnough, "6h5h", "▲５八金寄"},
        {"up", motionEnough, "4i5h", "▲５八金上"},
        {"down", threeSilvers, "6g5h", "▲５八銀引"},
        {"left and up", threeSilvers, "6i5h", "▲５八銀左上"},
        {"right", threeSilvers, "4i5h", "▲５八銀右"},
        {"dragon left of the other", dragons, "3d2e", "▲２五龍左"},
        {"dragon right of the other", dragons, "2c2e", "▲２五龍右"},
        {"horse left", horses, "9i8h", "▲８八馬左"},
        {"horse right, never straight", horses, "8i8h", "▲８八馬右"},
        {"board move beside a drop", dropOrMove, "4i5h", "▲５八金"},
        {"drop beside a board move", dropOrMove, "G*5h", "▲５八金打"},
        {"drop alone", dropOnly, "G*5h", "▲５八金"},
        {"White's right is file 9", whiteGolds, "6a5b", "△５二金右"},
        {"White's left is file 1", whiteGolds, "4a5b", "△５二金左"},
        {"knight promotes", knights, "4e3c+", "▲３三桂左成"},
        {"knight declines", knights, "4e3c", "▲３三桂左不成"},
        {"the other knight", knights, "2e3c+", "▲３三桂右成"},
        {"a pinned gold is no rival", pinned, "4g4h", "▲４八金"},
        {"a move into the zone may promote", silverPromotes, "3d3c", "▲３三銀不成"},
    };
    for (const MarkCase& c : cases)
        ExpectMarks(c);
}
