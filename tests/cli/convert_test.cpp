#include <gtest/gtest.h>

#include "cli/toolrunner.h"

namespace {

const std::string BishopStart = "lnsgkgsnl/1r7/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL w - 1";

// USI and SFEN files are read by the commands, known by extension or else by content.
TEST(EsnFormats, UsiAndSfenFilesAreCheckedAndShown) {
    ScratchDir dir;
    const std::string usi = CliData("bishop-handicap.usi");
    const std::string sfen = CliData("problem.sfen");
    const std::string illegal = CliData("illegal-third.usi");
    // A USI line saved under a misleading name still reads as USI.
    const std::string misnamed = (dir / "game.esn").string();
    WriteBytes(misnamed, ReadBytes(usi));
    ToolResult result = RunTool({"check", usi, sfen, misnamed, illegal});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, usi + ": ok, 3 moves\n" + sfen + ": ok, 0 moves\n" + misnamed +
                              ": ok, 3 moves\n" + illegal + ":1:26: illegal move 7g7e\n");

    result = RunTool({"board", usi});
    EXPECT_EQ(result.status, 0);
    EXPECT_TRUE(result.out.ends_with("White to move\nSFEN " + BishopStart + "\n")) << result.out;
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
