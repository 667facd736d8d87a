#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bench/recordgen.h"
#include "format/kif/ki2move.h"
#include "format/recordtesting.h"
#include "model/moverules.h"

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

const Position threeGolds = Board(
    {{"5a", W | King}, {"6i", B | Gold}, {"5i", B | Gold}, {"4i", B | Gold}, {"1i", B | King}});
// The gold on 5h is pinned to its king by the rook on 5a; another gold is in hand.
const Position pinnedWithGoldInHand = [] {
    Position pos = Board({{"5a", W | Rook}, {"1a", W | King}, {"5h", B | Gold}, {"5i", B | King}});
    pos.HandCount(Black, Gold) = 1;
    return pos;
}();

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
        {"a move into check beside a drop", pinnedWithGoldInHand, "5h4h", "▲４八金寄"},
        {"the drop beside a pinned gold", pinnedWithGoldInHand, "G*4h", "▲４八金"},
        {"a move into the zone may promote", silverPromotes, "3d3c", "▲３三銀不成"},
    };
    for (const MarkCase& c : cases)
        ExpectMarks(c);
}

// Reading marks that other programs wrote: what the marks leave, judged with check last.
TEST(Ki2Move, ResolvesWhatOtherProgramsWrite) {
    const Position pawnOnB = Board({{"5a", W | King}, {"2b", B | Pawn}, {"1i", B | King}});
    const struct {
        const char* what;
        Position position;
        const char* text;
        const char* move;  // or the error
    } cases[] = {
        {"ambiguous without marks", threeGolds, "５八金",
         "ambiguous move ５八金: 3 pieces can go there"},
        {"marks that fit no piece", threeGolds, "５八金引",
         "no piece can move to ５八 as ５八金引"},
        {"nothing reaches the square", threeGolds, "５五金", "no piece can move to ５五"},
        {"a drop with nothing in hand", threeGolds, "５八金打", "no 金 in hand"},
        {"the old forms 行 and 生", threeGolds, "５八金右行", "4i5h"},
        {"a pinned gold leaves the drop", pinnedWithGoldInHand, "４七金", "G*4g"},
        {"the drop, not the pinned gold", pinnedWithGoldInHand, "４八金", "G*4h"},
        {"the pinned gold when a mark says so", pinnedWithGoldInHand, "４八金寄", "5h4h"},
        {"a forced promotion not written", pawnOnB, "２一歩", "the 歩 must promote at ２一"},
        {"a forced promotion written", pawnOnB, "２一歩成", "2b2a+"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        JapaneseMoveText parsed;
        std::string error;
        std::size_t pos = 0;
        ASSERT_TRUE(ReadJapaneseMoveText(c.text, pos, parsed, error)) << error;
        Move move;
        if (ResolveJapaneseMove(c.position, parsed, move, error))
            EXPECT_EQ(Usi(move), c.move);
        else
            EXPECT_EQ(error, c.move);
    }
}

namespace {

std::vector<Move> AllLegalMoves(const Position& pos) {
    std::vector<Move> moves;
    for (int to = 0; to < CellCount; ++to) {
        const Square target(to / 9, to % 9);
        for (PieceType kind = 0; kind < KindCount; ++kind)
            moves.push_back(Move(Square(), target, pos.sideToMove | kind, 1));
        for (int from = 0; from < CellCount; ++from) {
            for (int promote = 0; promote < 2; ++promote)
                moves.push_back(
                    Move(Square(from / 9, from % 9), target, pos.board[from], 0, promote));
        }
    }
    std::erase_if(moves, [&pos](const Move& move) { return !IsLegal(pos, move); });
    return moves;
}

}  // namespace

// Every legal move of positions from random play, many with several pieces of a kind and
// moves that leave their own king in check: its text reads back as the move itself.
TEST(Ki2Move, EveryMoveOfRandomPositionsReadsBackAsItself) {
    int checked = 0;
    for (std::uint32_t seed = 1; seed <= 3; ++seed) {
        GameRecord record;
        BuildMainLine(record, 300, seed);
        record.GoToTop();
        for (const MoveNode* node = record.Root().Continuation(0); node;
             node = node->Continuation(0)) {
            const Position& pos = record.GetPosition();
            for (const Move& move : AllLegalMoves(pos)) {
                const std::string text = Ki2MoveText(pos, move);
                JapaneseMoveText parsed;
                std::string error;
                std::size_t at = std::string_view("▲").size();
                Move read;
                ASSERT_TRUE(ReadJapaneseMoveText(text, at, parsed, error) &&
                            ResolveJapaneseMove(pos, parsed, read, error))
                    << text << ": " << error;
                ASSERT_TRUE(SameMove(read, move)) << text << " read as " << Usi(read);
                ++checked;
            }
            record.GoForward(0);
        }
    }
    EXPECT_GT(checked, 10'000);
}
