#include <gtest/gtest.h>

#include <fstream>

#include "cli/toolrunner.h"

// The tool reads KIF and KI2 files through the same commands as ESN ones, by their extension
// or their contents.
TEST(EsnCommands, ReadKifAndKi2Files) {
    ScratchDir dir;
    const std::string data = std::string(MARLOCK_TEST_DATA_DIR) + "/kif/";
    const std::string broken = (dir / "broken.txt").string();
    // Code page 932: "1 ７六歩(77)", then a gold no piece can bring to ５五.
    std::ofstream(broken, std::ios::binary) << "1 \x82\x56\x98\x5A\x95\xE0(77)\r\n"
                                               "2 \x82\x54\x8C\xDC\x8B\xE0\r\n";
    const struct {
        std::vector<std::string> args;
        int status;
        std::string out;
    } runs[] = {
        {{"check", data + "game.kif", data + "marks.ki2"},
         0,
         data + "game.kif: ok, 41 moves\n" + data + "marks.ki2: ok, 16 moves\n"},
        {{"check", broken}, 1, broken + ":2:3: no piece can move to ５五\n"},
    };
    for (const auto& run : runs) {
        const ToolResult result = RunTool(run.args);
        EXPECT_EQ(result.status, run.status);
        EXPECT_EQ(result.out, run.out);
        EXPECT_EQ(result.err, "");
    }
    // KI2 keeps everything but the times.
    const ToolResult converted = RunTool({"convert", data + "game.kifu", "--to", "ki2u"});
    EXPECT_EQ(converted.status, 0);
    EXPECT_EQ(converted.out, ReadBytes(data + "game.ki2u"));
    EXPECT_EQ(converted.err, "ki2u: leaves out 20 move times\n");

    // A handicap game starts with White to move.
    const ToolResult board = RunTool({"board", data + "handicap.kif"});
    EXPECT_EQ(board.status, 0);
    EXPECT_NE(
        board.out.find(
            "White to move\nSFEN lnsgkgsnl/9/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL w - 1"),
        std::string::npos)
        << board.out;
}
