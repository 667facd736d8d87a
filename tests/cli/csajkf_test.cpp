#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "cli/toolrunner.h"

namespace {

std::string Data(const std::string& name) {
    return std::string(MARLOCK_TEST_DATA_DIR) + "/" + name;
}

}  // namespace

TEST(EsnCommands, ReadCsaAndJkfFiles) {
    const std::string final30 = Data("csa/club-final-30.csa");
    const std::string wrong = Data("csa/wrong-piece.csa");
    const std::string three = Data("csa/three-games.csa");
    const std::string jkf = Data("jkf/club-game.jkf");
    ToolResult result = RunTool({"check", final30, wrong, three, jkf});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, final30 + ": ok, 7 moves\n" + wrong +
                              ":6:1: +2726KA: the piece on 27 is FU\n" + three + ": ok, 1 moves\n" +
                              jkf + ": ok, 10 moves\n");
    // What the reader left out on purpose is said on standard error.
    EXPECT_EQ(result.err, "esn: " + three +
                              ": the file holds 3 records; only the first was read (2 records "
                              "after line 8 left out)\n");

    // The dump shows the times with their fractions and the result.
    result = RunTool({"dump", "--json", final30});
    EXPECT_EQ(result.status, 0);
    EXPECT_NE(result.out.find("\"move\": \"P-7f\", \"comment\": \"\", \"sfen\": "),
              std::string::npos)
        << result.out;
    EXPECT_NE(result.out.find("\"result\": null, \"time\": 5.25}"), std::string::npos);
    EXPECT_NE(result.out.find("\"result\": \"resign\", \"time\": 10}"), std::string::npos);
}

TEST(EsnConvert, ToCsaAndJkfListingWhatIsLeftOut) {
    ScratchDir dir;
    const std::string kifu = Data("kif/game.kifu");
    const std::string jkf = Data("jkf/club-game.jkf");

    // CSA keeps the main line; the KIF game's variations, its bookmark, the time limit and
    // byoyomi it cannot hold and an own label of Japanese letters are listed.
    ToolResult result = RunTool({"convert", kifu, "--to", "csa"});
    EXPECT_EQ(result.status, 0);
    EXPECT_TRUE(result.out.starts_with("'CSA encoding=UTF-8\r\nV3.0\r\nN+青木 一郎\r\n"))
        << result.out;
    EXPECT_NE(result.out.find("\r\n%TORYO\r\nT30\r\n'*先手が時間を使いすぎた。\r\n"),
              std::string::npos)
        << result.out;
    EXPECT_EQ(result.err,
              "csa: leaves out 4 variations, 1 result, 3 move times, 1 bookmark, 3 header lines\n");

    // JKF keeps everything but the bookmark; written to a file named by its extension and
    // read back, it holds the same moves.
    const std::string out = (dir / "game.jkf").string();
    result = RunTool({"convert", kifu, "-o", out});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "jkf: leaves out 1 bookmark\n");
    EXPECT_EQ(RunTool({"check", out}).out,
              RunTool({"check", kifu}).out.replace(0, kifu.size(), out));

    // Version 2.2 in Shift_JIS; --strict refuses the losses and writes nothing.
    const std::string strictOut = (dir / "strict.csa").string();
    result = RunTool({"convert", jkf, "--to", "csa2", "--strict", "-o", strictOut});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err,
              "csa2: leaves out 3 variations, 1 comment, 1 result, 2 header lines\n"
              "esn: " +
                  jkf + ": nothing written (--strict)\n");
    EXPECT_FALSE(std::filesystem::exists(strictOut));
    result = RunTool({"convert", jkf, "--to", "csa2"});
    EXPECT_EQ(result.status, 0);
    EXPECT_TRUE(result.out.starts_with("V2.2\r\nN+\x90\xC2\x96\xD8\r\n")) << result.out;
}
