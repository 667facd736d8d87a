#include <gtest/gtest.h>

#include "cli/toolrunner.h"

namespace {

struct ExpectedRun {
    std::vector<std::string> args;
    int status;
    std::string out;
    std::string err;
};

TEST(EsnCommands, OutputsAndExitStatuses) {
    ScratchDir dir;
    const std::string small = CliData("small.esn");
    const std::string empty = CliData("empty.esn");
    const std::string illegal = CliData("illegal-third.esn");
    const std::string unterminated = CliData("unterminated.esn");
    const std::string missing = (dir / "missing.esn").string();
    const std::string folder = dir.path().string();
    const std::string illegalLine = illegal + ":4:4: Illegal move.\n";
    const std::string notThere = "esn: " + missing + ": No such file or directory\n";
    const auto noNode = [&](int steps, int count, int index) {
        return "esn: " + small + ": no node at that path: the node after " + std::to_string(steps) +
               " step(s) of the path has " + std::to_string(count) + " continuation(s), so index " +
               std::to_string(index) + " does not exist\n";
    };
    const ExpectedRun runs[] = {
        // Five main-line moves and a variation of two.
        {{"check", small, empty}, 0, small + ": ok, 7 moves\n" + empty + ": ok, 0 moves\n", ""},
        // The third move captures its own pawn; the comment opened on line 1 never closes.
        {{"check", illegal, small, unterminated},
         1,
         illegalLine + small + ": ok, 7 moves\n" + unterminated + ":1:9: Unterminated comment.\n",
         ""},
        // A file that cannot be opened outweighs one that does not read, whatever the order.
        {{"check", illegal, missing}, 2, illegalLine, notThere},
        {{"check", missing, illegal}, 2, illegalLine, notThere},
        {{"check", folder}, 2, "", "esn: " + folder + ": Is a directory\n"},
        // Reading the start of a process's memory fails with an I/O error, whoever reads it.
        {{"check", "/proc/self/mem"}, 2, "", "esn: /proc/self/mem: Input/output error\n"},
        {{"dump", "--json", missing}, 2, "", notThere},
        {{"fmt", missing}, 2, "", notThere},
        {{"board", missing}, 2, "", notThere},
        // A variation, a comment with a line feed and a tab, a header with quotes and a
        // backslash, Latin-1 next to UTF-8 and an illegal sixth move, worked out by hand.
        {{"dump", "--json", CliData("dump-sample.esn")},
         1,
         ReadBytes(CliData("dump-sample.json")),
         ""},
        // Short forms, lower case, missing numbers, LF line ends and texts run together all
        // come out in the one layout the program writes.
        {{"fmt", CliData("loose.esn")}, 0, ReadBytes(small), ""},
        {{"fmt", empty}, 0, "", ""},
        // Writing a partly read record would drop the rest of the file.
        {{"fmt", illegal}, 1, "", illegalLine},
        // The root has one continuation, the main line five moves and the variation two.
        {{"board", small, "--path", "2"}, 1, "", noNode(0, 1, 2)},
        {{"board", small, "--path", "0.0.0.0.0.0"}, 1, "", noNode(5, 0, 0)},
    };
    for (const ExpectedRun& run : runs) {
        SCOPED_TRACE(run.args.at(0) + " " + run.args.at(1));
        const ToolResult result = RunTool(run.args);
        EXPECT_EQ(result.status, run.status);
        EXPECT_EQ(result.out, run.out);
        EXPECT_EQ(result.err, run.err);
    }
}

TEST(EsnCommands, WrongCommandLinesShowTheUsageAndExitWithTwo) {
    const std::string small = CliData("small.esn");
    const std::vector<std::vector<std::string>> wrong = {
        {},
        {"frobnicate"},
        {"check"},
        {"dump", small},
        {"dump", "--yaml", small},
        {"fmt", small, "-o"},
        {"fmt", small, CliData("empty.esn")},
        {"board"},
        {"board", small, "--path"},
        {"board", small, "--path", "0.x"},
        {"board", small, "--path", "0..1"},
        {"board", small, "--path", "99999999999999999999"},
    };
    for (const auto& args : wrong) {
        const ToolResult result = RunTool(args);
        SCOPED_TRACE(args.empty() ? "" : args.back());
        EXPECT_EQ(result.status, 2);
        EXPECT_EQ(result.out, "");
        EXPECT_NE(result.err.find("Usage: esn"), std::string::npos);
    }

    const ToolResult help = RunTool({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("esn board FILE [--path I.J.K]"), std::string::npos);
    EXPECT_EQ(help.err, "");
}

}  // namespace
