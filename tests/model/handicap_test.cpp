#include <gtest/gtest.h>

#include <string>

#include "model/handicap.h"
#include "model/soundness.h"

namespace {

// The pieces of White's left on the board, by kind, as a short text: what a handicap leaves.
std::string WhitePiecesLeft(const Position& pos) {
    int counts[KindCount] = {};
    for (const PieceCode code : pos.board)
        if (OwnerOf(code) == White) ++counts[KindOf(code)];
    std::string text;
    for (int kind = 0; kind < KindCount; ++kind)
        text += std::to_string(counts[kind]);
    return text;
}

struct HandicapCase {
    Handicap handicap;
    const char* whiteCounts;   // P L N S G B R K still on the board
    const char* emptySquares;  // where White's removed pieces stood, file digit and rank letter
};

const HandicapCase kCases[] = {
    {Handicap::Even, "92222111", ""},
    {Handicap::Lance, "91222111", "1a"},
    {Handicap::RightLance, "91222111", "9a"},
    {Handicap::Bishop, "92222011", "2b"},
    {Handicap::Rook, "92222101", "8b"},
    {Handicap::RookAndLance, "91222101", "8b1a"},
    {Handicap::TwoPieces, "92222001", "8b2b"},
    {Handicap::ThreePieces, "91222001", "8b2b1a"},
    {Handicap::FourPieces, "90222001", "1a9a"},
    {Handicap::FivePieces, "90122001", "2a1a9a"},
    {Handicap::LeftFivePieces, "90122001", "8a1a9a"},
    {Handicap::SixPieces, "90022001", "2a8a"},
    {Handicap::LeftSevenPieces, "90012001", "7a2a8a"},
    {Handicap::RightSevenPieces, "90012001", "3a2a8a"},
    {Handicap::EightPieces, "90002001", "3a7a"},
    {Handicap::TenPieces, "90000001", "4a6a3a7a"},
};

TEST(Handicap, EachRemovesItsPiecesAndLetsWhiteMoveFirst) {
    for (const HandicapCase& c : kCases) {
        SCOPED_TRACE(static_cast<int>(c.handicap));
        const Position pos = HandicapPosition(c.handicap);
        EXPECT_EQ(WhitePiecesLeft(pos), c.whiteCounts);
        for (const char* sq = c.emptySquares; *sq; sq += 2)
            EXPECT_EQ(pos.Cell(Square(sq[1] - 'a', sq[0] - '1')), 0) << sq[0] << sq[1];
        EXPECT_EQ(pos.sideToMove, c.handicap == Handicap::Even ? Black : White);
        EXPECT_TRUE(IsSound(pos)) << PositionProblem(pos);
        // Black's side is never touched and nobody holds the removed pieces.
        for (int i = 54; i < CellCount; ++i)
            EXPECT_EQ(pos.board[i], Position().board[i]);
        for (const int count : pos.hands)
            EXPECT_EQ(count, 0);
    }
}

TEST(Handicap, EveryPositionMatchesBackToItsOwnName) {
    for (int i = 0; i < HandicapCount; ++i) {
        const auto handicap = static_cast<Handicap>(i);
        EXPECT_EQ(MatchHandicap(HandicapPosition(handicap)), handicap) << i;
    }
    Position blackFirst = HandicapPosition(Handicap::Bishop);
    blackFirst.sideToMove = Black;
    EXPECT_EQ(MatchHandicap(blackFirst), std::nullopt);
    Position withHand = HandicapPosition(Handicap::Rook);
    withHand.HandCount(White, Rook) = 1;
    EXPECT_EQ(MatchHandicap(withHand), std::nullopt);
}

}  // namespace
