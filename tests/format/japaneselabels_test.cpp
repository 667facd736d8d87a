#include "format/japaneselabels.h"

#include <gtest/gtest.h>

#include "format/recordio.h"

namespace {

// The labels of each position along the main line of an ESN text, with a result added at the
// end: the mover's mark, 同 for a capture on the last move's square, the marks that single out
// one of two golds, and the result's word.
TEST(JapaneseLabels, NameMovesAsKi2WritesThemAndResultsByTheirWord) {
    GameRecord record;
    const std::string text =
        "1. P-7f\r\n2. P-3d\r\n3. B8hx2b+\r\n{\r\n3. G6i-5h\r\n}\r\n{\r\n3. G4i-5h\r\n}\r\n"
        "4. S3ax2b\r\n";
    ASSERT_FALSE(ReadRecord(record, text, FileType{}).error);
    while (record.GoForward(0)) {
    }
    ASSERT_EQ(record.AddResult(GameResult::Resign), 1);
    record.GoToTop();
    const std::vector<std::vector<std::string>> expected = {
        {"1. ▲７六歩"}, {"2. △３四歩"}, {"3. ▲２二角成", "3. ▲５八金左", "3. ▲５八金右"},
        {"4. △同　銀"}, {"5. 投了"},
    };
    std::vector<std::string> labels;
    for (std::size_t ply = 0; ply < expected.size(); ++ply) {
        GetJapaneseContinuationList(record, labels);
        EXPECT_EQ(labels, expected[ply]) << "at ply " << ply;
        ASSERT_TRUE(record.GoForward(0));
    }
    GetJapaneseContinuationList(record, labels);
    EXPECT_TRUE(labels.empty()) << "a result has no continuations";
}

}  // namespace
