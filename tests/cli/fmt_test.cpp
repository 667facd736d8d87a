#include <gtest/gtest.h>

#include "cli/toolrunner.h"

namespace {

// The record goes to OUT in the program's layout, the input itself may be the output, and a
// save that fails says so and leaves OUT as it was (the save itself is tested where it lives).
TEST(EsnFmt, WritesTheRecordToTheOutputFileOrSaysWhyNot) {
    ScratchDir dir;
    const std::string formatted = ReadBytes(CliData("small.esn"));
    const auto output = dir / "out.esn";
    WriteBytes(output, ReadBytes(CliData("loose.esn")));
    ToolResult result = RunTool({"fmt", output.string(), "-o", output.string()});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(ReadBytes(output), formatted);

    const std::string illegal = CliData("illegal-third.esn");
    result = RunTool({"fmt", illegal, "-o", output.string()});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, illegal + ":4:4: Illegal move.\n");
    const std::string folder = dir.path().string();
    result = RunTool({"fmt", CliData("small.esn"), "-o", folder});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.err, "esn: Cannot save " + folder + ": Is a directory\n");
    EXPECT_EQ(ReadBytes(output), formatted);
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"out.esn"});
}

}  // namespace
