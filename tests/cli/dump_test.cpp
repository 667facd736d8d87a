#include <gtest/gtest.h>

#include "cli/toolrunner.h"

namespace {

// The sample holds a variation, a comment with a line feed and a tab, a header with quotes and
// a backslash, a Latin-1 name and comment next to a UTF-8 name, and an illegal sixth move. The
// expected text was worked out by hand, position by position.
TEST(EsnDump, ListsTheNodesReadBeforeAnErrorWithTheirPositions) {
    const ToolResult result = RunTool({"dump", "--json", CliData("dump-sample.esn")});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, ReadBytes(CliData("dump-sample.json")));
    EXPECT_EQ(result.err, "");
}

TEST(EsnDump, WholeRecordHasNullErrorAndMovesAsTheWriterWritesThem) {
    const ToolResult result = RunTool({"dump", "--json", CliData("loose.esn")});
    EXPECT_EQ(result.status, 0);
    // Short forms in the file come out with their origin squares, as the writer writes them.
    EXPECT_NE(result.out.find("\"move\": \"B8hx2b+\""), std::string::npos);
    EXPECT_NE(result.out.find("\"move\": \"S3ax2b\""), std::string::npos);
    EXPECT_NE(result.out.find("\"move\": \"B*4e\""), std::string::npos);
    // The variation's second move follows its first, after the whole main line.
    const auto mainLineEnd = result.out.find("\"path\": [0, 0, 0, 0, 0]");
    const auto variation = result.out.find("\"path\": [0, 1, 0], \"ply\": 3, \"move\": \"P-2f\"");
    ASSERT_NE(mainLineEnd, std::string::npos);
    ASSERT_NE(variation, std::string::npos);
    EXPECT_LT(mainLineEnd, variation);
    EXPECT_NE(result.out.find("\"title\": \"Tuesday ladder\""), std::string::npos);
    EXPECT_TRUE(result.out.ends_with("\n],\n\"error\": null}\n")) << result.out;
}

TEST(EsnDump, TextsThatAreNotUtf8AreTakenByteForByte) {
    ScratchDir dir;
    // An overlong slash, a lone continuation byte, a surrogate and a cut-off sequence are not
    // UTF-8: such a text has each byte taken as the character of the same number (written in
    // UTF-8: 0xC0 becomes C3 80). A valid text is kept; control characters are escaped either way.
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"\xC0\xAF", "\xC3\x80\xC2\xAF"},
        {"a\x80z", "a\xC2\x80z"},
        {"\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xC2\x80"},
        {"ok \xE2\x82", "ok \xC3\xA2\xC2\x82"},
        {"\xE2\x82\xAC\x01\x7F", "\xE2\x82\xAC\\u0001\\u007f"},
        {"\xF0\x9F\x99\x82 \xC3\xA9", "\xF0\x9F\x99\x82 \xC3\xA9"},
        {"\xF4\x90\x80\x80", "\xC3\xB4\xC2\x90\xC2\x80\xC2\x80"},
    };
    for (const auto& [comment, expected] : cases) {
        WriteBytes(dir / "c.esn", "[" + comment + "]");
        const ToolResult result = RunTool({"dump", "--json", (dir / "c.esn").string()});
        ASSERT_EQ(result.status, 0);
        EXPECT_NE(result.out.find("\"comment\": \"" + expected + "\""), std::string::npos)
            << result.out;
    }
}

TEST(EsnDump, MissingFileExitsWithTwoAndWritesNothing) {
    ScratchDir dir;
    const std::string missing = (dir / "none.esn").string();
    const ToolResult result = RunTool({"dump", "--json", missing});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "esn: " + missing + ": No such file or directory\n");
}

}  // namespace
