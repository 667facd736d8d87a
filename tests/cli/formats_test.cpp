#include <gtest/gtest.h>

#include "cli/toolrunner.h"

namespace {

const std::string BishopStart = "lnsgkgsnl/1r7/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL w - 1";

// Every format is read by the commands, known by its extension or else by its contents (a USI
// line under an .esn name, code page 932 KIF under .txt); each error gives its place, and what
// a reader leaves out on purpose is said on standard error.
TEST(EsnFormats, EveryFormatIsReadByExtensionOrContents) {
    ScratchDir dir;
    const std::string misnamed = (dir / "game.esn").string();
    WriteBytes(misnamed, ReadBytes(CliData("bishop-handicap.usi")));
    // "1 ７六歩(77)", then a gold no piece can bring to ５五.
    const std::string broken = (dir / "broken.txt").string();
    WriteBytes(broken, "1 \x82\x56\x98\x5A\x95\xE0(77)\r\n2 \x82\x54\x8C\xDC\x8B\xE0\r\n");
    const std::string threeGames = TestData("csa/three-games.csa");
    const std::pair<std::string, std::string> files[] = {
        {TestData("kif/game.kif"), ": ok, 41 moves"},
        {TestData("kif/marks.ki2"), ": ok, 16 moves"},
        {TestData("csa/club-final-30.csa"), ": ok, 7 moves"},
        {TestData("csa/wrong-piece.csa"), ":6:1: +2726KA: the piece on 27 is FU"},
        {threeGames, ": ok, 1 moves"},
        {TestData("jkf/club-game.jkf"), ": ok, 10 moves"},
        {CliData("bishop-handicap.usi"), ": ok, 3 moves"},
        {CliData("problem.sfen"), ": ok, 0 moves"},
        {misnamed, ": ok, 3 moves"},
        {CliData("illegal-third.usi"), ":1:26: illegal move 7g7e"},
        {broken, ":2:3: no piece can move to ５五"},
    };
    std::vector<std::string> args{"check"};
    std::string said;
    for (const auto& [file, line] : files) {
        args.push_back(file);
        said += file + line + "\n";
    }
    const ToolResult result = RunTool(args);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, said);
    const std::string notice =
        "8:1: the file holds 3 records; only the first was read (2 records after line 8 left out)";
    EXPECT_EQ(result.err, "esn: " + threeGames + ":8:1: notice: " + notice.substr(5) + "\n");
    // Strict, a notice is an error.
    const ToolResult strict = RunTool({"check", "--strict", threeGames});
    EXPECT_EQ(strict.status, 1);
    EXPECT_EQ(strict.out, threeGames + ":" + notice + "\n");
}

TEST(EsnConvert, WritesAnotherFormatListingWhatItLeavesOut) {
    ScratchDir dir;
    const std::string small = CliData("small.esn");
    const std::string usiLosses = "usi: leaves out 1 variation, 2 comments, 3 header lines\n";
    const std::string usiLine = "position startpos moves 7g7f 3c3d 8h2b+ 3a2b B*4e\n";

    ToolResult result = RunTool({"convert", small, "--to", "usi"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, usiLine);
    EXPECT_EQ(result.err, usiLosses);

    // The target named by the output's extension; the start goes into ESN as its SFEN text.
    const auto out = dir / "out.usi";
    result = RunTool({"convert", small, "-o", out.string()});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(ReadBytes(out), usiLine);
    result = RunTool({"convert", CliData("bishop-handicap.usi"), "--to=ESN"});
    EXPECT_EQ(result.out, "[SFEN " + BishopStart + "]\r\n1. P-3d\r\n2. P-7f\r\n3. R8b-3b\r\n");
    // CSA 2.2 goes out in code page 932, as its files are written.
    result = RunTool({"convert", TestData("jkf/club-game.jkf"), "--to", "csa2"});
    EXPECT_EQ(result.status, 0);
    EXPECT_TRUE(result.out.starts_with("V2.2\r\nN+\x90\xC2\x96\xD8\r\n")) << result.out;
    EXPECT_EQ(result.err, "csa2: leaves out 3 variations, 1 comment, 1 result, 2 header lines\n");

    // --strict refuses any loss and writes nothing.
    const auto strictOut = dir / "strict.usi";
    result = RunTool({"convert", small, "--strict", "-o", strictOut.string()});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, usiLosses + "esn: " + small + ": nothing written (--strict)\n");
    EXPECT_FALSE(std::filesystem::exists(strictOut));

    // A record that did not read whole is not converted.
    result = RunTool({"convert", CliData("illegal-third.usi"), "--to", "esn"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, CliData("illegal-third.usi") + ":1:26: illegal move 7g7e\n");

    // No format named: the command line is wrong.
    result = RunTool({"convert", small, "-o", (dir / "out.txt").string()});
    EXPECT_EQ(result.status, 2);
    EXPECT_TRUE(result.err.starts_with(
        "esn: convert needs --to FORMAT, or an OUT whose extension names one\n"));
    result = RunTool({"convert", small, "--to", "pgn"});
    EXPECT_EQ(result.status, 2);
    EXPECT_TRUE(result.err.starts_with("esn: unknown format 'pgn' for --to\n"));
}

}  // namespace
