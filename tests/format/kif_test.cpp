#include <gtest/gtest.h>

#include <string>

#include "bench/recordgen.h"
#include "format/kif/japanesenotation.h"
#include "format/recordcompare.h"
#include "format/recordio.h"
#include "format/recordtesting.h"
#include "format/text/textencoding.h"
#include "model/handicap.h"

namespace {

// The file without its leading '#' lines, which a writer does not keep.
std::string WithoutHashLines(std::string bytes) {
    while (bytes.starts_with("#") && !bytes.starts_with("#KIF"))
        bytes.erase(0, bytes.find('\n') + 1);
    return bytes;
}

}  // namespace

// Sample files of our own, written as the descriptions lay them out: each reads as the game it
// holds and writes back byte for byte.
TEST(KifFiles, ReadAndWriteBackByteForByte) {
    const std::string game =
        "7g7f 3c3d 2g2f 4c4d 2f2e 2b3c 3i4h 8b3b 5i6h 5a6b 6h7h 6b7b 5g5f 7b8b 6i5h 7a7b resign";
    const struct {
        const char* file;
        FileType type;
        Position start;
        std::string mainLine;
    } files[] = {
        {"game.kifu", KifuFile, Position(), game},
        {"game.kif", KifFile, Position(), game},
        {"handicap.kif", KifFile, HandicapPosition(Handicap::TwoPieces),
         "7a6b 7g7f 5c5d 2g2f 6b5c 2f2e 5a4b 2e2d 2c2d 2h2d resign"},
        {"problem.kif", KifFile, SfenPosition("8k/9/8P/9/9/9/9/9/9 b G2r2b3g4s4n4l17p 1"),
         "G*1b mate"},
        {"game.ki2u", Ki2uFile, Position(), game},
        {"marks.ki2", Ki2File, SfenPosition("k8/9/9/9/2S6/9/2S6/9/3GGG2K b G2r2b4n4l18p 1"),
         "4i5h 9a8a 6i6h 8a9a 5h4h 9a8a 6h5h 8a9a 5i6h 9a8a 7e6f 8a9a G*5g 9a8a"},
    };
    for (const auto& f : files) {
        SCOPED_TRACE(f.file);
        const std::string bytes = DataFile(std::string("kif/") + f.file);
        // Read as the other character set, the bytes say which one they are in.
        FileType other = f.type;
        other.encoding =
            f.type.encoding == TextEncoding::Utf8 ? TextEncoding::Cp932 : TextEncoding::Utf8;
        const Reading read = Read(bytes, other);
        ASSERT_FALSE(read.error) << read.error->line << ":" << read.error->column << ": "
                                 << read.error->message;
        EXPECT_EQ(read.type, f.type);
        EXPECT_EQ(read.record->StartPosition(), f.start);
        EXPECT_EQ(MainLine(*read.record), f.mainLine);
        EXPECT_EQ(Write(*read.record, f.type), WithoutHashLines(bytes));
    }

    // The game in code page 932 is the game in UTF-8, and that game is the KI2 sample.
    const auto utf8 = ReadGood(DataFile("kif/game.kifu"), KifuFile);
    std::string why;
    EXPECT_TRUE(SameRecord(*utf8, *ReadGood(DataFile("kif/game.kif"), KifFile), &why)) << why;
    EXPECT_EQ(Write(*utf8, Ki2uFile), DataFile("kif/game.ki2u"));
}

namespace {

const std::string BlankDiagram =
    "  ９ ８ ７ ６ ５ ４ ３ ２ １\r\n"
    "+---------------------------+\r\n"
    "|v玉 ・ ・ ・ ・ ・ ・ ・ ・|一\r\n"
    "| ・ ・ ・ ・ ・ ・ ・ ・ ・|二\r\n"
    "| ・ ・ ・ ・ ・ ・ ・ ・ ・|三\r\n"
    "| ・ ・ ・ ・ ・ ・ ・ ・ ・|四\r\n"
    "| ・ ・ ・ ・ ・ ・ ・ ・ ・|五\r\n"
    "| ・ ・ ・ ・ ・ ・ ・ ・ ・|六\r\n"
    "| ・ ・ ・ ・ ・ ・ ・ ・ ・|七\r\n"
    "| ・ ・ ・ ・ ・ ・ ・ ・ ・|八\r\n"
    "| ・ ・ ・ ・ 玉 ・ ・ ・ ・|九\r\n"
    "+---------------------------+\r\n";

}  // namespace

// What real files do that the descriptions do not: each reads without complaint.
TEST(Kif, ReadsTheQuirksOfRealFiles) {
    const struct {
        const char* what;
        std::string text;
        const char* mainLine;
        void (*check)(const GameRecord&);
    } cases[] = {
        {"side marks of every shape",
         CrLf({"   1 ▲７六歩(77)", "   2 △３四歩(33)", "   3 ☗２六歩(27)", "   4 ☖８四歩(83)",
               "   5 ▼２五歩(26)", "   6 ▽８五歩(84)"}),
         "7g7f 3c3d 2g2f 8c8d 2f2e 8d8e", nullptr},
        {"同 without its blank",
         CrLf({"   1 ７六歩(77)", "   2 ３四歩(33)", "   3 ２二角成(88)", "   4 同銀(31)"}),
         "7g7f 3c3d 8h2b+ 3a2b", nullptr},
        {"squares in digits", CrLf({"   1 ７６歩(77)", "   2 34歩(33)", "   3 2六歩(27)"}),
         "7g7f 3c3d 2g2f", nullptr},
        {"short and missing time fields",
         CrLf({"1 ７六歩(77) (0:4/0:0:4)", "2 ３四歩(33)", "3 ２六歩(27)   ( 0:16.5/)"}),
         "7g7f 3c3d 2g2f",
         [](const GameRecord& r) {
             EXPECT_EQ(NodeAt(r, "0")->TimeMs(), 4000);
             EXPECT_EQ(NodeAt(r, "0.0")->TimeMs(), std::nullopt);
             EXPECT_EQ(NodeAt(r, "0.0.0")->TimeMs(), 16500);
         }},
        {"a header line commented out", CrLf({"*棋戦：非公式戦", "先手：甲", "1 ７六歩(77)"}),
         "7g7f",
         [](const GameRecord& r) {
             EXPECT_EQ(r.Root().Comment(), "棋戦：非公式戦");
             EXPECT_TRUE(r.HeaderLines().empty());
             EXPECT_EQ(r.BlackPlayer(), "甲");
         }},
        {"a variation line before the first move", CrLf({"変化：3手", "   1 ７六歩(77)"}), "7g7f",
         nullptr},
        {"pieces in hand parted by any blank or none",
         "後手の持駒：飛 角二　金四銀三桂二香四歩十八\r\n" + BlankDiagram +
             "先手の持駒：銀　桂二\r\n   1 ５五銀打\r\n",
         "S*5e",
         [](const GameRecord& r) {
             EXPECT_EQ(r.StartPosition().HandCount(White, Bishop), 2);
             EXPECT_EQ(r.StartPosition().HandCount(White, Pawn), 18);
             EXPECT_EQ(r.StartPosition().HandCount(Black, Knight), 2);
         }},
        {"unknown header lines kept", CrLf({"盤面反転", "記録係：緑川", "   1 ７六歩(77)"}), "7g7f",
         [](const GameRecord& r) {
             const std::vector<HeaderLine> header = {{"盤面反転", ""}, {"記録係", "緑川"}};
             EXPECT_EQ(r.HeaderLines(), header);
         }},
        {"engine analysis in comments", CrLf({"   1 ７六歩(77)", "**解析 評価値 50", "*本譜"}),
         "7g7f",
         [](const GameRecord& r) {
             EXPECT_EQ(NodeAt(r, "0")->Comment(), "*解析 評価値 50\r\n本譜");
         }},
        {"line ends of CR alone", "先手：甲\r   1 ７六歩(77)\r   2 ３四歩(33)\r", "7g7f 3c3d",
         nullptr},
        {"a game numbered from a later move", CrLf({"  41 ７六歩(77)", "  42 ３四歩(33)"}),
         "7g7f 3c3d", nullptr},
        {"a drop without 打",
         CrLf({"後手の持駒：なし"}) + BlankDiagram + CrLf({"先手の持駒：金", "1 ５八金"}), "G*5h",
         nullptr},
        {"full-width blanks in the move column",
         CrLf({"1 ７六歩　　(77)", "2 ３四歩(33)", "3 ２六歩(27)", "4 ８八角成(22)", "5 同銀　(79)",
               "6 ２二銀　(31)"}),
         "7g7f 3c3d 2g2f 2b8h+ 7i8h 3a2b", nullptr},
        {"time fields of any width with blanks round the slash",
         CrLf({"1 ７六歩(77) (00:31 / 00:00:31)", "2 ３四歩(33) ( 1:02/ 0:01:02)",
               "3 ２六歩(27) (90:00/1:30:31)"}),
         "7g7f 3c3d 2g2f",
         [](const GameRecord& r) {
             EXPECT_EQ(NodeAt(r, "0")->TimeMs(), 31'000);
             EXPECT_EQ(NodeAt(r, "0.0")->TimeMs(), 62'000);
             EXPECT_EQ(NodeAt(r, "0.0.0")->TimeMs(), 5'400'000);
         }},
        {"不成 and the old piece names",
         CrLf({"1 ７六歩(77)", "2 ３四歩(33)", "3 ２二角不成(88)", "4 ４二王(51)"}),
         "7g7f 3c3d 8h2b 5a4b", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto record = ReadGood(c.text, KifuFile);
        EXPECT_EQ(MainLine(*record), c.mainLine);
        if (c.check) c.check(*record);
    }
}

TEST(Kif, FindsTheCharacterSetWhateverTheFileSays) {
    const std::string text = CrLf({"先手：青木", "手数----指手--", "   1 ７六歩(77)", "*序盤。"});
    const auto encoded = [&](TextEncoding encoding) {
        return EncodeFromUtf8(text, encoding).bytes;
    };
    const struct {
        const char* what;
        std::string bytes;
        TextEncoding encoding;
    } cases[] = {
        {"EUC-JP", encoded(TextEncoding::EucJp), TextEncoding::EucJp},
        {"declared", "#KIF version=2.0 encoding=Shift_JIS\r\n" + encoded(TextEncoding::Cp932),
         TextEncoding::Cp932},
        {"code page 932 declared UTF-8",
         "#KIF version=2.0 encoding=UTF-8\r\n" + encoded(TextEncoding::Cp932), TextEncoding::Cp932},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const Reading read = Read(c.bytes, KifFile);
        ASSERT_FALSE(read.error);
        EXPECT_EQ(read.type.encoding, c.encoding);
        EXPECT_EQ(read.record->BlackPlayer(), "青木");
        EXPECT_EQ(MainLine(*read.record), "7g7f");
        EXPECT_EQ(NodeAt(*read.record, "0")->Comment(), "序盤。");
    }
}

// What cannot be read stops reading there, with a message that says why, keeping what came
// before it.
TEST(Kif, StopsWithLineColumnAndReason) {
    const std::string threeMoves = CrLf({"1 ７六歩(77)", "2 ３四歩(33)", "3 ２六歩(27)"});
    const struct {
        std::string text;
        const char* stop;
        const char* kept;
    } cases[] = {
        {threeMoves + "4 ７六竜王(77)\r\n", "4:5: unknown piece 竜王", "7g7f 3c3d 2g2f"},
        {threeMoves + "4 ５五歩\r\n", "4:3: no piece can move to ５五", "7g7f 3c3d 2g2f"},
        {threeMoves + "4 ７六", "4:5: the line ends before the piece", "7g7f 3c3d 2g2f"},
        {"1 ７六歩(77) (144000:00/)\r\n", "1:11: the time of move 1 is 100 days or more", "7g7f"},
        {threeMoves + "\r\n変化：40手\r\n", "5:1: a variation from ply 40 but the line has 3 moves",
         "7g7f 3c3d 2g2f"},
        {threeMoves + "5 ８四歩(83)\r\n", "4:1: move number 5 where 4 was expected",
         "7g7f 3c3d 2g2f"},
        {threeMoves + "4 ２二角成(88)\r\n", "4:7: the piece on ８八 is the opponent's",
         "7g7f 3c3d 2g2f"},
        {"1 ２二角成(88)\r\n", "1:3: the 角 on ８八 cannot move to ２二", ""},
        {"1 ７六角(77)\r\n", "1:6: the piece on ７七 is 歩, not 角", ""},
        {"1 ７六歩(77)\r\n2 投了\r\n3 ２六歩(27)\r\n", "3:3: a move after the result",
         "7g7f resign"},
        {"1 同　歩(77)\r\n", "1:3: 同 at the first move", ""},
        {"手合割：九枚落ち\r\n1 ７六歩(77)\r\n", "1:5: unknown handicap 九枚落ち", ""},
        {"手合割：その他\r\n", "1:5: a 手合割 of その他 needs a board diagram", ""},
        {"1 ７六歩(77)\r\n2 ３四歩(33) 3c3d\r\n", "2:11: unexpected text after the move",
         "7g7f 3c3d"},
        {"1 ７六歩(77)\r\nおまけ\r\n",
         "2:1: a line that is no move, comment, bookmark or variation", "7g7f"},
        {"1 ７六歩(77)\r\n*良い手\r\n2 ３四歩(33\r\n",
         "3:6: unreadable origin: it must be two digits in parentheses, as (77)", "7g7f"},
        // Code page 932 bytes that stop at a byte no character starts with.
        {"1 \x82\x56\x98\x5A\x95\xE0(77)\r\n2 \x82\x52\x8E\x6C\x95\xE0(33)\r\n\xA0\r\n",
         "3:1: the byte 0xA0 cannot be read as Shift_JIS", "7g7f 3c3d"},
        {"| ・ ・|一\r\n", "1:6: the rank has fewer than nine squares", ""},
        {"|v玉 ・ ・ ・ ・ ・ ・ ・v竜王|一\r\n", "1:20: the rank has more than nine squares", ""},
        {"|v玉 ・ ・ ・ ・ ・ ・ ・ 犬|一\r\n", "1:19: unknown piece 犬 in the board diagram", ""},
        {"|v玉 ・ ・ ・ ・ ・ ・ ・x歩|一\r\n", "1:18: unknown square x歩 in the board diagram",
         ""},
    };
    for (const auto& c : cases) {
        const Reading read = Read(c.text, KifuFile);
        EXPECT_EQ(StopText(read), c.stop) << c.text;
        EXPECT_EQ(MainLine(*read.record), c.kept) << c.text;
    }
    // The type read names the bytes' character set, also when reading stopped.
    const std::string stopped = threeMoves + "4 ５五歩\r\n";
    EXPECT_EQ(Read(EncodeFromUtf8(stopped, TextEncoding::Cp932).bytes, KifuFile).type, KifFile);
    EXPECT_EQ(Read(stopped, KifFile).type, KifuFile);
}

// Every result word reads as its result and writes back as the same word, in KIF as a move
// line and in KI2 as the summary line after the moves.
TEST(Kif, EveryResultWord) {
    const struct {
        const char* word;
        GameResult result;
        const char* summary;  // Black to move at the result
    } words[] = {
        {"投了", GameResult::Resign, "まで2手で後手の勝ち"},
        {"中断", GameResult::Interrupt, "まで2手で中断"},
        {"千日手", GameResult::Repetition, "まで2手で千日手"},
        {"持将棋", GameResult::Impasse, "まで2手で持将棋"},
        {"切れ負け", GameResult::Timeout, "まで2手で時間切れにより後手の勝ち"},
        {"反則勝ち", GameResult::IllegalWin, "まで2手で先手の反則勝ち"},
        {"反則負け", GameResult::IllegalLoss, "まで2手で先手の反則負け"},
        {"入玉勝ち", GameResult::Declaration, "まで2手で先手の入玉勝ち"},
        {"詰み", GameResult::Mate, "まで2手で詰み"},
        {"不詰", GameResult::NoMate, "まで2手で不詰"},
        {"引き分け", GameResult::Draw, "まで2手で引き分け"},
        {"最大手数", GameResult::MaxMoves, "まで2手で最大手数"},
        {"封じ手", GameResult::Sealed, "まで2手で封じ手"},
    };
    for (const auto& w : words) {
        SCOPED_TRACE(w.word);
        const std::string kif =
            CrLf({"手数----指手---------消費時間--", "   1 ７六歩(77)", "   2 ３四歩(33)"}) +
            "   3 " + w.word + "\r\n";
        const auto record = ReadGood(kif, KifuFile);
        const MoveNode* result = NodeAt(*record, "0.0.0");
        ASSERT_TRUE(result && result->IsResult());
        EXPECT_EQ(*result->Result(), w.result);

        const std::string written = Write(*record, KifuFile);
        EXPECT_NE(written.find(kif), std::string::npos) << written;
        EXPECT_NE(written.find(w.summary), std::string::npos) << written;
        const std::string ki2 = ExpectRoundTrip(*record, Ki2uFile);
        EXPECT_NE(ki2.find("▲７六歩    △３四歩\r\n" + std::string(w.summary) + "\r\n"),
                  std::string::npos)
            << ki2;
    }

    const auto unplayed = ReadGood("先手：甲\r\n1 不戦勝\r\n", KifuFile);
    const std::vector<HeaderLine> note = {{"note", "不戦勝"}};
    EXPECT_EQ(unplayed->HeaderLines(), note);
    EXPECT_EQ(unplayed->Root().ChildCount(), 0);
}

// A summary line ends the line of play it follows with its result, in the main line and in a
// variation, in KIF and in KI2, whatever wording of the results other programs use; one that
// does not fit the line is left out with a notice.
TEST(Kif, SummaryLinesCloseTheLineTheyFollow) {
    const std::string ki2 = "▲７六歩　△３四歩　▲２二角成\r\n";
    const std::string kif = CrLf({"1 ７六歩(77)", "2 ３四歩(33)", "3 ２二角成(88)"});
    const struct {
        std::string text;
        FileType type;
        const char* line;       // the main line
        const char* variation;  // the line of the variation from move 3
        const char* notices;
    } cases[] = {
        {ki2 + "まで3手で詰\r\n", Ki2uFile, "7g7f 3c3d 8h2b+ mate", "", ""},
        {kif + "まで3手詰\r\n", KifuFile, "7g7f 3c3d 8h2b+ mate", "", ""},
        {ki2 + "まで3手で不詰\r\n\r\n変化：3手\r\n▲２六歩\r\nまで3手で中断\r\n", Ki2uFile,
         "7g7f 3c3d 8h2b+ nomate", "2g2f interrupt", ""},
        {kif + "まで3手で投了\r\n\r\n変化：3手\r\n3 ２六歩(27)\r\nまで3手で先手の勝ち\r\n",
         KifuFile, "7g7f 3c3d 8h2b+ resign", "2g2f resign", ""},
        {ki2 + "まで3手で時間切れにより先手の勝ち\r\n", Ki2uFile, "7g7f 3c3d 8h2b+ timeout", "",
         ""},
        {ki2 + "まで5手で詰\r\n", Ki2uFile, "7g7f 3c3d 8h2b+", "",
         "2:1: the summary line counts 5 moves, but the line has 3; it is left out"},
        {kif + "まで3手で後手の勝ち\r\n", KifuFile, "7g7f 3c3d 8h2b+", "",
         "4:1: the summary line gives no result this line can have; it is left out"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const Reading read = Read(c.text, c.type);
        ASSERT_FALSE(read.error) << read.error->message;
        EXPECT_EQ(MainLine(*read.record), c.line);
        const MoveNode* variation = NodeAt(*read.record, "0.0.1");
        EXPECT_EQ(variation ? NodeText(*variation) + " " + LineFrom(*variation) : "", c.variation);
        EXPECT_EQ(read.notices, c.notices);
    }
}

TEST(KifWriter, WritesTheStartByNameOrAsADiagram) {
    const struct {
        const char* what;
        Position start;
        const char* expected;  // in the written text
        const char* absent;
    } starts[] = {
        {"a handicap", HandicapPosition(Handicap::Lance),
         "手合割：香落ち\r\n下手：甲\r\n上手：乙\r\n", "先手の持駒"},
        {"a problem", ProblemStartPosition(),
         "手合割：詰将棋\r\n後手の持駒：飛二　角二　金四　銀四　桂四　香四　歩十八　\r\n", "下手"},
        {"no name",
         Board({{"5a", White | King}, {"5c", Black | Gold}, {"5i", Black | King}}, White),
         "| ・ ・ ・ ・v玉 ・ ・ ・ ・|一\r\n", "手合割"},
    };
    for (const auto& s : starts) {
        SCOPED_TRACE(s.what);
        GameRecord record;
        ASSERT_TRUE(record.SetStartPosition(s.start));
        record.SetBlackPlayer("甲");
        record.SetWhitePlayer("乙");
        const std::string written = ExpectRoundTrip(record, KifuFile);
        EXPECT_NE(written.find(s.expected), std::string::npos) << written;
        EXPECT_EQ(written.find(s.absent), std::string::npos) << written;
        ExpectRoundTrip(record, Ki2uFile);
    }
}

// A record that code page 932 cannot hold is refused before anything is written, naming the
// field or the move; the UTF-8 file types take it.
TEST(KifWriter, RefusesWhatTheFileCannotHold) {
    const struct {
        const char* what;
        void (*change)(GameRecord&);
        const char* refusal;
    } cases[] = {
        {"a comment on a move",
         [](GameRecord& r) {
             PlayLine(r, "7g7f");
             r.SetCurrentComment("☗の一手");
         },
         "The comment of move 1 ▲７六歩 holds ☗, which Shift_JIS cannot hold; save as .kifu "
         "to keep it"},
        {"a header line",
         [](GameRecord& r) {
             r.AddHeaderLine({"event", "𠮷野杯"});
         },
         "The header line 棋戦 holds 𠮷, which Shift_JIS cannot hold; save as .kifu to keep it"},
        {"a player's name", [](GameRecord& r) { r.SetWhitePlayer("Zoé"); },
         "White's name holds é, which Shift_JIS cannot hold; save as .kifu to keep it"},
        {"the start's bookmark", [](GameRecord& r) { r.SetCurrentBookmark("♔"); },
         "The bookmark before the first move holds ♔, which Shift_JIS cannot hold; save as .kifu "
         "to keep it"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        GameRecord record;
        c.change(record);
        EXPECT_EQ(Refusal(record, KifFile), c.refusal);
        EXPECT_NE(Refusal(record, Ki2File).find("save as .ki2u"), std::string::npos);
        EXPECT_EQ(Refusal(record, KifuFile), "");
    }

    // Texts no KIF file can hold, whatever its character set.
    GameRecord record;
    record.AddHeaderLine({"棋戦", "一行目\r\n二行目"});
    EXPECT_EQ(Refusal(record, KifuFile),
              "The header line 棋戦 holds a line break, which a header line cannot hold");
    record.SetHeaderLines({{"先手", "影武者"}});
    EXPECT_EQ(Refusal(record, KifuFile),
              "The header line 先手 would not read back as the same header line");
    record.SetHeaderLines({{"a:b", "c"}});
    EXPECT_NE(Refusal(record, Ki2uFile), "");
}

// 100,000 variations, each opened inside the one before, read and written without a call level
// per variation.
TEST(KifWriter, DeeplyNestedVariationsRoundTrip) {
    GameRecord record;
    BuildDeepVariations(record, 100'000);
    ExpectRoundTrip(record, KifuFile);
    ExpectRoundTrip(record, Ki2uFile);
}

// Random trees from legal play, with variations inside variations and comments, come back the
// same from both formats and both character sets.
TEST(KifWriter, RandomTreesRoundTrip) {
    for (std::uint32_t seed = 1; seed <= 4; ++seed) {
        GameRecord record;
        BuildBushyTree(record, 2000, seed);
        record.GoToTop();
        SCOPED_TRACE(seed);
        for (const FileType& type : {KifuFile, KifFile, Ki2uFile, Ki2File})
            ExpectRoundTrip(record, type);
    }
}

// Cases the fuzzer found: 手合割 lines besides the one that sets the start, and a result
// before any move.
TEST(KifWriter, ExtraHandicapLinesAndAnEarlyResultRoundTrip) {
    const auto handicap = ReadGood(CrLf({"手合割：その他", "手合割：二枚落ち", "手合割：二枚落ち",
                                         "1 ６二銀(71)", "手合割：平手"}),
                                   KifuFile);
    EXPECT_EQ(handicap->StartPosition(), HandicapPosition(Handicap::TwoPieces));
    const std::vector<HeaderLine> kept = {{"handicap", "その他"}, {"handicap", "平手"}};
    EXPECT_EQ(handicap->HeaderLines(), kept);

    GameRecord resigned;
    resigned.AddResult(GameResult::Resign);
    for (const GameRecord* record : {handicap.get(), &resigned}) {
        ExpectRoundTrip(*record, KifuFile);
        ExpectRoundTrip(*record, Ki2uFile);
    }
}

TEST(Ki2, ReadsMovesAsOtherProgramsWriteThem) {
    const struct {
        const char* what;
        std::string text;
        const char* mainLine;
    } cases[] = {
        {"moves without blanks between them", "▲７六歩△３四歩▲２二角成△同銀\r\n",
         "7g7f 3c3d 8h2b+ 3a2b"},
        {"marks of every shape", "☗７六歩 ☖３四歩\r\n▼２六歩　▽８四歩\r\n", "7g7f 3c3d 2g2f 8c8d"},
        {"a result as a move", "▲７六歩    △投了\r\n", "7g7f resign"},
        {"a numbered column line and + marks", "手数----指手--\r\n▲７六歩 +\r\n", "7g7f"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(MainLine(*ReadGood(c.text, Ki2uFile)), c.mainLine);
    }

    const auto commented =
        ReadGood("▲７六歩    △３四歩\r\n*角道を開け合う。\r\n&序盤\r\n▲２六歩\r\n", Ki2uFile);
    EXPECT_EQ(NodeAt(*commented, "0.0")->Comment(), "角道を開け合う。");
    EXPECT_EQ(NodeAt(*commented, "0.0")->Bookmark(), "序盤");

    const struct {
        std::string text;
        const char* stop;
    } errors[] = {
        {"▲７六歩    ▲３四歩\r\n", "1:9: ▲ move but White is to move"},
        {"▲７六歩 ３四歩\r\n", "1:6: a move must begin with ▲ or △"},
        {"▲７六歩\r\n△５五飛\r\n", "2:1: no piece can move to ５五"},
        {"▲同　歩\r\n", "1:1: 同 at the first move"},
    };
    for (const auto& e : errors)
        EXPECT_EQ(StopText(Read(e.text, Ki2uFile)), e.stop) << e.text;
}
