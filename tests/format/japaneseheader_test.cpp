#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "format/kif/japaneseheader.h"
#include "model/handicap.h"

TEST(JapaneseHeader, LabelsGoToTheirPlaceInTheRecord) {
    GameRecord record;
    const struct {
        const char* label;
        const char* value;
    } lines[] = {
        {"表題", "名人戦"},         {"先手", "青木"},     {"後手", "白石"},
        {"下手", "赤井"},           {"棋戦", "町内大会"}, {"対局日", "2025/03/08"},
        {"開始日時", "2025/03/09"}, {"手合割", "その他"}, {"盤面反転", ""},
        {"作者", "匿名"},           {"備考", "二局目"},
    };
    for (const auto& line : lines)
        AddJapaneseHeader(record, line.label, line.value);

    EXPECT_EQ(record.Title(), "名人戦");
    EXPECT_EQ(record.BlackPlayer(), "赤井");  // 下手 replaced 先手
    EXPECT_EQ(record.WhitePlayer(), "白石");
    const std::vector<HeaderLine> expected = {
        {"event", "町内大会"},
        {"start-time", "2025/03/08"},
        {"start-time", "2025/03/09"},
        {"handicap", "その他"},
        {"盤面反転", ""},
        {"作者", "匿名"},
        {"note", "二局目"},
    };
    EXPECT_EQ(record.HeaderLines(), expected);
}

TEST(JapaneseHeader, WritesSharedKeysUnderTheirLabelsAndPlayersByTheStart) {
    GameRecord record;
    record.SetTitle("T\xE9");  // an ESN text in Windows-1252
    record.SetBlackPlayer("青木");
    record.SetWhitePlayer("白石");
    record.SetHeaderLines({{"start-time", "2025/03/08"}, {"作者", "匿名"}, {"handicap", "その他"}});

    const std::vector<JapaneseHeaderLine> header = {
        {"表題", "Té"}, {"開始日時", "2025/03/08"}, {"作者", "匿名"}, {"手合割", "その他"}};
    EXPECT_EQ(JapaneseHeaderLines(record), header);
    const std::vector<JapaneseHeaderLine> even = {{"先手", "青木"}, {"後手", "白石"}};
    EXPECT_EQ(JapanesePlayerLines(record), even);

    ASSERT_TRUE(record.SetStartPosition(HandicapPosition(Handicap::Bishop)));
    const std::vector<JapaneseHeaderLine> handicap = {{"下手", "青木"}, {"上手", "白石"}};
    EXPECT_EQ(JapanesePlayerLines(record), handicap);

    record.SetBlackPlayer("");
    EXPECT_EQ(JapanesePlayerLines(record).size(), 1u);
    EXPECT_TRUE(IsReservedJapaneseLabel("上手"));
    EXPECT_TRUE(IsReservedJapaneseLabel("対局日"));
    EXPECT_FALSE(IsReservedJapaneseLabel("作者"));
}
