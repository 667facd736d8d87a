#include <gtest/gtest.h>

#include <sstream>

#include "esn/notation.h"
#include "esntestsupport.h"

namespace {

Move Made(PieceCode piece, Square from, Square to, PieceCode captured = 0, int promote = 0) {
    Move move;
    move.piece = piece;
    move.from = from;
    move.to = to;
    move.captured = captured;
    move.promote = promote;
    return move;
}

// Square names as written: file digit, then rank letter.
Square At(const char* text) {
    return SquareAt(text[1] - 'a', text[0] - '1');
}

// Black promotes pawns on 1c and 2c, both of which can then step to 1b; White shuffles its rook.
const char* const kTwoPromotedPawns =
    "1g1f 8b7b 1f1e 7b8b 1e1d 8b7b 1d1c+ 7b8b 2g2f 8b7b 2f2e 7b8b 2e2d 8b7b 2d2c+ 7b8b";

// Black's bishop takes the White silver, gold and king; the king is dropped on 5h, next to
// Black's own king on 5i, so both kings can step to 4h.
const char* const kTwoBlackKings = "7g7f 3c3d 8h2b+ 9c9d 2b3a 9d9e 3a4a 9e9f 4a5a 1c1d K*5h 1d1e";

}  // namespace

TEST(Notation, WritesSquaresAndMovesInShortForm) {
    EXPECT_EQ(SquareText(SquareAt(0, 0)), "1a");
    EXPECT_EQ(SquareText(SquareAt(8, 8)), "9i");
    EXPECT_EQ(SquareText(SquareAt(6, 6)), "7g");

    EXPECT_EQ(MoveText(Made(Black + Pawn, At("7g"), At("7f"))), "P-7f");
    EXPECT_EQ(MoveText(Made(Black + Pawn, At("2d"), At("2c"), White + Pawn, 1)), "Px2c+");
    EXPECT_EQ(MoveText(Made(Black + Silver, At("4h"), At("5g"))), "S4h-5g");
    EXPECT_EQ(MoveText(Made(Black + Silver, At("4c"), At("5b"), White + Gold, 1)), "S4cx5b+");
    EXPECT_EQ(MoveText(Made(Black + PromotedFlag + Rook, At("2b"), At("2a"))), "+R2b-2a");
    EXPECT_EQ(MoveText(Made(White + PromotedFlag + Pawn, At("5d"), At("4c"), Black + Lance)),
              "+Px4c");
    EXPECT_EQ(MoveText(Made(Black + King, At("5i"), At("4h"))), "K-4h");
    EXPECT_EQ(MoveText(Made(White + PromotedFlag + Bishop, At("1a"), At("5e"), Black + Rook)),
              "+B1ax5e");
    Move drop = Made(Black + Pawn, At("9i"), At("5e"));
    drop.drop = 1;
    EXPECT_EQ(MoveText(drop), "P*5e");  // a drop never shows where `from` happens to point

    std::ostringstream out;
    out << At("3c") << ' ' << Made(Black + Gold, At("6i"), At("5h"));
    EXPECT_EQ(out.str(), "3c G6i-5h");
}

TEST(Notation, AddsTheOriginOnlyWhereTheShortTextWouldNameAnotherPiece) {
    GameRecord record;
    ASSERT_TRUE(PlayLine(record, kTwoPromotedPawns));
    // Reading "+P-1b" would take the promoted pawn on 1c, which comes first in rank order.
    const Move fromSecond = MoveOn(record, "2c1b");
    const Move fromFirst = MoveOn(record, "1c1b");
    EXPECT_EQ(MoveTextOn(record.GetPosition(), fromSecond), "+P2c-1b");
    EXPECT_EQ(MoveTextOn(record.GetPosition(), fromFirst), "+P-1b");
    // Only the pawn on 2c reaches 3b; on 2b the origin form keeps its capture mark.
    EXPECT_EQ(MoveTextOn(record.GetPosition(), MoveOn(record, "2c3b")), "+P-3b");
    Move capture = MoveOn(record, "2c2b");
    capture.captured = record.Cell(capture.to);
    EXPECT_EQ(MoveTextOn(record.GetPosition(), capture), "+P2cx2b");

    GameRecord kings;
    ASSERT_TRUE(PlayLine(kings, kTwoBlackKings));
    EXPECT_EQ(MoveTextOn(kings.GetPosition(), MoveOn(kings, "5i4h")), "K5i-4h");
    EXPECT_EQ(MoveTextOn(kings.GetPosition(), MoveOn(kings, "5h4h")), "K-4h");
    // Unpromoted pawns and pieces written with their origin anyway are never changed.
    EXPECT_EQ(MoveTextOn(kings.GetPosition(), MoveOn(kings, "7f7e")), "P-7e");
    EXPECT_EQ(MoveTextOn(kings.GetPosition(), MoveOn(kings, "6i7h")), "G6i-7h");
}

TEST(Notation, ListsContinuationsWithThePlyOfTheMoveOffered) {
    GameRecord record;
    std::vector<std::string> list{"stale"};
    GetContinuationList(record, list);
    EXPECT_TRUE(list.empty());

    ASSERT_TRUE(PlayNew(record, "7g7f"));
    record.GoBack();
    ASSERT_TRUE(PlayNew(record, "2g2f"));
    record.GoBack();
    GetContinuationList(record, list);
    EXPECT_EQ(list, (std::vector<std::string>{"1. P-7f", "1. P-2f"}));

    ASSERT_TRUE(PlayLine(record, kTwoBlackKings));
    ASSERT_EQ(record.Current().number, 12);
    record.AddContinuation(MoveOn(record, "5i4h"));
    record.AddContinuation(MoveOn(record, "5h4h"));
    GetContinuationList(record, list);
    EXPECT_EQ(list, (std::vector<std::string>{"13. K5i-4h", "13. K-4h"}));
}
