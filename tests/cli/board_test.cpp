#include <gtest/gtest.h>

#include "cli/toolrunner.h"

namespace {

// The path down the main line to the given move.
std::string MainLine(int moves) {
    std::string path = "0";
    for (int i = 1; i < moves; ++i)
        path += ".0";
    return path;
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// Positions worked out by hand: counts before letters, promoted pieces on the board, both
// hands, and a captured king in hand, which goes last (19. +B4bx5a).
TEST(EsnBoard, FollowsThePathAndShowsHandsAndPromotedPieces) {
    const std::string small = CliData("small.esn");
    const std::string captures = CliData("captures.esn");
    const struct {
        std::vector<std::string> args;
        std::vector<std::string> lines;  // the last one is the SFEN
    } cases[] = {
        {{small, "--path", "0.0.0"},
         {"After 3. B8hx2b+\n", "| .  r  .  .  .  .  . +B  . | b\n",
          "Black's hand: B\nWhite to move\n",
          "SFEN lnsgkgsnl/1r5+B1/pppppp1pp/6p2/9/2P6/PP1PPPPPP/7R1/LNSGKGSNL w B 4"}},
        {{small, "--path="},
         {"Title: Tuesday ladder\nBlack: Ann\nWhite: Caro\nStart of the game\n"
          "Comment: Even game\nWhite's hand: none\n  9  8  7  6  5  4  3  2  1\n"
          "+---------------------------+\n| l  n  s  g  k  g  s  n  l | a\n",
          "| L  N  S  G  K  G  S  N  L | i\n+---------------------------+\n"
          "Black's hand: none\nBlack to move\n",
          "SFEN lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL b - 1"}},
        // Continuation 1 after the first move is the variation 2. P-8d, then 3. P-2f.
        {{small, "--path=0.1.0"},
         {"After 3. P-2f\n",
          "SFEN lnsgkgsnl/1r5b1/p1ppppppp/1p7/9/2P4P1/PP1PPPP1P/1B5R1/LNSGKGSNL w - 4"}},
        {{captures, "--path", MainLine(11)},
         {"| l  n +R  g  k  g  s  n  l | a\n", "Black's hand: S 2P\n",
          "SFEN ln+Rgkgsnl/1r5b1/pp1ppp1pp/9/6p2/9/PP1PPPPPP/1B7/LNSGKGSNL w S2P 12"}},
        {{captures, "--path", MainLine(19)},
         {"After 19. +B4bx5a\n", "Black's hand: B 2S 2P K\n",
          "SFEN lng1+Bg1nl/1r7/pp1ppp1p1/9/6p2/8p/PP1PPPPPP/9/LNSGKGSNL w B2S2PKr 20"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.back());
        std::vector<std::string> args{"board"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const ToolResult result = RunTool(args);
        EXPECT_EQ(result.status, 0);
        EXPECT_TRUE(result.out.ends_with(c.lines.back() + "\n")) << result.out;
        for (const std::string& line : c.lines)
            EXPECT_TRUE(Contains(result.out, line)) << line << " not in\n" << result.out;
    }
}

TEST(EsnBoard, RecordWithAnErrorShowsWhatWasRead) {
    const std::string illegal = CliData("illegal-third.esn");
    const ToolResult result = RunTool({"board", illegal, "--path", "0.0"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, illegal + ":4:4: Illegal move.\n");
    EXPECT_TRUE(Contains(result.out, "Title: Broken\n"));
    EXPECT_TRUE(result.out.ends_with(
        "SFEN lnsgkgsnl/1r5b1/pppppp1pp/6p2/9/2P6/PP1PPPPPP/1B5R1/LNSGKGSNL b - 3\n"));
}

}  // namespace
