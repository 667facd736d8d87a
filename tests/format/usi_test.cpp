#include <gtest/gtest.h>

#include "format/recordio.h"
#include "format/recordtesting.h"
#include "model/handicap.h"

namespace {

struct GoodCase {
    FileType type;
    std::string text;
    std::string written;  // as the same format writes it back
    const char* notices = "";
};

// A line of moves alone starts from the initial position; a result may follow the last move,
// and a word that is no move ends the record with a notice.
TEST(UsiAndSfenFiles, ReadWhatTheyHoldAndWriteItBack) {
    const std::string moves = "position startpos moves 7g7f 3c3d";
    const GoodCase cases[] = {
        {UsiFile, "position startpos moves 7g7f 3c3d 8h2b+ 3a2b B*4e\n",
         "position startpos moves 7g7f 3c3d 8h2b+ 3a2b B*4e\n"},
        // Without "position", blank lines and CR LF around, tabs, a mark, a lower-case drop.
        {UsiFile, "\xEF\xBB\xBF\r\n startpos\tmoves  7g7f 3c3d 8h2b+ 3a2b b*4e \r\n\r\n",
         "position startpos moves 7g7f 3c3d 8h2b+ 3a2b B*4e\n"},
        {UsiFile, "startpos", "position startpos\n"},
        {UsiFile, "moves 7g7f 3c3d", moves + "\n"},
        {UsiFile, "startpos moves 7g7f 3c3d resign", moves + " resign\n"},
        {UsiFile, "moves 7g7f 3c3d win", moves + " win\n"},
        {UsiFile, "moves draw", "position startpos moves draw\n"},
        {UsiFile, "moves 7g7f 3c3d 7g7z 2g2f", moves + "\n",
         "1:17: the record ends before '7g7z', which is no move"},
        {UsiFile, "moves 7g7f 3c3d resign 2g2f\nstartpos", moves + " resign\n",
         "1:24: '2g2f' after the result is left out"},
        // White moves first from the handicap; the move number of the position is not kept.
        {UsiFile,
         "position sfen " + BishopGiven.substr(0, BishopGiven.size() - 1) + "7 moves 3c3d 7g7f",
         "position sfen " + BishopGiven + " moves 3c3d 7g7f\n"},
        {SfenFile, "sfen " + BishopGiven, BishopGiven + "\n"},
        {SfenFile, "\n\n  " + BishopGiven + "  \n\n", BishopGiven + "\n"},
    };
    for (const GoodCase& c : cases) {
        SCOPED_TRACE(c.text);
        const Reading read = Read(c.text, c.type);
        ASSERT_FALSE(read.error) << read.error->message;
        EXPECT_EQ(&read.record->Current(), &read.record->Root());
        EXPECT_EQ(Write(*read.record, c.type), c.written);
        EXPECT_EQ(read.notices, c.notices);
    }
    const Reading read = Read("sfen " + BishopGiven + " moves 3c3d", UsiFile);
    EXPECT_EQ(MatchHandicap(read.record->StartPosition()), Handicap::Bishop);
    EXPECT_EQ(CountMoves(read.record->Root()), 1);
}

struct BadCase {
    FileType type;
    std::string text;
    std::string stop;
    int movesKept;
};

TEST(UsiAndSfenFiles, StopWithLineColumnAndMessageKeepingWhatWasRead) {
    const std::string tenFiles = "lnsgkgsnl/1r5b1/pppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL b - 1";
    const BadCase cases[] = {
        {UsiFile, "", "1:1: no position line", 0},
        {UsiFile, "\n position", "2:10: no position after 'position'", 0},
        {UsiFile, "position kif", "1:10: 'startpos' or 'sfen' expected, not 'kif'", 0},
        {UsiFile, "position startpos 7g7f", "1:19: 'moves' expected, not '7g7f'", 0},
        {UsiFile, "position startpos moves 7g7f 3c3d 7g7e", "1:35: illegal move 7g7e", 2},
        {UsiFile, "startpos moves 7g7f \xE7\xA7\xBB",
         "1:21: '\xE7\xA7\xBB' is not a character of plain ASCII text", 1},
        // A pawn that reaches the last rank must say it promotes.
        {UsiFile, "sfen 4k4/4P4/9/9/9/9/9/9/4K4 b - 1 moves 5b5a", "1:42: illegal move 5b5a", 0},
        {UsiFile, "position sfen " + tenFiles + " moves 7g7f", "1:31: rank 3 has 10 files", 0},
        {UsiFile, "startpos moves 7g7f\r\n\r\nstartpos",
         "3:1: unexpected text after the position line", 1},
        {SfenFile, " \n", "1:1: no position", 0},
        {SfenFile, "sfen " + tenFiles, "1:22: rank 3 has 10 files", 0},
        {SfenFile, BishopGiven + " moves 3c3d", "1:63: unexpected 'moves' after the position", 0},
        {SfenFile, BishopGiven + "\n" + BishopGiven, "2:1: unexpected text after the position line",
         0},
    };
    for (const BadCase& c : cases) {
        SCOPED_TRACE(c.text);
        const Reading read = Read(c.text, c.type);
        EXPECT_EQ(StopText(read), c.stop);
        EXPECT_EQ(CountMoves(read.record->Root()), c.movesKept);
    }
}

}  // namespace
