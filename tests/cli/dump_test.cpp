#include <gtest/gtest.h>

#include "cli/toolrunner.h"

namespace {

TEST(EsnDump, TextsThatAreNotUtf8AreTakenByteForByte) {
    ScratchDir dir;
    // An overlong slash, a lone continuation byte, a surrogate, a cut-off sequence and a code
    // point beyond U+10FFFF are not UTF-8: such a text has each byte taken as the character of
    // the same number (0xC0 becomes C3 80). A valid text is kept; control characters are
    // escaped either way.
    const std::pair<std::string, std::string> cases[] = {
        {"\xC0\xAF", "\xC3\x80\xC2\xAF"},
        {"a\x80z", "a\xC2\x80z"},
        {"\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xC2\x80"},
        {"ok \xE2\x82", "ok \xC3\xA2\xC2\x82"},
        {"\xF4\x90\x80\x80", "\xC3\xB4\xC2\x90\xC2\x80\xC2\x80"},
        {"\xE2\x82\xAC\x01\x7F", "\xE2\x82\xAC\\u0001\\u007f"},
        {"\xF0\x9F\x99\x82 \xC3\xA9", "\xF0\x9F\x99\x82 \xC3\xA9"},
    };
    for (const auto& [comment, expected] : cases) {
        WriteBytes(dir / "c.esn", "[" + comment + "]");
        const ToolResult result = RunTool({"dump", "--json", (dir / "c.esn").string()});
        ASSERT_EQ(result.status, 0);
        EXPECT_NE(result.out.find("\"comment\": \"" + expected + "\""), std::string::npos)
            << result.out;
    }
}

}  // namespace
