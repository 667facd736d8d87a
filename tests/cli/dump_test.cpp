#include <gtest/gtest.h>

#include <sstream>

#include "cli/recordjson.h"
#include "model/handicap.h"

namespace {

Move BoardMove(const GameRecord& record, Square from, Square to) {
    return Move(from, to, record.Cell(from));
}

// Header lines, a start where White moves first, times with and without a fraction, and a
// result beside a move: the fields that only records from richer formats fill.
TEST(DumpJson, ListsHeaderLinesResultsAndTimes) {
    GameRecord record;
    record.headerLines = {{"event", "Lesson \"one\""}, {"Venue", "Hall"}};
    ASSERT_TRUE(record.SetStartPosition(HandicapPosition(Handicap::Bishop)));
    ASSERT_EQ(record.AddContinuation(BoardMove(record, Square(2, 2), Square(3, 2))), 1);
    ASSERT_TRUE(record.GoForward(0));
    ASSERT_TRUE(record.SetCurrentTime(1500));
    ASSERT_EQ(record.AddResult(GameResult::Resign), 1);
    ASSERT_EQ(record.AddContinuation(BoardMove(record, Square(6, 6), Square(5, 6))), 2);
    ASSERT_TRUE(record.GoForward(0));
    ASSERT_TRUE(record.SetCurrentTime(12001));
    record.SetCurrentComment("gave up");

    std::ostringstream out;
    WriteRecordJson(out, record, std::nullopt);
    const std::string bishop = "lnsgkgsnl/1r7/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL";
    const std::string after = "lnsgkgsnl/1r7/pppppp1pp/6p2/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL";
    EXPECT_EQ(
        out.str(),
        "{\"title\": \"\", \"black\": \"\", \"white\": \"\", \"header\": [[\"event\", "
        "\"Lesson \\\"one\\\"\"], [\"Venue\", \"Hall\"]],\n\"nodes\": [\n"
        "{\"path\": [], \"ply\": 0, \"move\": null, \"comment\": \"\", \"sfen\": \"" +
            bishop + " w - 1\", \"result\": null, \"time\": null},\n" +
            "{\"path\": [0], \"ply\": 1, \"move\": \"P-3d\", \"comment\": \"\", \"sfen\": \"" +
            after + " b - 2\", \"result\": null, \"time\": 1.5},\n" +
            "{\"path\": [0, 0], \"ply\": 2, \"move\": null, \"comment\": \"gave up\", "
            "\"sfen\": \"" +
            after + " b - 3\", \"result\": \"resign\", \"time\": 12.001},\n" +
            "{\"path\": [0, 1], \"ply\": 2, \"move\": \"P-7f\", \"comment\": \"\", "
            "\"sfen\": \"" +
            "lnsgkgsnl/1r7/pppppp1pp/6p2/9/2P6/PP1PPPPPP/1B5R1/LNSGKGSNL w - 3\", "
            "\"result\": null, \"time\": null}\n],\n\"error\": null}\n");
}

}  // namespace
