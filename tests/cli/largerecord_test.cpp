#include <gtest/gtest.h>

#include <string>

#include "cli/toolrunner.h"

namespace {

std::size_t CountOf(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

TEST(EsnLargeRecord, MillionMoveLineIsCheckedAndRewrittenWhole) {
    // Both rooks shuttle between two squares: a legal line of any length.
    static const char* cycle[] = {"R2h-3h", "R8b-7b", "R3h-2h", "R7b-8b"};
    std::string text;
    for (int ply = 1; ply <= 1'000'000; ++ply)
        text += std::to_string(ply) + ". " + cycle[(ply - 1) % 4] + "\r\n";
    ScratchDir dir;
    const std::string file = (dir / "long.esn").string();
    WriteBytes(file, text);

    ToolResult result = RunTool({"check", file});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, file + ": ok, 1000000 moves\n");

    // The file is already in the writer's layout, so it comes back byte for byte.
    result = RunTool({"fmt", file});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(result.out == text) << "output of " << result.out.size() << " bytes differs";

    // After 40,000 moves the rooks are home and Black is to move.
    std::string path = "0";
    for (int i = 1; i < 40'000; ++i)
        path += ".0";
    result = RunTool({"board", file, "--path", path});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.out.find("After 40000. R7b-8b\n"
                              "White's hand: none\n"),
              std::string::npos);
    EXPECT_TRUE(result.out.ends_with(
        "SFEN lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL b - 40001\n"));
}

// Each variation opens inside the one before, 100,000 deep; each takes back the move before it,
// so all of them are continuations of the start.
TEST(EsnLargeRecord, DeeplyNestedVariationsAreDumpedInOrder) {
    std::string text = "1. P-7f\r\n";
    for (int i = 0; i < 100'000; ++i)
        text += i % 2 ? "{\r\n1. P-7f\r\n" : "{\r\n1. P-2f\r\n";
    ScratchDir dir;
    const std::string file = (dir / "nested.esn").string();
    WriteBytes(file, text);

    ToolResult result = RunTool({"check", file});
    EXPECT_EQ(result.out, file + ": ok, 100001 moves\n");

    result = RunTool({"dump", "--json", file});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(CountOf(result.out, "{\"path\": "), 100'002u);
    EXPECT_EQ(CountOf(result.out, "\"move\": \"P-2f\""), 50'000u);
    EXPECT_NE(result.out.find("{\"path\": [100000], \"ply\": 1, \"move\": \"P-7f\""),
              std::string::npos);
    EXPECT_TRUE(result.out.ends_with("\n],\n\"error\": null}\n"));
}

}  // namespace
