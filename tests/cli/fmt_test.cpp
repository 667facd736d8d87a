#include <gtest/gtest.h>
#include <sys/stat.h>

#include "cli/toolrunner.h"

namespace {

TEST(EsnFmt, OutputFileIsReplacedWholeKeepsItsPermissionsAndFollowsALink) {
    ScratchDir dir;
    const std::string formatted = ReadBytes(CliData("small.esn"));
    const auto created = dir / "new.esn";
    ToolResult result = RunTool({"fmt", "-o", created.string(), CliData("loose.esn")});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(ReadBytes(created), formatted);

    // A longer file keeps no trace of its old bytes; the link stays a link.
    const auto existing = dir / "existing.esn";
    const auto link = dir / "link.esn";
    WriteBytes(existing, std::string(4096, 'x'));
    ASSERT_EQ(::chmod(existing.c_str(), 0640), 0);
    std::filesystem::create_symlink(existing, link);
    result = RunTool({"fmt", CliData("loose.esn"), "-o", link.string()});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(ReadBytes(existing), formatted);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    struct stat info {};
    ASSERT_EQ(::stat(existing.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"existing.esn", "link.esn", "new.esn"}));

    // The input may be the output.
    WriteBytes(existing, ReadBytes(CliData("loose.esn")));
    result = RunTool({"fmt", existing.string(), "-o", existing.string()});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(ReadBytes(existing), formatted);
}

TEST(EsnFmt, FailedSaveLeavesTheTargetAndNoTemporaryFile) {
    ScratchDir dir;
    const auto target = dir / "out.esn";
    WriteBytes(target, "old contents");
    const auto folder = dir / "folder";
    std::filesystem::create_directory(folder);
    const std::string nowhere = (dir / "no-such-folder" / "out.esn").string();
    const std::string illegal = CliData("illegal-third.esn");

    const std::pair<std::vector<std::string>, ToolResult> runs[] = {
        {{"fmt", illegal, "-o", target.string()}, {1, "", illegal + ":4:4: Illegal move.\n"}},
        {{"fmt", CliData("small.esn"), "-o", folder.string()},
         {2, "", "esn: Cannot save " + folder.string() + ": Is a directory\n"}},
        {{"fmt", CliData("small.esn"), "-o", nowhere},
         {2, "", "esn: Cannot save " + nowhere + ": No such file or directory\n"}},
    };
    for (const auto& [args, expected] : runs) {
        SCOPED_TRACE(args.back());
        const ToolResult result = RunTool(args);
        EXPECT_EQ(result.status, expected.status);
        EXPECT_EQ(result.out, expected.out);
        EXPECT_EQ(result.err, expected.err);
        EXPECT_EQ(ReadBytes(target), "old contents");
        EXPECT_TRUE(std::filesystem::is_directory(folder));
        EXPECT_EQ(dir.Names(), (std::vector<std::string>{"folder", "out.esn"}));
    }
}

}  // namespace
