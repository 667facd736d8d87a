#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "esn/writer.h"
#include "esntestsupport.h"

namespace {

std::string FileText(const std::string& name) {
    std::ifstream in(std::string(MARLOCK_TEST_DATA_DIR) + "/esn/" + name, std::ios::binary);
    EXPECT_TRUE(in) << name;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A stream buffer that takes only the first `room` bytes, like a disk that fills up.
class FullDisk : public std::streambuf {
  public:
    explicit FullDisk(std::size_t room) : room_(room) {}
    std::string taken;

  protected:
    int_type overflow(int_type c) override {
        if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
        if (taken.size() >= room_) return traits_type::eof();
        taken.push_back(traits_type::to_char_type(c));
        return c;
    }

  private:
    std::size_t room_;
};

}  // namespace

TEST(Writer, WritesHeaderCommentsAndVariationsLineByLine) {
    GameRecord record;
    record.title = "Club final";
    record.black = "Player A";
    record.white = "Player B";
    record.SetCurrentComment("Quiet start");
    ASSERT_TRUE(PlayLine(record, "7g7f 3c3d"));
    record.SetCurrentComment("The usual reply");
    ASSERT_TRUE(PlayLine(record, "2g2f 4c4d"));
    record.GoBack();
    record.GoBack();
    record.GoBack();
    ASSERT_TRUE(PlayLine(record, "8c8d 2g2f"));
    const MoveNode* current = &record.Current();
    const Position position = record.GetPosition();

    EXPECT_EQ(WriteText(record),
              "[TITLE Club final]\r\n"
              "[BLACK Player A]\r\n"
              "[WHITE Player B]\r\n"
              "[Quiet start]\r\n"
              "1. P-7f\r\n"
              "2. P-3d\r\n"
              "[The usual reply]\r\n"
              "{\r\n"
              "2. P-8d\r\n"
              "3. P-2f\r\n"
              "}\r\n"
              "3. P-2f\r\n"
              "4. P-4d\r\n");
    // Writing starts from the root whatever is current, and moves nothing.
    EXPECT_EQ(&record.Current(), current);
    EXPECT_EQ(record.GetPosition(), position);
}

TEST(Writer, WritesEmptyAndSmallRecordsExactly) {
    GameRecord record;
    EXPECT_EQ(WriteText(record), "");
    record.title = "Only a title";
    EXPECT_EQ(WriteText(record), "[TITLE Only a title]\r\n");
    record.title.clear();
    record.white = "W";
    EXPECT_EQ(WriteText(record), "[WHITE W]\r\n");

    record.Reset();
    for (const char* first : {"7g7f", "2g2f", "5g5f"}) {
        ASSERT_TRUE(PlayNew(record, first));
        record.GoBack();
    }
    EXPECT_EQ(WriteText(record), "1. P-7f\r\n{\r\n1. P-2f\r\n}\r\n{\r\n1. P-5f\r\n}\r\n");

    // A comment keeps its line ends, so it spreads over two lines inside one bracket pair.
    record.Reset();
    ASSERT_TRUE(PlayNew(record, "7g7f"));
    record.SetCurrentComment("first line\r\nsecond line");
    EXPECT_EQ(WriteText(record), "1. P-7f\r\n[first line\r\nsecond line]\r\n");
}

TEST(Writer, NestsVariationsAfterTheMoveTheyReplace) {
    GameRecord record;
    ASSERT_TRUE(PlayLine(record, "7g7f 3c3d 2g2f 8c8d"));
    record.GoBack();
    record.GoBack();
    record.GoBack();
    ASSERT_TRUE(PlayLine(record, "8c8d 2g2f 8d8e"));
    record.SetCurrentComment("inner line");
    record.GoBack();
    record.GoBack();
    ASSERT_TRUE(PlayLine(record, "6g6f 8d8e"));
    record.GoBack();
    record.GoBack();
    ASSERT_TRUE(PlayLine(record, "5g5f"));

    EXPECT_EQ(WriteText(record),
              "1. P-7f\r\n"
              "2. P-3d\r\n"
              "{\r\n"
              "2. P-8d\r\n"
              "3. P-2f\r\n"
              "{\r\n"
              "3. P-6f\r\n"
              "4. P-8e\r\n"
              "}\r\n"
              "{\r\n"
              "3. P-5f\r\n"
              "}\r\n"
              "4. P-8e\r\n"
              "[inner line]\r\n"
              "}\r\n"
              "3. P-2f\r\n"
              "4. P-8d\r\n");
}

TEST(Writer, WritesALooseFileInTheLayoutItReadsBackFrom) {
    // The input uses lower case, apostrophe drops, short and long forms, stray numbers,
    // header tags in odd places and a variation left open at the end.
    ReadOutcome loose = ReadText(FileText("loose.esn"));
    ASSERT_FALSE(loose.error) << loose.error->message << " at " << loose.error->line << ":"
                              << loose.error->column;
    const std::string expected = FileText("loose-written.esn");
    EXPECT_EQ(WriteText(*loose.record), expected);
    ReadOutcome again = ReadText(expected);
    ASSERT_FALSE(again.error);
    EXPECT_EQ(WriteText(*again.record), expected);
}

TEST(Writer, AFailedWriteLeavesTheStreamBad) {
    GameRecord record;
    record.title = std::string(200000, 't');
    ASSERT_TRUE(PlayLine(record, "7g7f 3c3d"));
    FullDisk disk(1000);
    std::ostream out(&disk);
    WriteESN(record, out);
    EXPECT_TRUE(out.bad());
    EXPECT_EQ(disk.taken.size(), 1000u);

    FullDisk roomy(1 << 20);
    std::ostream fine(&roomy);
    WriteESN(record, fine);
    EXPECT_TRUE(fine.good());
    EXPECT_EQ(roomy.taken, WriteText(record));
}

TEST(Writer, NamesTheFirstTextThatWouldNotReadBack) {
    const std::string endsEarly =
        " holds ']', which would end its brackets early in a record file.";
    GameRecord record;
    EXPECT_EQ(FindUnwritableText(record), "");
    // A header value may begin with a keyword: only comments are read as header tags.
    record.title = "TITLE of the game";
    record.black = "[Black] player";
    EXPECT_EQ(FindUnwritableText(record), "Black's player" + endsEarly);
    record.black = "BLACK";
    record.white = "x]";
    EXPECT_EQ(FindUnwritableText(record), "White's player" + endsEarly);
    record.white.clear();
    record.title = "a]";
    EXPECT_EQ(FindUnwritableText(record), "The title" + endsEarly);
    record.title.clear();
    record.SetCurrentComment("WHITE to play");
    EXPECT_EQ(FindUnwritableText(record),
              "The comment before the first move begins with \"WHITE\" and would be read back as "
              "White's player.");
    record.SetCurrentComment(" TITLE and BLACK inside are fine");
    EXPECT_EQ(FindUnwritableText(record), "");

    // In file order a variation's comment comes before the main line goes on.
    ASSERT_TRUE(PlayLine(record, "7g7f 3c3d"));
    record.SetCurrentComment("TITLE later in the file");
    record.GoBack();
    record.GoBack();
    ASSERT_TRUE(PlayLine(record, "2g2f 8c8d"));
    record.SetCurrentComment("a [note] in the variation");
    EXPECT_EQ(FindUnwritableText(record), "The comment of move 2. P-8d" + endsEarly);
    record.SetCurrentComment("BLACK");
    EXPECT_EQ(FindUnwritableText(record),
              "The comment of move 2. P-8d begins with \"BLACK\" and would be read back as "
              "Black's player.");
    record.SetCurrentComment("");
    EXPECT_EQ(FindUnwritableText(record),
              "The comment of move 2. P-3d begins with \"TITLE\" and would be read back as the "
              "title.");
}
