#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "cli/toolrunner.h"

namespace {

TEST(EsnCheck, CountsEveryMoveAndLocatesReadingErrors) {
    const std::string small = CliData("small.esn");
    const std::string empty = CliData("empty.esn");
    const std::string illegal = CliData("illegal-third.esn");
    const std::string unterminated = CliData("unterminated.esn");

    // Five main-line moves and a variation of two.
    ToolResult result = RunTool({"check", small, empty});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, small + ": ok, 7 moves\n" + empty + ": ok, 0 moves\n");
    EXPECT_EQ(result.err, "");

    // The third move captures its own pawn; the comment opened on line 1 never closes.
    result = RunTool({"check", illegal, small, unterminated});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, illegal + ":4:4: Illegal move.\n" + small + ": ok, 7 moves\n" +
                              unterminated + ":1:9: Unterminated comment.\n");
    EXPECT_EQ(result.err, "");
}

TEST(EsnCheck, AFileThatCannotBeOpenedOutweighsOneThatDoesNotRead) {
    ScratchDir dir;
    const std::string missing = (dir / "missing.esn").string();
    const std::string illegal = CliData("illegal-third.esn");

    ToolResult result = RunTool({"check", illegal, missing});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, illegal + ":4:4: Illegal move.\n");
    EXPECT_EQ(result.err, "esn: " + missing + ": No such file or directory\n");

    // The order of the files does not matter, and the files after the missing one are read.
    result = RunTool({"check", missing, illegal});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, illegal + ":4:4: Illegal move.\n");

    result = RunTool({"check", dir.path().string()});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "esn: " + dir.path().string() + ": Is a directory\n");
}

TEST(EsnCheck, FileThatOpensButCannotBeReadIsReportedAsNotOpened) {
    // Reading the start of a process's memory fails with an I/O error, whoever reads it.
    const ToolResult result = RunTool({"check", "/proc/self/mem"});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "esn: /proc/self/mem: Input/output error\n");
}

TEST(EsnCheck, FileWithoutReadPermissionIsReportedAsNotOpened) {
    if (::geteuid() == 0) GTEST_SKIP() << "the superuser reads every file";
    ScratchDir dir;
    const auto locked = dir / "locked.esn";
    WriteBytes(locked, "1. P-7f\r\n");
    ASSERT_EQ(::chmod(locked.c_str(), 0), 0);
    const ToolResult result = RunTool({"check", locked.string()});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.err, "esn: " + locked.string() + ": Permission denied\n");
}

TEST(EsnCheck, ArbitraryBytesNeverCrashTheTool) {
    ScratchDir dir;
    // Every byte value, nested braces that never close, a bracket inside a bracket text and a
    // move cut off by the end of the file.
    std::string everyByte;
    for (int i = 0; i < 256; ++i)
        everyByte += static_cast<char>(i);
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"bytes.esn", everyByte},
        {"braces.esn", std::string(5000, '{') + "P-7f" + std::string(3, '}')},
        {"nested.esn", "[a [b] c]"},
        {"cut.esn", "1. P-7f 2. P-3"},
        {"nul.esn", std::string("1. P-7f\0[x\0]", 12)},
    };
    for (const auto& [name, bytes] : cases) {
        WriteBytes(dir / name, bytes);
        for (const char* command : {"check", "dump", "fmt", "board"}) {
            std::vector<std::string> args{command, (dir / name).string()};
            if (std::string(command) == "dump") args.insert(args.begin() + 1, "--json");
            const ToolResult result = RunTool(args);
            EXPECT_TRUE(result.status == 0 || result.status == 1)
                << command << ' ' << name << " gave " << result.status << ": " << result.err;
        }
    }
}

TEST(EsnUsage, WrongCommandLinesShowTheUsageAndExitWithTwo) {
    const std::vector<std::vector<std::string>> wrong = {
        {},
        {"frobnicate"},
        {"check"},
        {"dump", CliData("small.esn")},
        {"dump", "--json"},
        {"dump", "--yaml", CliData("small.esn")},
        {"fmt"},
        {"fmt", CliData("small.esn"), "-o"},
        {"fmt", CliData("small.esn"), CliData("empty.esn")},
        {"board"},
        {"board", CliData("small.esn"), "--path"},
        {"board", CliData("small.esn"), "--path", "0.x"},
        {"board", CliData("small.esn"), "--path", "0..1"},
        {"board", CliData("small.esn"), "--path", "-1"},
        {"board", CliData("small.esn"), "--path", "99999999999999999999"},
    };
    for (const auto& args : wrong) {
        const ToolResult result = RunTool(args);
        std::string line;
        for (const auto& arg : args)
            line += arg + ' ';
        EXPECT_EQ(result.status, 2) << line;
        EXPECT_EQ(result.out, "") << line;
        EXPECT_NE(result.err.find("Usage: esn"), std::string::npos) << line;
    }

    const ToolResult help = RunTool({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("esn check FILE..."), std::string::npos);
    EXPECT_NE(help.out.find("esn board FILE [--path I.J.K]"), std::string::npos);
    EXPECT_EQ(help.err, "");
}

}  // namespace
