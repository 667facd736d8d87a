#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "format/esn/esnwriter.h"
#include "format/filebytes.h"
#include "format/recordtesting.h"
#include "format/usi/sfen.h"
#include "model/handicap.h"

namespace {

const std::string InitialSfen = "lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL b - 1";

// A start position given before the first move sets the start; every other bracket text that
// looks like one stays a comment where it stands, and every file writes back as it was.
TEST(EsnStartPosition, SetAtTheRootOnlyAndOtherwiseAComment) {
    const struct {
        std::string text;
        bool setsStart;  // else the bracket text is the root's comment
    } cases[] = {
        // White, the handicap giver, moves first: the first move is White's pawn.
        {"[TITLE Bishop]\r\n[SFEN " + BishopGiven + "]\r\n1. P-3d\r\n2. P-7f\r\n", true},
        // Nothing to set: the initial position stays what it was, a comment.
        {"[SFEN " + InitialSfen + "]\r\n1. P-7f\r\n", false},
        {"[SFEN lnsgkgsnl/1r5b1/pppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL b - 1]\r\n", false},
        {"[SFEN 4k4/9/9/9/9/9/9/9/3KK4 b - 1]\r\n", false},
        {"[sfen " + BishopGiven + "]\r\n", false},
        {"[SFEN " + BishopGiven + " moves]\r\n", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const Reading read = Read(c.text);
        ASSERT_FALSE(read.error) << read.error->message;
        EXPECT_EQ(!(read.record->StartPosition() == Position()), c.setsStart);
        EXPECT_EQ(read.record->Root().Comment(),
                  c.setsStart ? "" : c.text.substr(1, c.text.find(']') - 1));
        EXPECT_EQ(WriteESN(*read.record), c.text);
    }

    // After a move, or a second time, it is a comment; the start is the first one.
    const std::string later = "[SFEN " + BishopGiven + "]\r\n[SFEN " + BishopGiven +
                              "]\r\n1. P-3d\r\n[SFEN " + BishopGiven + "]\r\n";
    const Reading read = Read(later);
    ASSERT_FALSE(read.error);
    EXPECT_EQ(MatchHandicap(read.record->StartPosition()), Handicap::Bishop);
    EXPECT_EQ(read.record->Root().Comment(), "SFEN " + BishopGiven);
    EXPECT_EQ(read.record->Root().Continuation(0)->Comment(), "SFEN " + BishopGiven);
    EXPECT_EQ(WriteESN(*read.record), later);
}

// A comment that the file would give back as the start position is refused; after a start of
// the record's own it would be a second one, which stays a comment.
TEST(EsnStartPosition, ACommentIsNeverMistakenForTheStart) {
    GameRecord record;
    record.SetCurrentComment("SFEN " + BishopGiven);
    EXPECT_EQ(FindUnwritableText(record),
              "The comment before the first move would be read back as the start position.");
    Position problem;
    problem.board.fill(0);
    problem.Cell(Square(0, 4)) = White | King;
    problem.HandCount(Black, Gold) = 1;
    ASSERT_TRUE(record.SetStartPosition(problem));
    EXPECT_EQ(FindUnwritableText(record), "");
    const Reading back = Read(WriteESN(record));
    EXPECT_EQ(back.record->StartPosition(), problem);
    EXPECT_EQ(back.record->Root().Comment(), "SFEN " + BishopGiven);
}

// Start positions changed nothing in how the files we ship and fuzz from read and write: a file
// in the writer's layout writes back byte for byte, and every file writes its tidy form stably.
TEST(EsnStartPosition, ShippedAndCorpusFilesWriteBackAsTheyWere) {
    namespace fs = std::filesystem;
    // Written loosely on purpose (short forms, one line, LF ends) or stopping with an error.
    const std::set<std::string> loose = {"drops.esn",
                                         "king-capture.esn",
                                         "loose-nested.esn",
                                         "tags.esn",
                                         "unterminated.esn",
                                         "captures.esn",
                                         "dump-sample.esn",
                                         "illegal-third.esn",
                                         "loose.esn",
                                         "illegal-move.esn",
                                         "misphrased-move.esn",
                                         "unresolvable-move.esn",
                                         "unterminated-comment.esn"};
    int exact = 0;
    for (const char* folder : {"examples", "tests/fuzz/corpus-esn", "tests/data"}) {
        for (const auto& entry :
             fs::recursive_directory_iterator(fs::path(MARLOCK_SOURCE_DIR) / folder)) {
            if (entry.path().extension() != ".esn") continue;
            SCOPED_TRACE(entry.path().string());
            std::string bytes;
            ASSERT_EQ(ReadWholeFile(entry.path().string(), bytes), "");
            const Reading read = Read(bytes);
            const std::string written = WriteESN(*read.record);
            EXPECT_EQ(WriteESN(*Read(written).record), written);
            if (loose.contains(entry.path().filename().string())) continue;
            EXPECT_FALSE(read.error);
            EXPECT_EQ(written, bytes);
            ++exact;
        }
    }
    EXPECT_GE(exact, 5);
}

}  // namespace
