#include <gtest/gtest.h>

#include "format/usi/sfen.h"

namespace {

const std::string Initial = "lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL";

TEST(Sfen, ReadsWhatItWritesAndTheUsualLiberties) {
    const struct {
        std::string text;
        std::string written;  // with the move number 1: the record does not keep it
    } cases[] = {
        {Initial + " b - 1", Initial + " b - 1"},
        // Hands in any order, counts of 0 and 1 written out, no move number, blanks around.
        {"  lnsgk4/9/9/9/9/9/9/9/4K4 w 3pS2P0Lr  ", "lnsgk4/9/9/9/9/9/9/9/4K4 w S2Pr3p 1"},
        // A problem: no Black king, every other piece in White's hand.
        {"4k4/9/9/9/9/9/9/9/9 b 2r2b4g4s4n4l18p 1", "4k4/9/9/9/9/9/9/9/9 b 2r2b4g4s4n4l18p 1"},
        // Promoted pieces, and a word after the position ends the reading before it.
        {"+R7k/9/9/9/9/9/9/9/+p3K4 b - 40 moves 7g7f", "+R7k/9/9/9/9/9/9/9/+p3K4 b - 1"},
    };
    for (const auto& c : cases) {
        const SfenReading reading = ReadSfen(c.text);
        ASSERT_FALSE(reading.error) << c.text << ": " << reading.error->message;
        EXPECT_EQ(Sfen(reading.position, 0), c.written);
    }
    EXPECT_EQ(ReadSfen("8k/9/9/9/9/9/9/9/K8 w - moves").end, 23u);
}

TEST(Sfen, SaysWhatIsWrongAndWhere) {
    const struct {
        std::string text;
        std::string message;
        std::size_t offset;
    } cases[] = {
        {"", "no position", 0},
        {"lnsgkgsnl/1r5b1/pppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL b - 1", "rank 3 has 10 files",
         16},
        {"lnsgkgsnl/1r5b1/pppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL b - 1", "rank 3 has 8 files",
         16},
        {"lnsgkgsnl/1r5b1/9/9/9/9/9/9 b - 1", "the board has 8 ranks, not 9", 27},
        {Initial + "/9 b - 1", "the board has more than 9 ranks", 58},
        {"lnsgkgsnl/1r5b1/ppppXpppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL b - 1",
         "unknown piece letter 'X'", 20},
        {"4k4/9/9/9/4\xe7\x8e\x8b"
         "4/9/9/9/9 b - 1",
         "unknown piece letter byte 0xE7", 11},
        {"4k4/9/9/9/4+G4/9/9/9/4K4 b - 1", "'+G': golds do not promote", 11},
        {"4k4/9/9/9/40/9/9/9/4K4 b - 1", "empty-square count 0 in rank 5", 11},
        {"4k4/9/9/9/9/9/9/9/4K+ b - 1", "'+' without a piece in rank 9", 20},
        {Initial, "no side to move", 57},
        {Initial + " x - 1", "the side to move is b or w, not 'x'", 58},
        {Initial + " b", "no pieces in hand ('-' when both hands are empty)", 59},
        {Initial + " b P2Q 1", "unknown piece letter 'Q' in hand", 62},
        {Initial + " b P3 1", "a count in hand without a piece", 61},
        {Initial + " b 100P 1", "the count in hand is too large", 60},
        {Initial + " b 2PsP 1", "Black's pawns listed twice", 63},
        {Initial + " b - 12x", "the move number is not a number", 62},
        // Read whole, but no record can hold it: the board's start is blamed.
        {" 4k4/9/9/9/9/9/9/9/3KK4 b - 1", "two Black kings", 1},
        {"4k4/9/9/9/9/9/9/9/4K4 w 19p 1", "19 pawns", 0},
    };
    for (const auto& c : cases) {
        const SfenReading reading = ReadSfen(c.text);
        ASSERT_TRUE(reading.error) << c.text;
        EXPECT_EQ(reading.error->message, c.message) << c.text;
        EXPECT_EQ(reading.error->offset, c.offset) << c.text;
    }
}

}  // namespace
