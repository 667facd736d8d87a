#include <gtest/gtest.h>

#include <charconv>
#include <regex>

#include "format/esn/esnwriter.h"
#include "format/recordtesting.h"

namespace {

// Rook moves that can be repeated for ever: ply k plays kShuffle[(k - 1) % 4].
const char* const kShuffle[] = {"R2h-3h", "R8b-7b", "R3h-2h", "R7b-8b"};

void AppendMoveLine(std::string& text, int ply) {
    char number[16];
    text.append(number, std::to_chars(number, number + sizeof number, ply).ptr);
    text += ". ";
    text += kShuffle[(ply - 1) % 4];
    text += "\r\n";
}

}  // namespace

// Random trees hold variations, comments with line ends and bytes above 127, header values,
// captures, promotions and drops; written and read back they must be the same tree.
TEST(RoundTrip, RandomRecordsReadBackAsTheSameTree) {
    // Moves written with an origin they would usually leave out: pawn and king moves.
    const std::regex longPawnOrKing(R"(\. \+?[PK][1-9][a-i])");
    int longForms = 0;
    for (unsigned seed = 1; seed <= 16; ++seed) {
        SCOPED_TRACE(seed);
        GameRecord record;
        FillRandomRecord(record, seed, 300);
        const std::string text = ExpectRoundTrip(record, EsnFile);
        longForms += static_cast<int>(
            std::distance(std::sregex_iterator(text.begin(), text.end(), longPawnOrKing),
                          std::sregex_iterator()));
    }
    // Random play promotes pawns and captures kings often enough to need the long form.
    EXPECT_GT(longForms, 0);
}

TEST(RoundTrip, LongLinesAndDeepNestingReadAndWriteWithoutDeepCalls) {
    constexpr int Plies = 1000000;
    std::string text;
    text.reserve(static_cast<std::size_t>(Plies) * 16);
    for (int ply = 1; ply <= Plies; ++ply)
        AppendMoveLine(text, ply);
    auto read = ReadGood(text);
    EXPECT_EQ(CountMoves(read->Root()), Plies);
    EXPECT_TRUE(WriteESN(*read) == text);  // no diff of megabytes on a failure
    EXPECT_EQ(FindUnwritableText(*read), "");

    // Each variation repeats the move it replaces and adds the next one, then opens the next.
    constexpr int Levels = 100000;
    text.clear();
    AppendMoveLine(text, 1);
    for (int level = 1; level <= Levels; ++level) {
        text += "{\r\n";
        AppendMoveLine(text, level);
        AppendMoveLine(text, level + 1);
    }
    // Closing the innermost variation returns to the move before its '{', where the next move
    // continues; the variations around it are left open and close silently at the end.
    text += "}\r\n";
    AppendMoveLine(text, Levels + 1);
    read = ReadGood(text);
    EXPECT_EQ(CountMoves(read->Root()), 2 * Levels + 2);
    for (int level = 1; level < Levels; ++level)
        text += "}\r\n";
    EXPECT_TRUE(WriteESN(*read) == text);
}

TEST(RoundTrip, ManyVariationsOfOneMoveReadInLinearTime) {
    // Every '{' takes back the move before it, so all these moves branch from the root; a
    // comment goes to the move just read, the last of them, and closing every variation
    // returns, one level at a time, to the first move.
    constexpr int Variations = 100000;
    std::string text = "1. P-7f\r\n";
    std::string written = text;
    for (int i = 1; i < Variations; ++i) {
        text += "{\r\n1. P-7f\r\n";
        written += "{\r\n1. P-7f\r\n}\r\n";
    }
    text += "[last]\r\n";
    written.insert(written.size() - 3, "[last]\r\n");
    for (int i = 1; i < Variations; ++i)
        text += "}\r\n";
    text += "2. P-3d\r\n";
    written += "2. P-3d\r\n";
    auto read = ReadGood(text);
    EXPECT_EQ(read->Root().ChildCount(), Variations);
    EXPECT_TRUE(WriteESN(*read) == written);
}
