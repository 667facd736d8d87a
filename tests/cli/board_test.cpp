#include <gtest/gtest.h>

#include "cli/toolrunner.h"

namespace {

std::string LastLine(std::string text) {
    if (!text.empty() && text.back() == '\n') text.pop_back();
    return text.substr(text.rfind('\n') + 1);
}

std::string Path(int moves) {
    std::string path;
    for (int i = 0; i < moves; ++i)
        path += i == 0 ? "0" : ".0";
    return path;
}

TEST(EsnBoard, ShowsTheStartWithoutAPath) {
    const ToolResult result = RunTool({"board", CliData("small.esn")});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out,
              "Title: Tuesday ladder\n"
              "Black: Ann\n"
              "White: Caro\n"
              "Start of the game\n"
              "Comment: Even game\n"
              "White's hand: none\n"
              "  9  8  7  6  5  4  3  2  1\n"
              "+---------------------------+\n"
              "| l  n  s  g  k  g  s  n  l | a\n"
              "| .  r  .  .  .  .  .  b  . | b\n"
              "| p  p  p  p  p  p  p  p  p | c\n"
              "| .  .  .  .  .  .  .  .  . | d\n"
              "| .  .  .  .  .  .  .  .  . | e\n"
              "| .  .  .  .  .  .  .  .  . | f\n"
              "| P  P  P  P  P  P  P  P  P | g\n"
              "| .  B  .  .  .  .  .  R  . | h\n"
              "| L  N  S  G  K  G  S  N  L | i\n"
              "+---------------------------+\n"
              "Black's hand: none\n"
              "Black to move\n"
              "SFEN lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL b - 1\n");
    EXPECT_EQ(result.err, "");
}

TEST(EsnBoard, FollowsThePathIntoMainLineAndVariation) {
    ToolResult result = RunTool({"board", CliData("small.esn"), "--path", "0.0.0"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out,
              "Title: Tuesday ladder\n"
              "Black: Ann\n"
              "White: Caro\n"
              "After 3. B8hx2b+\n"
              "White's hand: none\n"
              "  9  8  7  6  5  4  3  2  1\n"
              "+---------------------------+\n"
              "| l  n  s  g  k  g  s  n  l | a\n"
              "| .  r  .  .  .  .  . +B  . | b\n"
              "| p  p  p  p  p  p  .  p  p | c\n"
              "| .  .  .  .  .  .  p  .  . | d\n"
              "| .  .  .  .  .  .  .  .  . | e\n"
              "| .  .  P  .  .  .  .  .  . | f\n"
              "| P  P  .  P  P  P  P  P  P | g\n"
              "| .  .  .  .  .  .  .  R  . | h\n"
              "| L  N  S  G  K  G  S  N  L | i\n"
              "+---------------------------+\n"
              "Black's hand: B\n"
              "White to move\n"
              "SFEN lnsgkgsnl/1r5+B1/pppppp1pp/6p2/9/2P6/PP1PPPPPP/7R1/LNSGKGSNL w B 4\n");

    // Continuation 1 after the first move is the variation 2. P-8d, then 3. P-2f.
    result = RunTool({"board", CliData("small.esn"), "--path=0.1.0"});
    EXPECT_EQ(result.status, 0);
    EXPECT_NE(result.out.find("After 3. P-2f\n"), std::string::npos);
    EXPECT_EQ(LastLine(result.out),
              "SFEN lnsgkgsnl/1r5b1/p1ppppppp/1p7/9/2P4P1/PP1PPPP1P/1B5R1/LNSGKGSNL w - 4");
}

// Positions worked out by hand: counts before letters, promoted pieces on the board, both
// hands, and a captured king in hand, which goes last.
TEST(EsnBoard, SfenOfPositionsWithHandsAndPromotedPieces) {
    const std::string record = CliData("captures.esn");
    ToolResult result = RunTool({"board", record, "--path", Path(11)});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(LastLine(result.out),
              "SFEN ln+Rgkgsnl/1r5b1/pp1ppp1pp/9/6p2/9/PP1PPPPPP/1B7/LNSGKGSNL w S2P 12");
    EXPECT_NE(result.out.find("| l  n +R  g  k  g  s  n  l | a\n"), std::string::npos);
    EXPECT_NE(result.out.find("Black's hand: S 2P\n"), std::string::npos);

    result = RunTool({"board", record, "--path", Path(12)});
    EXPECT_EQ(LastLine(result.out),
              "SFEN lng1kgsnl/1r5b1/pp1ppp1pp/9/6p2/9/PP1PPPPPP/1B7/LNSGKGSNL b S2Pr 13");
    EXPECT_NE(result.out.find("White's hand: r\n"), std::string::npos);

    result = RunTool({"board", record, "--path", Path(19)});
    EXPECT_EQ(LastLine(result.out),
              "SFEN lng1+Bg1nl/1r7/pp1ppp1p1/9/6p2/8p/PP1PPPPPP/9/LNSGKGSNL w B2S2PKr 20");
    EXPECT_NE(result.out.find("After 19. +B4bx5a\n"), std::string::npos);
    EXPECT_NE(result.out.find("Black's hand: B 2S 2P K\n"), std::string::npos);
}

TEST(EsnBoard, PathThatLeavesTheTreeIsRefused) {
    const std::string small = CliData("small.esn");
    // The root has two continuations; the sixth move does not exist.
    for (const char* path : {"2", "0.0.0.0.0.0", "0.1.1"}) {
        const ToolResult result = RunTool({"board", small, "--path", path});
        EXPECT_EQ(result.status, 1) << path;
        EXPECT_EQ(result.out, "") << path;
        EXPECT_TRUE(result.err.starts_with("esn: " + small + ": no node at that path: "))
            << result.err;
    }
    // The empty path is the root.
    EXPECT_EQ(RunTool({"board", small, "--path", ""}).status, 0);
}

TEST(EsnBoard, RecordWithAnErrorShowsWhatWasRead) {
    const std::string illegal = CliData("illegal-third.esn");
    const ToolResult result = RunTool({"board", illegal, "--path", "0.0"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, illegal + ":4:4: Illegal move.\n");
    EXPECT_NE(result.out.find("Title: Broken\n"), std::string::npos);
    EXPECT_EQ(LastLine(result.out),
              "SFEN lnsgkgsnl/1r5b1/pppppp1pp/6p2/9/2P6/PP1PPPPPP/1B5R1/LNSGKGSNL b - 3");
}

}  // namespace
