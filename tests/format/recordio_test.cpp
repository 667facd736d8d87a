#include <gtest/gtest.h>

#include "format/recordio.h"
#include "format/recordtesting.h"
#include "model/handicap.h"

namespace {

const std::string BishopGiven = "lnsgkgsnl/1r7/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL w - 1";

// The extension decides unless the bytes plainly hold another format; without a known one the
// bytes decide, and ESN is the default.
TEST(RecordIo, FileTypeByExtensionElseByContent) {
    const std::string usi = "position startpos moves 7g7f";
    const struct {
        const char* path;
        std::string bytes;
        RecordFormat format;
    } cases[] = {
        {"/home/a.b/GAME.Esn", "", RecordFormat::Esn},
        {"game.usi", usi, RecordFormat::Usi},
        {"game.esn", usi, RecordFormat::Usi},
        {"game.sfen", "sfen " + BishopGiven + " moves 3c3d", RecordFormat::Usi},
        {"problem.txt", "\r\n" + BishopGiven, RecordFormat::Sfen},
        {"problem.esn", "sfen " + BishopGiven, RecordFormat::Sfen},
        {"game.usi", "\r\n  [a comment first]", RecordFormat::Esn},
        {"game.sfen", "12.+R2hx2b+", RecordFormat::Esn},
        // Nothing recognisable: the extension decides, else ESN.
        {"game.usi", "", RecordFormat::Usi},
        {"problem.SFEN", "P-7z", RecordFormat::Sfen},
        {"folder.usi/game", "1. ７六歩", RecordFormat::Esn},
        {"notes.txt", "V2.2\nN+sente\n+7776FU\n", RecordFormat::Csa},
        {"game.esn", "{\"moves\": [{}]}", RecordFormat::Jkf},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DetectFileType(c.path, c.bytes).format, c.format) << c.path << ": " << c.bytes;
    EXPECT_EQ(FileTypeForName("USI"), FileType{RecordFormat::Usi});
    EXPECT_EQ(FileTypeForName("pgn"), std::nullopt);
}

TEST(RecordIo, ReadsWritesAndRefusesThroughOneEntryPointEach) {
    GameRecord record;
    ReadOutcome outcome = ReadRecord(record, "[TITLE t]\r\n1. P-7f\r\n2. P-3d\r\n3. Q-1a\r\n", {});
    ASSERT_TRUE(outcome.error);
    EXPECT_EQ(outcome.error->line, 4);
    EXPECT_EQ(CountMoves(record.Root()), 2);

    std::string bytes = "old";
    std::string refusal;
    ASSERT_TRUE(WriteRecord(record, {}, bytes, refusal)) << refusal;
    EXPECT_EQ(bytes, "[TITLE t]\r\n1. P-7f\r\n2. P-3d\r\n");
    record.title = "a ] in the title";
    EXPECT_FALSE(WriteRecord(record, {}, bytes, refusal));
    EXPECT_EQ(bytes, "");
    EXPECT_NE(refusal.find("The title holds ']'"), std::string::npos) << refusal;
}

TEST(RecordIo, EachFormatCountsWhatItLeavesOut) {
    GameRecord record;
    record.title = "Bishop handicap";
    record.headerLines = {{"event", "Lesson"}, {"Venue", "Hall"}};
    record.SetCurrentComment("on the root");
    ASSERT_TRUE(record.SetStartPosition(HandicapPosition(Handicap::Bishop)));
    ASSERT_TRUE(PlayLine(record, "3c3d 7g7f"));
    ASSERT_TRUE(record.SetCurrentTime(1500));
    record.SetCurrentBookmark("here");
    ASSERT_EQ(record.AddResult(GameResult::Resign), 1);
    ASSERT_TRUE(record.GoForward(0));
    record.SetCurrentComment("goes with the result");
    record.GoBack();
    record.GoBack();
    ASSERT_TRUE(PlayLine(record, "2g2f"));  // a variation beside 7g7f

    const auto losses = [&record](RecordFormat format) {
        return ListLosses(WriteLosses(record, FileType{format}));
    };
    EXPECT_EQ(losses(RecordFormat::Esn),
              "1 comment, 1 result, 1 move time, 1 bookmark, 2 header lines");
    EXPECT_EQ(losses(RecordFormat::Usi),
              "1 variation, 2 comments, 1 result, 1 move time, 1 bookmark, 3 header lines");
    EXPECT_EQ(
        losses(RecordFormat::Sfen),
        "2 moves, 1 variation, 2 comments, 1 result, 1 move time, 1 bookmark, 3 header lines");
    EXPECT_TRUE(CountRecordContents(record).startPosition);
    EXPECT_EQ(ListLossesInWords(WriteLosses(record, FileType{})),
              "1 comment, the result, 1 move time, 1 bookmark and 2 header lines");
    EXPECT_FALSE(RecordLosses{}.Any());
}

}  // namespace
