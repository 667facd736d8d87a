#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "format/text/textlines.h"

namespace {

// The lines as "number@offset:text", joined with '|'.
std::string Outline(std::string_view text) {
    std::string outline;
    for (const TextLine& line : SplitLines(text)) {
        if (!outline.empty()) outline += '|';
        outline += std::to_string(line.number) + "@" + std::to_string(line.offset) + ":" +
                   std::string(line.text);
    }
    return outline;
}

}  // namespace

TEST(TextLines, SplitAtEveryKindOfLineEnd) {
    const struct {
        std::string text;
        const char* lines;
    } cases[] = {
        {"", ""},
        {"a", "1@0:a"},
        {"a\n", "1@0:a"},
        {"\n", "1@0:"},
        {"a\r\nb", "1@0:a|2@3:b"},
        {"a\rb\r\n\nc", "1@0:a|2@2:b|3@5:|4@6:c"},
        {"a\r\r\n", "1@0:a|2@2:"},
        {"a\n\rb", "1@0:a|2@2:|3@3:b"},
        {"手数\r\n１ ７六歩\r", "1@0:手数|2@8:１ ７六歩"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Outline(c.text), c.lines) << c.text;
}

// A position counts lines as the splitter does, and columns in characters.
TEST(TextLines, PositionsCountLinesAndCharacters) {
    const struct {
        std::string prefix;
        int line;
        int column;
    } cases[] = {
        {"", 1, 1},      {"abc", 1, 4}, {"先手：", 1, 4},
        {"a\r\n", 2, 1}, {"a\r", 2, 1}, {"a\r\nb\rc\n後手", 4, 3},
        {"a\n\r", 3, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.prefix);
        const TextPosition position = PositionAfter(c.prefix);
        EXPECT_EQ(position.line, c.line);
        EXPECT_EQ(position.column, c.column);
        const std::string text = c.prefix + "x";
        const std::vector<TextLine> lines = SplitLines(text);
        ASSERT_EQ(static_cast<int>(lines.size()), c.line);
        EXPECT_EQ(CharacterColumn(lines.back().text, lines.back().text.size() - 1), c.column);
    }
}
