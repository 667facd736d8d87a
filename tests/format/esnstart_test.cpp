#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "esntestsupport.h"
#include "format/esnwriter.h"
#include "format/filebytes.h"
#include "format/sfen.h"
#include "model/handicap.h"

namespace {

const std::string BishopGiven = "lnsgkgsnl/1r7/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL w - 1";
const std::string InitialSfen = "lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL b - 1";

// A start position given before the first move sets the start; every other bracket text that
// looks like one stays a comment where it stands, and every file writes back as it was.
TEST(EsnStartPosition, SetAtTheRootOnlyAndOtherwiseAComment) {
    const struct {
        std::string text;
        bool setsStart;
        std::string rootComment;
    } cases[] = {
        // White, the handicap giver, moves first: the first move is White's pawn.
        {"[TITLE Bishop]\r\n[SFEN " + BishopGiven + "]\r\n1. P-3d\r\n2. P-7f\r\n", true, ""},
        {"[SFEN " + BishopGiven + "]\r\n[before the first move]\r\n1. P-3d\r\n", true,
         "before the first move"},
        // Nothing to set: the initial position stays what it was, a comment.
        {"[SFEN " + InitialSfen + "]\r\n1. P-7f\r\n", false, "SFEN " + InitialSfen},
        {"[SFEN lnsgkgsnl/1r5b1/pppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL b - 1]\r\n", false,
         "SFEN lnsgkgsnl/1r5b1/pppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL b - 1"},
        {"[SFEN 4k4/9/9/9/9/9/9/9/3KK4 b - 1]\r\n", false, "SFEN 4k4/9/9/9/9/9/9/9/3KK4 b - 1"},
        {"[sfen " + BishopGiven + "]\r\n", false, "sfen " + BishopGiven},
        {"[SFEN " + BishopGiven + " moves]\r\n", false, "SFEN " + BishopGiven + " moves"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const TextReading read = ReadText(c.text);
        ASSERT_FALSE(read.error) << read.error->message;
        const GameRecord& record = *read.record;
        EXPECT_EQ(!(record.StartPosition() == Position()), c.setsStart);
        EXPECT_EQ(record.Root().Comment(), c.rootComment);
        EXPECT_EQ(WriteText(record), c.text);
    }

    // After a move, or a second time, it is a comment; the start is the first one.
    const std::string later = "[SFEN " + BishopGiven + "]\r\n[SFEN " + BishopGiven +
                              "]\r\n1. P-3d\r\n[SFEN " + BishopGiven + "]\r\n";
    const TextReading read = ReadText(later);
    ASSERT_FALSE(read.error);
    EXPECT_EQ(MatchHandicap(read.record->StartPosition()), Handicap::Bishop);
    EXPECT_EQ(read.record->Root().Comment(), "SFEN " + BishopGiven);
    EXPECT_EQ(read.record->Root().Continuation(0)->Comment(), "SFEN " + BishopGiven);
    EXPECT_EQ(WriteText(*read.record), later);
}

TEST(EsnStartPosition, WrittenOnlyForAnotherStartAndNeverMistakenForAComment) {
    GameRecord record;
    EXPECT_EQ(WriteESN(record), "");
    Position problem = Position();
    problem.board.fill(0);
    problem.Cell(Square(0, 4)) = White | King;
    problem.HandCount(White, Rook) = 2;
    problem.HandCount(Black, Gold) = 1;
    ASSERT_TRUE(record.SetStartPosition(problem));
    ASSERT_TRUE(PlayNew(record, "G*5b"));
    record.title = "Mate in one";
    EXPECT_EQ(WriteESN(record),
              "[TITLE Mate in one]\r\n[SFEN 4k4/9/9/9/9/9/9/9/9 b G2r 1]\r\n1. G*5b\r\n");

    // A comment that the file would give back as the start position is refused; after a start
    // of the record's own it would be a second one, which stays a comment.
    GameRecord plain;
    plain.SetCurrentComment("SFEN " + BishopGiven);
    EXPECT_EQ(FindUnwritableText(plain),
              "The comment before the first move would be read back as the start position.");
    record.GoToTop();
    record.SetCurrentComment("SFEN " + BishopGiven);
    EXPECT_EQ(FindUnwritableText(record), "");
    const TextReading back = ReadText(WriteESN(record));
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
            const TextReading read = ReadText(bytes);
            const std::string written = WriteText(*read.record);
            EXPECT_EQ(WriteText(*ReadText(written).record), written);
            if (loose.contains(entry.path().filename().string())) continue;
            EXPECT_FALSE(read.error);
            EXPECT_EQ(written, bytes);
            ++exact;
        }
    }
    EXPECT_GE(exact, 5);
}

}  // namespace
