#include <gtest/gtest.h>

#include <string>

#include "format/kif.h"
#include "format/kiftesting.h"
#include "format/loaderror.h"
#include "format/recordcompare.h"

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
