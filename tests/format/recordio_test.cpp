#include <gtest/gtest.h>

#include <cctype>
#include <stdexcept>

#include "format/recordio.h"
#include "format/recordtesting.h"
#include "format/usi/sfen.h"
#include "model/handicap.h"

namespace {

// The extension decides unless the bytes plainly hold another format; without a known one the
// bytes decide, and ESN is the default.
TEST(RecordIo, FileTypeByExtensionElseByContent) {
    const std::string usi = "position startpos moves 7g7f";
    const std::string kif = "先手：甲\r\n   1 ７六歩(77)\r\n";
    const std::string ki2 = "先手：甲\r\n▲７六歩    △３四歩\r\n";
    const std::string kifCp932 = EncodeFromUtf8(kif, TextEncoding::Cp932).bytes;
    const struct {
        const char* path;
        std::string bytes;
        FileType type;
    } cases[] = {
        {"/home/a.b/GAME.Esn", "", EsnFile},
        {"game.usi", usi, UsiFile},
        {"game.esn", usi, UsiFile},
        {"game.txt", "moves 7g7f", UsiFile},
        {"game.sfen", "sfen " + BishopGiven + " moves 3c3d", UsiFile},
        {"problem.txt", "\r\n" + BishopGiven, SfenFile},
        {"problem.esn", "sfen " + BishopGiven, SfenFile},
        {"game.usi", "\r\n  [a comment first]", EsnFile},
        {"game.sfen", "12.+R2hx2b+", EsnFile},
        // Nothing recognisable: the extension decides, else ESN.
        {"game.usi", "", UsiFile},
        {"problem.SFEN", "P-7z", SfenFile},
        {"folder.usi/game", "1. ７六歩", EsnFile},
        {"notes.txt", "", EsnFile},
        // KIF and KI2: by contents alone a format is read as its UTF-8 type; reading finds the
        // character set.
        {"game.kif", kifCp932, KifFile},
        {"game.kifu", kif, KifuFile},
        {"game.kif", EncodeFromUtf8(ki2, TextEncoding::Cp932).bytes, Ki2uFile},
        {"game.ki2u", kif, KifuFile},
        {"game.esn", kifCp932, KifuFile},
        {"game.txt", ki2, Ki2uFile},
        {"game", "後手：乙\r\n手合割：平手\r\n", KifuFile},  // a header alone is KIF's
        {"game.kif", "1. P-7f\r\n", EsnFile},
        {"notes.txt", "先手のメモ\r\n", EsnFile},
        // CSA, and moves in other notations that are not CSA's.
        {"notes.txt", "V2.2\nN+sente\n+7776FU\n", Csa30File},
        {"game.kif", "'CSA encoding=UTF-8\r\n", Csa30File},
        {"notes.txt", "' a comment\r\n\r\nV2.2\r\n", Csa30File},
        {"notes.txt", "N+Sente\r\n", Csa30File},
        {"notes.txt", "PI\r\n+\r\n", Csa30File},
        {"notes.txt", "P+00KI\r\n", Csa30File},
        {"notes.txt", "+7776FU\r\n", Csa30File},
        {"game.csa", "[TITLE Club final]\r\n1. P-7f\r\n", EsnFile},
        {"notes.txt", "P7f P-3d\r\n", EsnFile},
        {"notes.txt", "+P5c-4c\r\n", EsnFile},
        // JKF, and the tool's dump, which is JSON with a header but no JKF.
        {"game.esn", "{\"moves\": [{}]}", JkfFile},
        {"game.txt", "\xEF\xBB\xBF {\n  \"header\": {}, \"moves\": []}", JkfFile},
        {"notes.txt", "{\"title\": \"\", \"header\": [],\n\"nodes\": []}", EsnFile},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DetectFileType(c.path, c.bytes), c.type) << c.path << ": " << c.bytes;
}

// One record with something of every kind, and what each file type leaves out of it.
TEST(RecordIo, EachFormatCountsWhatItLeavesOut) {
    GameRecord record;
    record.SetTitle("Bishop handicap");
    record.SetBlackPlayer("two\r\nlines");
    // Lost in CSA but the event; in JKF, the lines that read back as the player and the start.
    record.SetHeaderLines({{"event", "Lesson"},
                           {"作者", "x"},
                           {"byoyomi", "30秒"},
                           {"先手", "own line"},
                           {"handicap", "角落ち"},
                           {"handicap", "その他"}});
    ASSERT_TRUE(record.SetStartPosition(HandicapPosition(Handicap::Bishop)));
    record.SetCurrentComment("on the root");
    ASSERT_TRUE(PlayLine(record, "3c3d"));
    record.SetCurrentTime(1'500);
    record.SetCurrentBookmark("here");
    ASSERT_TRUE(PlayLine(record, "7g7f"));
    record.SetCurrentTime(2'000);
    ASSERT_EQ(record.AddResult(GameResult::MaxMoves), 1);
    ASSERT_TRUE(record.GoForward(0));
    record.SetCurrentComment("goes with the result");
    record.GoBack();
    record.GoBack();
    // Beside 7g7f, a variation with a comment and a whole-second time, and a result.
    ASSERT_TRUE(PlayLine(record, "2g2f"));
    record.SetCurrentComment("off the main line");
    record.SetCurrentTime(3'000);
    record.GoBack();
    ASSERT_EQ(record.AddResult(GameResult::Sealed), 3);

    const struct {
        FileType type;
        const char* losses;
    } cases[] = {
        {EsnFile, "1 comment, 2 results, 3 move times, 1 bookmark, 6 header lines"},
        {UsiFile, "1 variation, 3 comments, 2 results, 3 move times, 1 bookmark, 8 header lines"},
        {SfenFile,
         "2 moves, 1 variation, 3 comments, 2 results, 3 move times, 1 bookmark, 8 header lines"},
        // Whole seconds only.
        {KifFile, "1 move time"},
        {KifuFile, "1 move time"},
        // No times at all.
        {Ki2File, "3 move times"},
        {Ki2uFile, "3 move times"},
        // The main line only, whose times 2.2 cuts to whole seconds and has no move limit.
        {Csa30File, "1 variation, 1 comment, 1 result, 1 move time, 1 bookmark, 6 header lines"},
        {Csa22File, "1 variation, 1 comment, 2 results, 2 move times, 1 bookmark, 6 header lines"},
        // A sealed move has no special: written as an interruption.
        {JkfFile, "1 result, 1 move time, 1 bookmark, 2 header lines"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ListLosses(WriteLosses(record, c.type)), c.losses) << FileTypeName(c.type);

    EXPECT_TRUE(CountRecordContents(record).startPosition);
    EXPECT_EQ(ListLossesInWords(RecordLosses{.comments = 1, .results = 1, .headerLines = 2}),
              "1 comment, the result and 2 header lines");
    EXPECT_EQ(ListLossesInWords(RecordLosses{.variations = 2, .results = 2}),
              "2 variations and 2 results");
    EXPECT_FALSE(RecordLosses{}.Any());
    EXPECT_TRUE(RecordLosses{.startPosition = true}.Any());
}

// A start that breaks rules of play (White's pawns doubled on file 2, the one on 2i with no move
// left) is the start wherever it is read, with a notice for each rule, and moves are played
// from it; it reads back the same from every format that holds a start.
TEST(RecordIo, StartsThatBreakRulesOfPlayOpenWithNotices) {
    const std::string sfen = "4k4/9/7p1/9/9/9/9/9/4K2p1 b - 1";
    const std::string notices = "White's pawn on 2i can never move\ntwo White pawns on file 2";
    const auto placed = [&](const char* place) {
        return place + notices.substr(0, notices.find('\n') + 1) + place +
               notices.substr(notices.find('\n') + 1);
    };
    const struct {
        FileType type;
        std::string text;
        const char* notices;
    } cases[] = {
        {SfenFile, "\n  sfen " + sfen, "2:8: "},
        {UsiFile, "position sfen " + sfen + " moves 5i4h", "1:15: "},
        {EsnFile, "[TITLE Lesson]\n[SFEN " + sfen + "]\nK5i-4h", "2:1: "},
        {Csa30File,
         CrLf({"P1 *  *  *  * -OU", "P3 *  *  *  *  *  *  * -FU", "P9 *  *  *  * +OU *  * -FU",
               "+"}),
         "4:1: "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const Reading read = Read(c.text, c.type);
        ASSERT_FALSE(read.error) << read.error->message;
        EXPECT_EQ(Sfen(read.record->StartPosition(), 0), sfen);
        EXPECT_EQ(read.notices, placed(c.notices));
    }
    GameRecord record;
    ASSERT_TRUE(record.SetStartPosition(SfenPosition(sfen)));
    ASSERT_TRUE(PlayLine(record, "5i4h 5a4b"));
    for (const FileType& type : KnownFileTypes()) {
        SCOPED_TRACE(FileTypeName(type));
        const Reading read = Read(Write(record, type), type);
        ASSERT_FALSE(read.error) << read.error->message;
        EXPECT_EQ(read.record->StartPosition(), record.StartPosition());
        EXPECT_NE(read.notices.find("two White pawns on file 2"), std::string::npos);
    }
}

// What was read before the start position was known is no record of the file: a binary file, a
// diagram that breaks off, a start no record can hold, a file in which nothing is recognised.
TEST(RecordIo, ReadingThatStopsBeforeTheStartIsKnown) {
    const struct {
        FileType type;
        std::string text;
        const char* stop;
        bool startKnown;
    } cases[] = {
        {KifFile, std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR\xFF\xFE\x80\x80", 20), "", false},
        {KifuFile,
         CrLf({"後手の持駒：なし", "  ９ ８ ７ ６ ５ ４ ３ ２ １", "+---------------------------+",
               "| ・ ・ ・ ・v玉 ・ ・ ・ ・|一"}),
         "4:1: the board diagram has 1 rank instead of nine", false},
        {KifuFile, "milk\r\neggs: 12\r\n* bread\r\n", "1:1: the file holds no game record", false},
        {Csa30File, "milk\r\neggs: 12\r\n", "1:1: the file holds no game record", false},
        {Csa30File, CrLf({"P+59OU", "P+58OU", "+"}),
         "3:1: the start position is impossible: two Black kings", false},
        {KifuFile, CrLf({"1 ７六歩(77)", "2 ５五歩"}), "2:3: no piece can move to ５五", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const Reading read = Read(c.text, c.type);
        ASSERT_TRUE(read.error);
        if (*c.stop) {
            EXPECT_EQ(StopText(read), c.stop);
        }
        EXPECT_EQ(read.startKnown, c.startKnown);
    }
}

// Every format but ESN says where it stopped the same way: lines end at CR LF, CR or LF, and
// columns count characters. Each format gets a fault of its own on line 3, after a CR LF and a
// lone CR, with characters of several bytes before it where the format takes them; then a byte
// that cannot be decoded there, in a code page 932 file.
TEST(RecordIo, EveryTextFormatPlacesAFaultByLineAndCharacter) {
    const struct {
        FileType type;
        std::string head;   // lines 1 and 2
        std::string fault;  // line 3
        int column;
    } cases[] = {
        {KifuFile, "手合割：平手\r\n手数----指手--\r", "   1 ７六歩(77)　５五歩(57)", 14},
        {Ki2uFile, "手合割：平手\r\n*始め\r", "▲７六歩　△３四歩　▲１一角", 11},
        {Csa30File, "V2.2\r\nPI\r", "+,+7776FU,-3334FU,+8811KA", 19},
        {JkfFile, "{\"header\":{\"先手\":\"甲\"},\r\n\"moves\":[{},\r",
         R"({"comments":["ああ"],"move":{"from":{"x":7,"y":7},"to":{"x":7,"y":5},"piece":"FU"}}]})",
         27},
        {UsiFile, "\r\n\r", "position startpos moves 7g7f 3c3d 8h1a", 35},
        {SfenFile, "\r\n\r", "sfen 9/9/9/9/9/9/9/9/9 x - 1", 24},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.head + c.fault);
        const Reading read = Read(c.head + c.fault + "\n", c.type);
        ASSERT_TRUE(read.error);
        EXPECT_EQ(read.error->line, 3);
        EXPECT_EQ(read.error->column, c.column) << read.error->message;
        const std::string bytes = EncodeFromUtf8(c.head + "ああ", TextEncoding::Cp932).bytes;
        EXPECT_EQ(StopText(Read(bytes + "\xFF\n", c.type)),
                  "3:3: the byte 0xFF cannot be read as Shift_JIS");
    }
}

// A reader or a writer that fails in any other way (a character set the system cannot convert)
// gives its reason as an error or a refusal; nothing escapes to the caller.
TEST(RecordIo, AnyFailureOfAFormatIsAnErrorOrARefusal) {
    FormatHandler failing = *HandlerFor(RecordFormat::Kif);
    failing.read = [](GameRecord&, RecordText&, ReadOutcome&) {
        throw std::runtime_error("the C library cannot convert from CP932");
    };
    failing.write = [](const GameRecord&, const FileType&, std::string&, std::string&) -> bool {
        throw std::runtime_error("the C library cannot convert to CP932");
    };
    GameRecord record;
    const ReadOutcome read = ReadRecord(record, "1 ７六歩(77)", KifFile, &failing);
    ASSERT_TRUE(read.error);
    EXPECT_EQ(read.error->message, "the C library cannot convert from CP932");
    EXPECT_EQ(read.error->line, 0);  // no place in the file
    EXPECT_FALSE(read.startKnown);
    std::string bytes = "old", refusal;
    EXPECT_FALSE(WriteRecord(record, KifFile, bytes, refusal, &failing));
    EXPECT_EQ(refusal, "the C library cannot convert to CP932");
    EXPECT_EQ(bytes, "");
}

}  // namespace
