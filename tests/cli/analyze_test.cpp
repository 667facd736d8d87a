#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "cli/toolrunner.h"
#include "format/recordio.h"

namespace {

const std::string kEngine = "/usr/games/fairy-stockfish";

// A gold drop mates; a variation lets the king run instead.
const std::string kMateRecord =
    "[SFEN 4k4/9/4P4/9/9/9/9/9/4K4 b G 1]\n[The gold drop mates.]\n1. G*5b\n{\n1. K-6i\n}\n";

// The comments of the root and its continuations in a record file, the engine's name (which
// holds its version) taken out.
std::vector<std::string> Comments(const std::filesystem::path& path, const FileType& type) {
    GameRecord record;
    EXPECT_FALSE(ReadRecord(record, ReadBytes(path), type).error) << path;
    std::vector<std::string> comments{record.Root().Comment()};
    for (int index = 0; const MoveNode* node = record.Root().Continuation(index); ++index)
        comments.push_back(node->Comment());
    for (std::string& comment : comments)
        comment = std::regex_replace(comment, std::regex("Engine Fairy-Stockfish[^:]*:"), "E:");
    return comments;
}

// Every position of the main line, or of every line, gets one line in its comment, in the
// notation of the format written; the output reads back.
TEST(EsnAnalyze, AddsTheEnginesJudgementToEachPosition) {
    ASSERT_TRUE(std::filesystem::exists(kEngine))
        << kEngine << ": scripts/setup --test installs it";
    ScratchDir dir;
    WriteBytes(dir / "mate.esn", kMateRecord);
    const std::string input = (dir / "mate.esn").string();
    ToolResult result = RunTool(
        {"analyze", input, "--engine", kEngine, "--depth", "3", "-o", (dir / "main.esn").string()});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.err.find("esn: position 2 of 2, "), std::string::npos) << result.err;
    EXPECT_EQ(Comments(dir / "main.esn", FileType{}),
              (std::vector<std::string>{
                  "The gold drop mates.\r\nE: Black mates in 1 at depth 3; best G*5b",
                  "E: White is mated", ""}));

    result = RunTool({"analyze", input, "--engine", kEngine, "--depth=3", "--all", "--to", "kifu",
                      "-o", (dir / "all.kifu").string()});
    EXPECT_EQ(result.status, 0) << result.err;
    const std::vector<std::string> comments =
        Comments(dir / "all.kifu", {RecordFormat::Kif, TextEncoding::Utf8, 0});
    ASSERT_EQ(comments.size(), 3u);
    EXPECT_TRUE(comments[0].ends_with("Black mates in 1 at depth 3; best ▲５二金")) << comments[0];
    EXPECT_TRUE(comments[2].starts_with("E: +")) << comments[2];
}

// A record that does not read or a format that cannot keep comments is a fault of the record
// (1); a missing or failing engine and a wrong command line are failures (2). Nothing is written.
TEST(EsnAnalyze, WritesNothingWhenTheRecordOrTheEngineFails) {
    ScratchDir dir;
    WriteBytes(dir / "mate.esn", kMateRecord);
    const std::string input = (dir / "mate.esn").string();
    const std::string fake = MARLOCK_SOURCE_DIR "/tests/engine/fake-engine.sh";
    const std::string out = (dir / "out.esn").string();
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
        {{input}, 2, "analyze needs --engine PATH"},
        {{input, "--engine", fake, "--depth", "0"}, 2, "--depth needs a whole number above 0"},
        {{input, "--engine", fake, "--depth", "2", "--movetime", "10"},
         2,
         "one of --depth and --movetime"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{"analyze", "-o", out};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const ToolResult result = RunTool(args);
        EXPECT_EQ(result.status, c.status) << result.err;
        EXPECT_NE(result.err.find(c.says), std::string::npos) << result.err;
        EXPECT_EQ(dir.Names(), (std::vector<std::string>{"crashing", "mate.esn"}));
    }
}

}  // namespace
