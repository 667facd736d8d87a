#include <gtest/gtest.h>

#include <charconv>
#include <random>
#include <regex>

#include "esn/notation.h"
#include "esn/recordcompare.h"
#include "esn/writer.h"
#include "esntestsupport.h"

namespace {

// Writes the record, reads the text back and checks both the tree and a second writing.
void ExpectReadsBackTheSame(const GameRecord& record) {
    const std::string text = WriteText(record);
    ReadOutcome back = ReadText(text);
    ASSERT_FALSE(back.error) << back.error->message << " at " << back.error->line << ":"
                             << back.error->column;
    std::string why;
    EXPECT_TRUE(SameRecord(record, *back.record, &why)) << why;
    EXPECT_EQ(WriteText(*back.record), text);
}

// Rook moves that can be repeated for ever: ply k plays kShuffle[(k - 1) % 4].
const char* const kShuffle[] = {"R2h-3h", "R8b-7b", "R3h-2h", "R7b-8b"};

void AppendMoveLine(std::string& text, int ply) {
    char number[16];
    text.append(number, std::to_chars(number, number + sizeof number, ply).ptr);
    text += ". ";
    text += kShuffle[(ply - 1) % 4];
    text += "\r\n";
}

int DeepestPly(const GameRecord& record) {
    int deepest = 0;
    std::vector<const MoveNode*> pending{&record.Root()};
    while (!pending.empty()) {
        const MoveNode* node = pending.back();
        pending.pop_back();
        deepest = std::max(deepest, node->number);
        for (const ContinuationCell* cell = node->firstChild.get(); cell; cell = cell->next.get())
            pending.push_back(cell->node.get());
    }
    return deepest;
}

// Walks a few random continuations down from the root.
void GoSomewhere(GameRecord& record, std::mt19937& random) {
    record.GoToTop();
    while (random() % 4 != 0 && record.GoForward(static_cast<int>(random() % 3))) {
    }
}

}  // namespace

TEST(RoundTrip, RandomRecordsReadBackAsTheSameTree) {
    // Moves written with an origin they would usually leave out: pawn and king moves.
    const std::regex longPawnOrKing(R"(\. \+?[PK][1-9][a-i])");
    int longForms = 0;
    for (unsigned seed = 1; seed <= 16; ++seed) {
        SCOPED_TRACE(seed);
        GameRecord record;
        FillRandomRecord(record, seed, 300);
        ASSERT_EQ(FindUnwritableText(record), "");
        ExpectReadsBackTheSame(record);
        const std::string text = WriteText(record);
        longForms += static_cast<int>(
            std::distance(std::sregex_iterator(text.begin(), text.end(), longPawnOrKing),
                          std::sregex_iterator()));
    }
    // Random play promotes pawns and captures kings often enough to need the long form.
    EXPECT_GT(longForms, 0);
}

TEST(RoundTrip, UnwritableTextsAreExactlyTheOnesThatDoNotReadBack) {
    const char* const bad[] = {"TITLE x", "BLACKEN", "WHITE", "a]b", "]", "[x]"};
    for (unsigned seed = 100; seed < 130; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 random(seed);
        GameRecord record;
        FillRandomRecord(record, seed, 40);
        const std::string text = bad[random() % std::size(bad)];
        switch (random() % 4) {
            case 0:
                record.title = text;
                break;
            case 1:
                record.black = text;
                break;
            case 2:
                record.white = text;
                break;
            default:
                GoSomewhere(record, random);
                record.SetCurrentComment(text);
        }
        const bool header = record.title == text || record.black == text || record.white == text;
        const bool expectWritable = header && text.find(']') == std::string::npos;
        const std::string problem = FindUnwritableText(record);
        EXPECT_EQ(problem.empty(), expectWritable) << problem;

        ReadOutcome back = ReadText(WriteText(record));
        const bool same = !back.error && SameRecord(record, *back.record);
        EXPECT_EQ(same, problem.empty()) << problem;
    }
}

TEST(RoundTrip, AmbiguousShortMovesAreWrittenWithTheirOrigin) {
    GameRecord record;
    // Promoted pawns on 1c and 2c can both step to 1b.
    ASSERT_TRUE(PlayLine(record,
                         "1g1f 8b7b 1f1e 7b8b 1e1d 8b7b 1d1c+ 7b8b 2g2f 8b7b 2f2e 7b8b 2e2d 8b7b "
                         "2d2c+ 7b8b"));
    ASSERT_TRUE(PlayNew(record, "2c1b"));
    record.GoBack();
    ASSERT_TRUE(PlayNew(record, "1c1b"));
    // Black's bishop captures White's king, which Black drops beside its own king.
    record.GoToTop();
    ASSERT_TRUE(PlayLine(record, "7g7f 3c3d 8h2b+ 9c9d 2b3a 9d9e 3a4a 9e9f 4a5a 1c1d K*5h 1d1e"));
    ASSERT_TRUE(PlayNew(record, "5i4h"));
    record.GoBack();
    ASSERT_TRUE(PlayNew(record, "5h4h"));

    const std::string text = WriteText(record);
    EXPECT_NE(text.find("\r\n17. +P2c-1b\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\n17. +P-1b\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\n13. K5i-4h\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\n13. K-4h\r\n"), std::string::npos) << text;
    ExpectReadsBackTheSame(record);

    // A file in the short form still reads as the first promoted pawn in rank-major order.
    std::string shortForm = text;
    shortForm.replace(shortForm.find("+P2c-1b"), 7, "+P-1b");
    ReadOutcome back = ReadText(shortForm);
    ASSERT_FALSE(back.error);
    EXPECT_FALSE(SameRecord(record, *back.record));
}

TEST(RoundTrip, AMillionMoveLineReadsAndWritesWithoutDeepCalls) {
    constexpr int Plies = 1000000;
    std::string text;
    text.reserve(static_cast<std::size_t>(Plies) * 16);
    for (int ply = 1; ply <= Plies; ++ply)
        AppendMoveLine(text, ply);

    ReadOutcome read = ReadText(text);
    ASSERT_FALSE(read.error) << read.error->message;
    EXPECT_EQ(CountMoves(*read.record), Plies);
    EXPECT_EQ(DeepestPly(*read.record), Plies);
    EXPECT_EQ(WriteText(*read.record), text);
    EXPECT_EQ(FindUnwritableText(*read.record), "");
}

TEST(RoundTrip, HundredThousandNestedVariationsReadAndWriteWithoutDeepCalls) {
    // Each variation repeats the move it replaces and adds the next one, then opens the next.
    constexpr int Levels = 100000;
    std::string text;
    text.reserve(static_cast<std::size_t>(Levels) * 40);
    AppendMoveLine(text, 1);
    for (int level = 1; level <= Levels; ++level) {
        text += "{\r\n";
        AppendMoveLine(text, level);
        AppendMoveLine(text, level + 1);
    }
    for (int level = 1; level <= Levels; ++level)
        text += "}\r\n";

    ReadOutcome read = ReadText(text);
    ASSERT_FALSE(read.error) << read.error->message;
    EXPECT_EQ(CountMoves(*read.record), 2 * Levels + 1);
    EXPECT_EQ(DeepestPly(*read.record), Levels + 1);
    EXPECT_EQ(WriteText(*read.record), text);

    // Closing the innermost variation returns to the move before its '{', where the next move
    // continues; the variations around it are left open at the end and close silently.
    const std::string oneClosed = text.substr(0, text.size() - 3 * (Levels - 1));
    std::string input = oneClosed;
    AppendMoveLine(input, Levels + 1);
    std::string expected = input;
    for (int level = 1; level < Levels; ++level)
        expected += "}\r\n";
    read = ReadText(input);
    ASSERT_FALSE(read.error) << read.error->message;
    EXPECT_EQ(CountMoves(*read.record), 2 * Levels + 2);
    EXPECT_EQ(WriteText(*read.record), expected);
}

TEST(RoundTrip, ManyVariationsOfOneMoveReadInLinearTime) {
    // Every '{' takes back the move before it, so all these moves branch from the root.
    constexpr int Variations = 100000;
    std::string text = "1. P-7f\r\n";
    text.reserve(static_cast<std::size_t>(Variations) * 12);
    for (int i = 1; i < Variations; ++i)
        text += "{\r\n1. P-7f\r\n";
    ReadOutcome read = ReadText(text);
    ASSERT_FALSE(read.error) << read.error->message;
    EXPECT_EQ(read.record->Root().childCount, Variations);
    EXPECT_EQ(CountMoves(*read.record), Variations);

    // Closing them all returns, one level at a time, to the first move.
    for (int i = 1; i < Variations; ++i)
        text += "}\r\n";
    text += "2. P-3d\r\n";
    read = ReadText(text);
    ASSERT_FALSE(read.error) << read.error->message;
    EXPECT_EQ(ContinuationTexts(*read.record->Root().Continuation(0)), "P-3d");
    EXPECT_EQ(CountMoves(*read.record), Variations + 1);
}
