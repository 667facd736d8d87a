#include <gtest/gtest.h>

#include <sstream>

#include "cli/recordjson.h"
#include "model/handicap.h"

namespace {

// Header lines, a start where White moves first, times with and without a fraction, and a
// result, whose position is the one of the move it closes: the fields that only records from
// richer formats fill.
TEST(DumpJson, ListsHeaderLinesResultsAndTimes) {
    GameRecord record;
    record.SetHeaderLines({{"event", "Lesson"}, {"Venue", "Hall"}});
    ASSERT_TRUE(record.SetStartPosition(HandicapPosition(Handicap::Bishop)));
    const Square from(2, 2);
    ASSERT_EQ(record.AddContinuation(Move(from, Square(3, 2), record.Cell(from))), 1);
    ASSERT_TRUE(record.GoForward(0));
    ASSERT_TRUE(record.SetCurrentTime(1500));
    ASSERT_EQ(record.AddResult(GameResult::Sealed), 1);
    ASSERT_TRUE(record.GoForward(0));
    ASSERT_TRUE(record.SetCurrentTime(12001));

    std::ostringstream out;
    WriteRecordJson(out, record, std::nullopt);
    const std::string start = "lnsgkgsnl/1r7/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL";
    const std::string after = "lnsgkgsnl/1r7/pppppp1pp/6p2/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL";
    EXPECT_EQ(
        out.str(),
        "{\"title\": \"\", \"black\": \"\", \"white\": \"\", \"header\": [[\"event\", "
        "\"Lesson\"], [\"Venue\", \"Hall\"]],\n\"nodes\": [\n{\"path\": [], \"ply\": 0, "
        "\"move\": null, \"comment\": \"\", \"sfen\": \"" +
            start + " w - 1\", \"result\": null, \"time\": null},\n" +
            "{\"path\": [0], \"ply\": 1, \"move\": \"P-3d\", \"comment\": \"\", \"sfen\": \"" +
            after + " b - 2\", \"result\": null, \"time\": 1.5},\n" +
            "{\"path\": [0, 0], \"ply\": 2, \"move\": null, \"comment\": \"\", \"sfen\": \"" +
            after + " b - 2\", \"result\": \"sealed\", \"time\": 12.001}\n],\n" +
            "\"error\": null}\n");
}

}  // namespace
