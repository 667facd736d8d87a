#include <gtest/gtest.h>

#include "esntestsupport.h"
#include "format/esnformat.h"
#include "format/recordio.h"

namespace {

TEST(FileTypes, NamesAndExtensionsIgnoreCaseAndOnlyTheLastExtensionCounts) {
    EXPECT_EQ(FileTypeForName("ESN"), FileType{});
    EXPECT_EQ(FileTypeForName("pgn"), std::nullopt);
    EXPECT_EQ(FileTypeName(FileType{}), "esn");
    EXPECT_EQ(DefaultExtension(FileType{}), "esn");
    const struct {
        const char* path;
        std::optional<RecordFormat> format;
    } paths[] = {
        {"game.esn", RecordFormat::Esn}, {"/home/a.b/GAME.Esn", RecordFormat::Esn},
        {"game.esn.bak", std::nullopt},  {"folder.esn/game", std::nullopt},
        {".esn", std::nullopt},          {"game", std::nullopt},
    };
    for (const auto& p : paths) {
        const auto type = FileTypeForPath(p.path);
        EXPECT_EQ(type ? std::optional(type->format) : std::nullopt, p.format) << p.path;
    }
}

TEST(FileTypes, EsnIsRecognisedByItsFirstItem) {
    const struct {
        const char* bytes;
        bool esn;
    } cases[] = {
        {"[TITLE Club final]\r\n1. P-7f\r\n", true},
        {"\r\n  [a comment first]", true},
        {"1. P-7f\r\n2. P-3d\r\n", true},
        {"12.+R2hx2b+", true},
        {"S*5e G4h5h+", true},
        {"p7g7f", true},
        {"", false},
        {" \r\n\t", false},
        {"1. ７六歩", false},
        {"V2.2\nN+sente\n+7776FU\n", false},
        {"position startpos moves 7g7f", false},
        {"{\"header\": {}}", false},
        {"P-7z", false},
        {"P7f-", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LooksLikeEsn(c.bytes), c.esn) << c.bytes;
    // Nothing else names a format: ESN, the default.
    EXPECT_EQ(DetectFileType("notes.txt", "hello"), FileType{});
    EXPECT_EQ(DetectFileType("", "1. P-7f"), FileType{});
}

TEST(RecordIo, ReadsWritesAndRefusesThroughOneEntryPointEach) {
    GameRecord record;
    ReadOutcome outcome = ReadRecord(record, "[TITLE t]\r\n1. P-7f\r\n2. P-3d\r\n3. Q-1a\r\n", {});
    ASSERT_TRUE(outcome.error);
    EXPECT_EQ(outcome.error->message, "Misphrased move.");
    EXPECT_EQ(outcome.error->line, 4);
    EXPECT_EQ(outcome.error->column, 4);
    EXPECT_EQ(CountMoves(record), 2);
    EXPECT_EQ(record.title, "t");

    std::string bytes = "old";
    std::string refusal;
    ASSERT_TRUE(WriteRecord(record, {}, bytes, refusal)) << refusal;
    EXPECT_EQ(bytes, "[TITLE t]\r\n1. P-7f\r\n2. P-3d\r\n");
    record.title = "a ] in the title";
    EXPECT_FALSE(WriteRecord(record, {}, bytes, refusal));
    EXPECT_EQ(bytes, "");
    EXPECT_NE(refusal.find("The title holds ']'"), std::string::npos) << refusal;

    // A format whose handler has not come yet says so instead of failing silently.
    outcome = ReadRecord(record, "anything", FileType{RecordFormat::Usi});
    ASSERT_TRUE(outcome.error);
    EXPECT_EQ(outcome.error->message, "USI records cannot be read or written here.");
    EXPECT_FALSE(WriteRecord(record, FileType{RecordFormat::Usi}, bytes, refusal));
    EXPECT_EQ(refusal, "USI records cannot be read or written here.");
}

TEST(RecordLosses, EsnLeavesOutResultsTimesBookmarksAndHeaderLinesAndTheyAreWorded) {
    GameRecord record;
    record.title = "kept";
    record.headerLines = {{"event", "Club final"}, {"Venue", "Hall"}};
    record.SetCurrentComment("on the root");
    ASSERT_TRUE(PlayLine(record, "7g7f 3c3d"));
    ASSERT_TRUE(record.SetCurrentTime(1500));
    record.SetCurrentBookmark("here");
    ASSERT_EQ(record.AddResult(GameResult::Resign), 1);
    ASSERT_TRUE(record.GoForward(0));
    record.SetCurrentComment("a comment that goes with the result");
    record.GoToTop();
    ASSERT_TRUE(record.GoForward(0));
    ASSERT_TRUE(PlayNew(record, "8c8d"));  // a variation beside 3c3d
    ASSERT_TRUE(PlayNew(record, "2g2f"));
    record.SetCurrentComment("in the variation");

    const RecordLosses all = CountRecordContents(record);
    EXPECT_EQ(all.variations, 1);
    EXPECT_EQ(all.comments, 3);
    EXPECT_EQ(all.results, 1);
    EXPECT_EQ(all.moveTimes, 1);
    EXPECT_EQ(all.bookmarks, 1);
    EXPECT_EQ(all.headerLines, 2);
    EXPECT_FALSE(all.startPosition);
    EXPECT_EQ(MainLineMoves(record), 2);
    EXPECT_EQ(TitleAndPlayers(record), 1);

    const RecordLosses esn = WriteLosses(record, FileType{});
    EXPECT_EQ(ListLosses(esn), "1 comment, 1 result, 1 move time, 1 bookmark, 2 header lines");
    EXPECT_EQ(ListLossesInWords(esn),
              "1 comment, the result, 1 move time, 1 bookmark and 2 header lines");

    RecordLosses many;
    many.variations = 12;
    many.comments = 3;
    many.results = 2;
    many.startPosition = true;
    EXPECT_EQ(ListLossesInWords(many),
              "12 variations, 3 comments, 2 results and the start position");
    EXPECT_EQ(ListLosses(RecordLosses{}), "");
    EXPECT_FALSE(RecordLosses{}.Any());
    EXPECT_TRUE(many.Any());
}

}  // namespace
