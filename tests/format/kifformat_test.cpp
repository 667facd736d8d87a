#include <gtest/gtest.h>

#include <string>

#include "format/recordio.h"
#include "format/recordtesting.h"
#include "format/textencoding.h"

namespace {

constexpr FileType Kif = KifFile;
constexpr FileType Kifu = KifuFile;
constexpr FileType Ki2 = Ki2File;
constexpr FileType Ki2u = Ki2uFile;

}  // namespace

TEST(KifFormat, FileTypesByNameExtensionAndContents) {
    for (const auto& [name, type] :
         {std::pair{"kif", Kif}, {"KIFU", Kifu}, {"ki2", Ki2}, {"Ki2u", Ki2u}}) {
        EXPECT_EQ(FileTypeForName(name), type) << name;
        EXPECT_EQ(FileTypeForPath(std::string("/a/game.") + name), type) << name;
        EXPECT_EQ(DefaultExtension(type), FileTypeName(type));
    }
    const std::string kif = "先手：甲\r\n   1 ７六歩(77)\r\n";
    const std::string ki2 = "先手：甲\r\n▲７六歩    △３四歩\r\n";
    const auto cp932 = [](const std::string& text) {
        return EncodeFromUtf8(text, TextEncoding::Cp932).bytes;
    };
    // By contents alone a format is read as its UTF-8 type; reading finds the character set.
    const struct {
        const char* path;
        std::string bytes;
        FileType type;
    } files[] = {
        {"game.kif", cp932(kif), Kif},
        {"game.kifu", kif, Kifu},
        {"game.kif", cp932(ki2), Ki2u},  // the contents plainly hold KI2
        {"game.ki2u", kif, Kifu},        // and KIF
        {"game.esn", cp932(kif), Kifu},  // whatever the extension says
        {"game.txt", ki2, Ki2u},
        {"game", "後手：乙\r\n手合割：平手\r\n", Kifu},  // a header alone is KIF's
        {"game.kif", "1. P-7f\r\n", FileType{}},         // an ESN move
        {"notes.txt", "先手のメモ\r\n", FileType{}},
    };
    for (const auto& f : files) {
        SCOPED_TRACE(f.path);
        EXPECT_EQ(DetectFileType(f.path, f.bytes), f.type);
    }
}

TEST(KifFormat, ReadsAndWritesThroughTheSeam) {
    GameRecord record;
    ReadOutcome outcome = ReadRecord(record, DataFile("kif/game.kifu"), Kif);
    EXPECT_FALSE(outcome.error);
    EXPECT_EQ(outcome.type, Kifu);  // the bytes turned out to be UTF-8
    std::string bytes, refusal;
    ASSERT_TRUE(WriteRecord(record, Kifu, bytes, refusal)) << refusal;
    EXPECT_EQ(bytes, DataFile("kif/game.kifu"));
    ASSERT_TRUE(WriteRecord(record, Ki2u, bytes, refusal)) << refusal;
    EXPECT_EQ(bytes, DataFile("kif/game.ki2u"));

    // After an error the record keeps what was read, and the type says the bytes' encoding.
    outcome = ReadRecord(
        record, EncodeFromUtf8("1 ７六歩(77)\r\n2 ５五金\r\n", TextEncoding::Cp932).bytes, Kifu);
    ASSERT_TRUE(outcome.error);
    EXPECT_EQ(outcome.error->message, "no piece can move to ５五");
    EXPECT_EQ(outcome.type, Kif);
    EXPECT_EQ(MainLine(record), "7g7f");

    record.Reset();
    PlayLine(record, "7g7f");
    record.SetCurrentComment("☗");
    EXPECT_FALSE(WriteRecord(record, Ki2, bytes, refusal));
    EXPECT_EQ(
        refusal,
        "The comment of move 1 ▲７六歩 holds ☗, which Shift_JIS cannot hold; save as .ki2u to "
        "keep it");
    EXPECT_TRUE(bytes.empty());
}

TEST(KifFormat, LosesOnlyTheTimesItHasNoPlaceFor) {
    GameRecord record;
    record.headerLines.push_back({"event", "大会"});
    PlayLine(record, "7g7f");
    record.SetCurrentTime(4500);  // a fraction KIF cannot write
    record.SetCurrentComment("一手目");
    record.SetCurrentBookmark("序盤");
    PlayLine(record, "3c3d");
    record.SetCurrentTime(3000);
    record.AddResult(GameResult::Draw);
    record.GoBack();
    record.GoBack();
    PlayLine(record, "8c8d");

    const RecordLosses kif = WriteLosses(record, Kif);
    EXPECT_EQ(ListLosses(kif), "1 move time");
    const RecordLosses ki2 = WriteLosses(record, Ki2u);
    EXPECT_EQ(ListLosses(ki2), "2 move times");
}
