#include <gtest/gtest.h>
#include <sys/stat.h>

#include "cli/toolrunner.h"

namespace {

TEST(EsnFmt, WritesTheRecordInTheWritersLayout) {
    // Short forms, lower case, missing numbers, LF line ends and text run together all come
    // out in the one layout the program writes.
    ToolResult result = RunTool({"fmt", CliData("loose.esn")});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, ReadBytes(CliData("small.esn")));
    EXPECT_EQ(result.err, "");

    result = RunTool({"fmt", CliData("empty.esn")});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "");
}

TEST(EsnFmt, RecordThatDoesNotReadWritesNothing) {
    ScratchDir dir;
    const auto target = dir / "out.esn";
    WriteBytes(target, "old contents");
    const std::string illegal = CliData("illegal-third.esn");

    ToolResult result = RunTool({"fmt", illegal});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, illegal + ":4:4: Illegal move.\n");

    result = RunTool({"fmt", illegal, "-o", target.string()});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(ReadBytes(target), "old contents");
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"out.esn"});
}

TEST(EsnFmt, OutputFileIsReplacedWholeAndKeepsItsPermissions) {
    ScratchDir dir;
    const auto created = dir / "new.esn";
    ToolResult result = RunTool({"-o", created.string()});  // not a command
    EXPECT_EQ(result.status, 2);

    result = RunTool({"fmt", "-o", created.string(), CliData("loose.esn")});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(ReadBytes(created), ReadBytes(CliData("small.esn")));

    // Rewriting a longer file in place leaves no trace of the old bytes or of a temporary file.
    const auto existing = dir / "existing.esn";
    WriteBytes(existing, std::string(4096, 'x'));
    ASSERT_EQ(::chmod(existing.c_str(), 0640), 0);
    result = RunTool({"fmt", CliData("small.esn"), "-o", existing.string()});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(ReadBytes(existing), ReadBytes(CliData("small.esn")));
    struct stat info {};
    ASSERT_EQ(::stat(existing.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"existing.esn", "new.esn"}));

    // The input may be the output.
    WriteBytes(existing, ReadBytes(CliData("loose.esn")));
    result = RunTool({"fmt", existing.string(), "-o", existing.string()});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(ReadBytes(existing), ReadBytes(CliData("small.esn")));
}

TEST(EsnFmt, FailedSaveLeavesTheTargetAndNoTemporaryFile) {
    ScratchDir dir;
    // The target is a folder: the rename fails after the temporary file was written.
    const auto folder = dir / "folder";
    std::filesystem::create_directory(folder);
    WriteBytes(folder / "inside.esn", "keep");
    ToolResult result = RunTool({"fmt", CliData("small.esn"), "-o", folder.string()});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_TRUE(result.err.starts_with("esn: Cannot save " + folder.string() + ": ")) << result.err;
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"folder"});
    EXPECT_EQ(ReadBytes(folder / "inside.esn"), "keep");

    // The target's folder does not exist: no temporary file can be made.
    const auto nowhere = dir / "no-such-folder" / "out.esn";
    result = RunTool({"fmt", CliData("small.esn"), "-o", nowhere.string()});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.err, "esn: Cannot save " + nowhere.string() + ": No such file or directory\n");
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"folder"});
}

TEST(EsnFmt, SavingThroughALinkReplacesTheFileItNames) {
    ScratchDir dir;
    const auto real = dir / "real.esn";
    const auto link = dir / "link.esn";
    WriteBytes(real, "old");
    std::filesystem::create_symlink(real, link);
    const ToolResult result = RunTool({"fmt", CliData("small.esn"), "-o", link.string()});
    EXPECT_EQ(result.status, 0);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadBytes(real), ReadBytes(CliData("small.esn")));
}

}  // namespace
