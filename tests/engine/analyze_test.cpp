#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "cli/toolrunner.h"

namespace {

const std::string kEngine = "/usr/games/fairy-stockfish";

// A gold drop mates; a variation lets the king run instead.
const std::string kMateRecord =
    "[SFEN 4k4/9/4P4/9/9/9/9/9/4K4 b G 1]\n[The gold drop mates.]\n1. G*5b\n{\n1. K-6i\n}\n";

// The text of a file with the engine's name, which holds its version, taken out.
std::string WithoutName(const std::filesystem::path& path) {
    return std::regex_replace(ReadBytes(path), std::regex("Engine Fairy-Stockfish[^:]*:"), "E:");
}

// Each position of the main line, or with --all of every line, gets a line in its comment, in
// the notation of the format written; the output reads back.
TEST(EsnAnalyze, AddsTheEnginesJudgementToEachPosition) {
    ASSERT_TRUE(std::filesystem::exists(kEngine))
        << kEngine << ": scripts/setup --test installs it";
    ScratchDir dir;
    WriteBytes(dir / "mate.esn", kMateRecord);
    const std::string input = (dir / "mate.esn").string();
    const std::string main = (dir / "main.esn").string();
    ToolResult result =
        RunTool({"analyze", input, "--engine", kEngine, "--depth", "3", "-o", main});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.err.find("esn: position 2 of 2, "), std::string::npos) << result.err;
    EXPECT_EQ(
        WithoutName(main),
        "[SFEN 4k4/9/4P4/9/9/9/9/9/4K4 b G 1]\r\n[The gold drop mates.\r\nE: Black mates in "
        "1 at depth 3; best G*5b]\r\n1. G*5b\r\n[E: White is mated]\r\n{\r\n1. K-6i\r\n}\r\n");

    const std::string all = (dir / "all.kifu").string();
    result = RunTool(
        {"analyze", input, "--engine", kEngine, "--depth=3", "--all", "--to", "kifu", "-o", all});
    EXPECT_EQ(result.status, 0) << result.err;
    const std::string kif = WithoutName(all);
    EXPECT_NE(kif.find("*E: Black mates in 1 at depth 3; best ▲５二金\r\n"), std::string::npos);
    EXPECT_NE(kif.find("*E: +"), std::string::npos) << "the variation's position";
    EXPECT_EQ(RunTool({"check", main, all}).out,
              main + ": ok, 2 moves\n" + all + ": ok, 2 moves\n");
}

// A record that does not read or a format that cannot keep comments is a fault of the record
// (1); a missing or failing engine and a wrong command line are failures (2). Nothing is written.
TEST(EsnAnalyze, WritesNothingWhenTheRecordOrTheEngineFails) {
    ScratchDir dir;
    WriteBytes(dir / "mate.esn", kMateRecord);
    const std::string input = (dir / "mate.esn").string();
    const std::string fake = MARLOCK_SOURCE_DIR "/tests/engine/fake-engine.sh";
    const std::string crashing = (dir / "crashing").string();
    WriteBytes(crashing, "#!/bin/sh\nexec " + fake + " crash\n");
    std::filesystem::permissions(crashing, std::filesystem::perms::owner_all);
    const struct {
        std::vector<std::string> args;
        int status;
        const char* says;
    } cases[] = {
        {{CliData("illegal-third.esn"), "--engine", fake},
         1,
         "illegal-third.esn:4:4: Illegal move."},
        {{input, "--engine", fake, "--to", "usi"}, 1, "usi cannot keep comments"},
        {{input, "--engine", "/no/such/engine"},
         2,
         "Cannot start engine /no/such/engine: no such file; nothing written"},
        {{input, "--engine", crashing}, 2, "crashed during a search; nothing written"},
        {{input, "--engine", input}, 2, "mate.esn: it is not executable"},
        {{input, "--engine", fake, "--depth", "0"}, 2, "--depth needs a whole number above 0"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{"analyze", "-o", (dir / "out.esn").string()};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const ToolResult result = RunTool(args);
        EXPECT_EQ(result.status, c.status) << result.err;
        EXPECT_NE(result.err.find(c.says), std::string::npos) << result.err;
        EXPECT_EQ(dir.Names(), (std::vector<std::string>{"crashing", "mate.esn"}));
    }
}

}  // namespace
