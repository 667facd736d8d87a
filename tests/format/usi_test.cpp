#include <gtest/gtest.h>

#include "esntestsupport.h"
#include "format/recordio.h"
#include "format/sfen.h"
#include "model/handicap.h"

namespace {

const FileType Usi{RecordFormat::Usi};
const FileType SfenFile{RecordFormat::Sfen};
const std::string BishopGiven = "lnsgkgsnl/1r7/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL w - 1";

std::string Written(const GameRecord& record, const FileType& type) {
    std::string bytes;
    std::string refusal;
    EXPECT_TRUE(WriteRecord(record, type, bytes, refusal)) << refusal;
    return bytes;
}

struct GoodCase {
    FileType type;
    std::string text;
    std::string written;  // as the same format writes it back
};

TEST(UsiAndSfenFiles, ReadWhatTheyHoldAndWriteItBack) {
    const GoodCase cases[] = {
        {Usi, "position startpos moves 7g7f 3c3d 8h2b+ 3a2b B*4e\n",
         "position startpos moves 7g7f 3c3d 8h2b+ 3a2b B*4e\n"},
        // Without "position", blank lines and CR LF around, tabs, a mark, a lower-case drop.
        {Usi, "\xEF\xBB\xBF\r\n startpos\tmoves  7g7f 3c3d 8h2b+ 3a2b b*4e \r\n\r\n",
         "position startpos moves 7g7f 3c3d 8h2b+ 3a2b B*4e\n"},
        {Usi, "startpos", "position startpos\n"},
        {Usi, "startpos moves", "position startpos\n"},
        // White moves first from the handicap; the move number of the position is not kept.
        {Usi,
         "position sfen " + BishopGiven.substr(0, BishopGiven.size() - 1) + "7 moves 3c3d 7g7f",
         "position sfen " + BishopGiven + " moves 3c3d 7g7f\n"},
        {SfenFile, "sfen " + BishopGiven, BishopGiven + "\n"},
        {SfenFile, "\n\n  " + BishopGiven + "  \n\n", BishopGiven + "\n"},
        {SfenFile, "4k4/9/9/9/9/9/9/9/9 b 2r2b4g4s4n4l18p",
         "4k4/9/9/9/9/9/9/9/9 b 2r2b4g4s4n4l18p 1\n"},
    };
    for (const GoodCase& c : cases) {
        SCOPED_TRACE(c.text);
        GameRecord record;
        const ReadOutcome read = ReadRecord(record, c.text, c.type);
        ASSERT_FALSE(read.error) << read.error->message;
        EXPECT_EQ(&record.Current(), &record.Root());
        EXPECT_EQ(Written(record, c.type), c.written);
    }
    GameRecord record;
    ReadRecord(record, "sfen " + BishopGiven + " moves 3c3d", Usi);
    EXPECT_EQ(MatchHandicap(record.StartPosition()), Handicap::Bishop);
    EXPECT_EQ(CountMoves(record), 1);
}

struct BadCase {
    FileType type;
    std::string text;
    std::string message;
    int line;
    int column;
    int movesKept;
};

TEST(UsiAndSfenFiles, StopWithLineColumnAndMessageKeepingWhatWasRead) {
    const std::string tenFiles = "lnsgkgsnl/1r5b1/pppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL b - 1";
    const BadCase cases[] = {
        {Usi, "", "no position line", 1, 1, 0},
        {Usi, "\n position", "no position after 'position'", 2, 10, 0},
        {Usi, "position kif", "'startpos' or 'sfen' expected, not 'kif'", 1, 10, 0},
        {Usi, "position startpos 7g7f", "'moves' expected, not '7g7f'", 1, 19, 0},
        {Usi, "position startpos moves 7g7f 3c3d 7g7e", "illegal move 7g7e", 1, 35, 2},
        {Usi, "startpos moves 7g7f 7g7z", "unknown move 7g7z", 1, 21, 1},
        {Usi, "startpos moves 7g7f resign", "unknown move resign", 1, 21, 1},
        {Usi, "startpos moves 7g7f \xE7\xA7\xBB",
         "byte 0xE7 is not a character of plain ASCII text", 1, 21, 1},
        // A pawn that reaches the last rank must say it promotes.
        {Usi, "sfen 4k4/4P4/9/9/9/9/9/9/4K4 b - 1 moves 5b5a", "illegal move 5b5a", 1, 42, 0},
        {Usi, "position sfen " + tenFiles + " moves 7g7f", "rank 3 has 10 files", 1, 31, 0},
        {Usi, "startpos moves 7g7f\r\n\r\nstartpos", "unexpected text after the position line", 3,
         1, 1},
        {SfenFile, " \n", "no position", 1, 1, 0},
        {SfenFile, "sfen " + tenFiles, "rank 3 has 10 files", 1, 22, 0},
        {SfenFile, BishopGiven + " moves 3c3d", "unexpected 'moves' after the position", 1, 63, 0},
        {SfenFile, BishopGiven + "\n" + BishopGiven, "unexpected text after the position line", 2,
         1, 0},
    };
    for (const BadCase& c : cases) {
        SCOPED_TRACE(c.text);
        GameRecord record;
        const ReadOutcome read = ReadRecord(record, c.text, c.type);
        ASSERT_TRUE(read.error);
        EXPECT_EQ(read.error->message, c.message);
        EXPECT_EQ(read.error->line, c.line);
        EXPECT_EQ(read.error->column, c.column);
        EXPECT_EQ(CountMoves(record), c.movesKept);
    }
}

TEST(UsiAndSfenFiles, DetectedByContentWhateverTheExtensionSays) {
    const std::string usi = "position startpos moves 7g7f";
    const std::string sfen = BishopGiven + "\n";
    const std::string esn = "[TITLE t]\r\n1. P-7f\r\n";
    const struct {
        const char* path;
        std::string bytes;
        RecordFormat format;
    } cases[] = {
        {"game.usi", usi, RecordFormat::Usi},
        {"game.esn", usi, RecordFormat::Usi},
        {"game.txt", "startpos", RecordFormat::Usi},
        {"game", "sfen " + BishopGiven + " moves 3c3d", RecordFormat::Usi},
        {"game.sfen", "sfen " + BishopGiven + " moves 3c3d", RecordFormat::Usi},
        {"problem.txt", sfen, RecordFormat::Sfen},
        {"problem.esn", "sfen " + sfen, RecordFormat::Sfen},
        {"game.usi", esn, RecordFormat::Esn},
        {"game.sfen", "1. P-7f", RecordFormat::Esn},
        // Nothing recognisable: the extension decides.
        {"game.usi", "", RecordFormat::Usi},
        {"problem.SFEN", "rubbish", RecordFormat::Sfen},
        {"game.esn", "[position startpos]", RecordFormat::Esn},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DetectFileType(c.path, c.bytes).format, c.format) << c.path << ": " << c.bytes;
}

TEST(UsiAndSfenFiles, LeaveOutAllButTheStartAndTheMainLine) {
    GameRecord record;
    record.title = "Bishop handicap";
    record.white = "Teacher";
    record.headerLines = {{"event", "Lesson"}};
    Position start = HandicapPosition(Handicap::Bishop);
    ASSERT_TRUE(record.SetStartPosition(start));
    ASSERT_TRUE(PlayLine(record, "3c3d 7g7f"));
    record.SetCurrentComment("a comment");
    ASSERT_TRUE(record.SetCurrentTime(2000));
    record.AddResult(GameResult::Resign);
    record.GoBack();
    ASSERT_TRUE(PlayNew(record, "2g2f"));

    EXPECT_EQ(Written(record, Usi), "position sfen " + BishopGiven + " moves 3c3d 7g7f\n");
    EXPECT_EQ(ListLosses(WriteLosses(record, Usi)),
              "1 variation, 1 comment, 1 result, 1 move time, 3 header lines");
    EXPECT_EQ(ListLosses(WriteLosses(record, SfenFile)),
              "2 moves, 1 variation, 1 comment, 1 result, 1 move time, 3 header lines");
    EXPECT_EQ(ListLosses(WriteLosses(record, FileType{})), "1 result, 1 move time, 1 header line");
}

}  // namespace
