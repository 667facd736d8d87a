#include <gtest/gtest.h>

#include "format/esn/esnwriter.h"
#include "format/esn/notation.h"
#include "format/recordcompare.h"
#include "format/recordtesting.h"

// Nothing at all gives an empty file; variations of variations nest their braces; a comment
// keeps its line ends inside one bracket pair.
TEST(Writer, WritesHeaderCommentsAndNestedVariationsLineByLine) {
    GameRecord record;
    EXPECT_EQ(WriteESN(record), "");
    record.SetTitle("Club final");
    record.SetBlackPlayer("Player A");
    record.SetWhitePlayer("Player B");
    record.SetCurrentComment("Quiet start");
    ASSERT_TRUE(PlayLine(record, "7g7f 3c3d"));
    record.SetCurrentComment("The usual reply");
    ASSERT_TRUE(PlayLine(record, "2g2f 4c4d"));
    record.GoBack();
    record.GoBack();
    record.GoBack();
    ASSERT_TRUE(PlayLine(record, "8c8d 2g2f"));
    record.SetCurrentComment("inner\r\nline");
    record.GoBack();
    ASSERT_TRUE(PlayLine(record, "6g6f"));
    const MoveNode* current = &record.Current();
    const Position position = record.GetPosition();

    EXPECT_EQ(WriteESN(record),
              "[TITLE Club final]\r\n[BLACK Player A]\r\n[WHITE Player B]\r\n[Quiet start]\r\n"
              "1. P-7f\r\n2. P-3d\r\n[The usual reply]\r\n"
              "{\r\n2. P-8d\r\n3. P-2f\r\n[inner\r\nline]\r\n"
              "{\r\n3. P-6f\r\n}\r\n}\r\n"
              "3. P-2f\r\n4. P-4d\r\n");
    // Writing starts from the root whatever is current, and moves nothing.
    EXPECT_EQ(&record.Current(), current);
    EXPECT_EQ(record.GetPosition(), position);
}

// Short texts name the first piece of the code in rank-major order that can get there, so
// where that is another piece the label and the file carry the origin.
TEST(Writer, AmbiguousShortMovesAreWrittenAndLabelledWithTheirOrigin) {
    GameRecord record;
    // Promoted pawns on 1c and 2c can both step to 1b; only the one on 2c reaches 3b.
    ASSERT_TRUE(PlayLine(record,
                         "1g1f 8b7b 1f1e 7b8b 1e1d 8b7b 1d1c+ 7b8b 2g2f 8b7b 2f2e 7b8b 2e2d 8b7b "
                         "2d2c+ 7b8b"));
    for (const char* move : {"2c1b", "1c1b", "2c3b", "2c2b"})
        record.AddContinuation(MoveOn(record.GetPosition(), move));
    std::vector<std::string> labels{"stale"};
    GetContinuationList(record, labels);
    EXPECT_EQ(labels,
              (std::vector<std::string>{"17. +P2c-1b", "17. +P-1b", "17. +P-3b", "17. +P2cx2b"}));
    // Black's bishop captures White's king, which Black drops beside its own king.
    record.GoToTop();
    ASSERT_TRUE(PlayLine(record, "7g7f 3c3d 8h2b+ 9c9d 2b3a 9d9e 3a4a 9e9f 4a5a 1c1d K*5h 1d1e"));
    for (const char* move : {"5i4h", "5h4h", "7f7e", "6i7h"})
        record.AddContinuation(MoveOn(record.GetPosition(), move));
    GetContinuationList(record, labels);
    EXPECT_EQ(labels,
              (std::vector<std::string>{"13. K5i-4h", "13. K-4h", "13. P-7e", "13. G6i-7h"}));

    const std::string text = ExpectRoundTrip(record, EsnFile);
    EXPECT_NE(text.find("\r\n17. +P2c-1b\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\n13. K5i-4h\r\n"), std::string::npos) << text;
}

// Each text is put in one place of a record with a variation; the message must name it, and a
// record with no message must read back as itself while one with a message must not.
TEST(Writer, NamesTheFirstTextThatWouldNotReadBack) {
    enum Place { Title, BlackName, WhiteName, RootComment, VariationMove, MainLineMove };
    const std::string early = " holds ']', which would end its brackets early in a record file.";
    const struct {
        Place place;
        const char* text;
        std::string message;
    } cases[] = {
        {Title, "TITLE of the game", ""},  // only comments are read as header tags
        {Title, "a]", "The title" + early},
        {BlackName, "[Black] player", "Black's player" + early},
        {WhiteName, "x]", "White's player" + early},
        {RootComment, " TITLE and BLACK inside are fine", ""},
        {RootComment, "WHITE to play",
         "The comment before the first move begins with \"WHITE\" and would be read back as "
         "White's player."},
        {VariationMove, "a [note]", "The comment of move 2. P-8d" + early},
        {VariationMove, "BLACKEN",
         "The comment of move 2. P-8d begins with \"BLACK\" and would be read back as Black's "
         "player."},
        {MainLineMove, "TITLE later",
         "The comment of move 2. P-3d begins with \"TITLE\" and would be read back as the "
         "title."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        GameRecord record;
        if (c.place == Title) record.SetTitle(c.text);
        if (c.place == BlackName) record.SetBlackPlayer(c.text);
        if (c.place == WhiteName) record.SetWhitePlayer(c.text);
        if (c.place == RootComment) record.SetCurrentComment(c.text);
        ASSERT_TRUE(PlayLine(record, "7g7f 3c3d"));
        if (c.place == MainLineMove) record.SetCurrentComment(c.text);
        record.GoBack();
        ASSERT_TRUE(PlayLine(record, "8c8d"));
        if (c.place == VariationMove) record.SetCurrentComment(c.text);

        // Saving refuses the record with that message; written anyway, it would not read back.
        EXPECT_EQ(Refusal(record, EsnFile), c.message);
        Reading back = Read(WriteESN(record));
        EXPECT_EQ(!back.error && SameRecord(record, *back.record), c.message.empty());
    }

    // In file order a variation's comment comes before the main line goes on.
    GameRecord record;
    ASSERT_TRUE(PlayLine(record, "7g7f 3c3d"));
    record.SetCurrentComment("TITLE later in the file");
    record.GoBack();
    record.GoBack();
    ASSERT_TRUE(PlayLine(record, "2g2f 8c8d"));
    record.SetCurrentComment("a [note]");
    EXPECT_EQ(Refusal(record, EsnFile), "The comment of move 2. P-8d" + early);
}
