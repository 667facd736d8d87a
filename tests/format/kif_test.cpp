#include <gtest/gtest.h>

#include <string>

#include "format/ki2.h"
#include "format/kif.h"
#include "format/kiftesting.h"
#include "format/loaderror.h"
#include "format/recordcompare.h"
#include "model/handicap.h"

namespace {

const std::string ShortGame =
    "#KIF version=2.0 encoding=UTF-8\r\n"
    "開始日時：2025/03/08(土) 13:30\r\n"
    "棋戦：町内将棋大会 二回戦\r\n"
    "場所：公民館\r\n"
    "持ち時間：各15分\r\n"
    "秒読み：30秒\r\n"
    "手合割：平手\r\n"
    "先手：青木\r\n"
    "後手：白石\r\n"
    "手数----指手---------消費時間--\r\n"
    "*序盤は定跡どおり。\r\n"
    "   1 ２六歩(27)   ( 0:05/00:00:05)\r\n"
    "   2 ８四歩(83)   ( 0:03/00:00:03)+\r\n"
    "*後手は居飛車。\r\n"
    "   3 ２五歩(26)   ( 0:04/00:00:09)\r\n"
    "   4 ８五歩(84)   ( 0:02/00:00:05)\r\n"
    "   5 投了         ( 0:10/00:00:19)\r\n"
    "まで4手で後手の勝ち\r\n"
    "\r\n"
    "変化：2手\r\n"
    "   2 ３四歩(33)   ( 0:06/00:00:06)\r\n"
    "   3 ７六歩(77)   ( 0:01/00:00:06)\r\n";

}  // namespace

TEST(Kif, ReadsAGame) {
    GameRecord record;
    EXPECT_EQ(ReadKif(record, ShortGame), TextEncoding::Utf8);
    EXPECT_EQ(record.black, "青木");
    EXPECT_EQ(record.white, "白石");
    const std::vector<HeaderLine> header = {{"start-time", "2025/03/08(土) 13:30"},
                                            {"event", "町内将棋大会 二回戦"},
                                            {"site", "公民館"},
                                            {"time-limit", "各15分"},
                                            {"byoyomi", "30秒"}};
    EXPECT_EQ(record.headerLines, header);
    EXPECT_EQ(MainLine(record), "2g2f 8c8d 2f2e 8d8e resign");
    EXPECT_EQ(LineFrom(*NodeAt(record, "0")), "8c8d 2f2e 8d8e resign");
    EXPECT_EQ(NodeText(*NodeAt(record, "0.1")), "3c3d");
    EXPECT_EQ(NodeText(*NodeAt(record, "0.1.0")), "7g7f");
    EXPECT_EQ(record.Root().Comment(), "序盤は定跡どおり。");
    EXPECT_EQ(NodeAt(record, "0.0")->Comment(), "後手は居飛車。");
    EXPECT_EQ(NodeAt(record, "0.0.0.0.0")->TimeMs(), 10000);
    EXPECT_EQ(NodeAt(record, "0.1.0")->TimeMs(), 1000);

    std::string bytes, refusal;
    ASSERT_TRUE(WriteKif(record, TextEncoding::Utf8, bytes, refusal)) << refusal;
    EXPECT_EQ(bytes, ShortGame);
}

namespace {

using Reader = TextEncoding (*)(GameRecord&, std::string_view);
using Writer = bool (*)(const GameRecord&, TextEncoding, std::string&, std::string&);

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
    const struct {
        const char* file;
        Reader read;
        Writer write;
        TextEncoding encoding;
        const char* mainLine;
    } files[] = {
        {"game.kifu", ReadKif, WriteKif, TextEncoding::Utf8,
         "7g7f 3c3d 2g2f 4c4d 2f2e 2b3c 3i4h 8b3b 5i6h 5a6b 6h7h 6b7b 5g5f 7b8b 6i5h 7a7b "
         "resign"},
        {"game.kif", ReadKif, WriteKif, TextEncoding::Cp932,
         "7g7f 3c3d 2g2f 4c4d 2f2e 2b3c 3i4h 8b3b 5i6h 5a6b 6h7h 6b7b 5g5f 7b8b 6i5h 7a7b "
         "resign"},
        {"handicap.kif", ReadKif, WriteKif, TextEncoding::Cp932,
         "7a6b 7g7f 5c5d 2g2f 6b5c 2f2e 5a4b 2e2d 2c2d 2h2d resign"},
        {"problem.kif", ReadKif, WriteKif, TextEncoding::Cp932, "G*1b mate"},
        {"game.ki2u", ReadKi2, WriteKi2, TextEncoding::Utf8,
         "7g7f 3c3d 2g2f 4c4d 2f2e 2b3c 3i4h 8b3b 5i6h 5a6b 6h7h 6b7b 5g5f 7b8b 6i5h 7a7b "
         "resign"},
        {"marks.ki2", ReadKi2, WriteKi2, TextEncoding::Cp932,
         "4i5h 9a8a 6i6h 8a9a 5h4h 9a8a 6h5h 8a9a 5i6h 9a8a 7e6f 8a9a G*5g 9a8a"},
    };
    for (const auto& f : files) {
        SCOPED_TRACE(f.file);
        const std::string bytes = KifData(f.file);
        ASSERT_FALSE(bytes.empty());
        GameRecord record;
        try {
            EXPECT_EQ(f.read(record, bytes), f.encoding);
        } catch (const ESNLoadError& error) {
            FAIL() << error.line << ":" << error.column << ": " << error.message;
        }
        EXPECT_EQ(MainLine(record), f.mainLine);
        std::string written, refusal;
        ASSERT_TRUE(f.write(record, f.encoding, written, refusal)) << refusal;
        EXPECT_EQ(written, WithoutHashLines(bytes));
    }
}

namespace {

GameRecord& Read(GameRecord& record, const std::string& bytes, Reader read = ReadKif) {
    try {
        read(record, bytes);
    } catch (const ESNLoadError& error) {
        ADD_FAILURE() << error.line << ":" << error.column << ": " << error.message;
    }
    return record;
}

std::string Write(const GameRecord& record, Writer write = WriteKif,
                  TextEncoding encoding = TextEncoding::Utf8) {
    std::string bytes, refusal;
    EXPECT_TRUE(write(record, encoding, bytes, refusal)) << refusal;
    return bytes;
}

}  // namespace

TEST(KifFiles, ShiftJisUtf8AndKi2VersionsHoldTheSameTree) {
    GameRecord utf8, cp932, ki2, kifWithoutTimes;
    Read(utf8, KifData("game.kifu"));
    Read(cp932, KifData("game.kif"));
    std::string why;
    EXPECT_TRUE(SameRecord(utf8, cp932, &why)) << why;

    // KI2 has no times: the KIF record written as KI2 reads as the KI2 file does.
    Read(ki2, KifData("game.ki2u"), ReadKi2);
    Read(kifWithoutTimes, Write(utf8, WriteKi2), ReadKi2);
    EXPECT_TRUE(SameRecord(ki2, kifWithoutTimes, &why)) << why;
}

TEST(KifFiles, VariationsNestThreeDeepWithTheirNotes) {
    GameRecord record;
    Read(record, KifData("game.kifu"));
    // The main line branches at plies 2 and 8; the variation at 2 branches at 4, and that one
    // at 5.
    EXPECT_EQ(LineFrom(*NodeAt(record, "0.0.0.0.0.0.0")),
              "8b3b 5i6h 5a6b 6h7h 6b7b 5g5f 7b8b 6i5h 7a7b resign");
    EXPECT_EQ(NodeText(*NodeAt(record, "0.0.0.0.0.0.0.1")), "8b4b");
    EXPECT_EQ(NodeText(*NodeAt(record, "0.1")), "8c8d");
    EXPECT_EQ(NodeText(*NodeAt(record, "0.1.0.1")), "3c3d");
    EXPECT_EQ(NodeText(*NodeAt(record, "0.1.0.1.1")), "3i4h");
    EXPECT_EQ(LineFrom(*NodeAt(record, "0.1.0.1.1")), "2b8h+ 7i8h interrupt");
    EXPECT_EQ(record.Root().childCount + NodeAt(record, "0")->childCount, 3);

    EXPECT_EQ(record.Root().Comment(), "町内大会の決勝。\r\n持ち時間は各15分。");
    EXPECT_EQ(NodeAt(record, "0.0.0.0.0.0")->Comment(), "角を上がって振り飛車へ。");
    EXPECT_EQ(NodeAt(record, "0.0.0.0.0.0.0.0")->Bookmark(), "三間飛車");
    const MoveNode* result = NodeAt(record, "0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0");
    ASSERT_TRUE(result && result->IsResult());
    EXPECT_EQ(result->Comment(), "先手が時間を使いすぎた。");
    EXPECT_EQ(result->TimeMs(), 30000);
    EXPECT_EQ(result->parent->parent->Comment(), "*評価値 +120");
    EXPECT_EQ(record.title, "町内将棋大会 決勝");
    EXPECT_EQ(record.headerLines.size(), 8u);
}

TEST(KifFiles, HandicapAndProblemStarts) {
    GameRecord handicap, problem;
    Read(handicap, KifData("handicap.kif"));
    EXPECT_EQ(handicap.StartPosition(), HandicapPosition(Handicap::TwoPieces));
    EXPECT_EQ(handicap.StartPosition().sideToMove, White);
    EXPECT_EQ(handicap.black, "赤井");
    EXPECT_EQ(handicap.white, "黒田");

    Read(problem, KifData("problem.kif"));
    const Position& start = problem.StartPosition();
    EXPECT_EQ(start.Cell(Sq("1a")), White | King);
    EXPECT_EQ(start.Cell(Sq("1c")), Black | Pawn);
    EXPECT_EQ(start.HandCount(Black, Gold), 1);
    EXPECT_EQ(start.HandCount(White, Pawn), 17);
    EXPECT_EQ(start.HandCount(White, Gold), 3);
    EXPECT_EQ(start.sideToMove, Black);
    const std::vector<HeaderLine> header = {{"作品名", "頭金"}, {"作者", "練習用"}};
    EXPECT_EQ(problem.headerLines, header);
}
