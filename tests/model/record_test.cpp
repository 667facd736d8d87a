#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/gamerecord.h"

namespace {

Move Step(PieceCode piece, Square from, Square to, int promote = 0) {
    Move m;
    m.piece = piece;
    m.from = from;
    m.to = to;
    m.promote = promote;
    return m;
}

// Black's first moves used to build small trees: 7g-7f, 2g-2f, 5g-5f, 1g-1f.
const Move kP76 = Step(Black | Pawn, {6, 6}, {5, 6});
const Move kP26 = Step(Black | Pawn, {6, 1}, {5, 1});
const Move kP56 = Step(Black | Pawn, {6, 4}, {5, 4});
const Move kP16 = Step(Black | Pawn, {6, 0}, {5, 0});
const Move kP34 = Step(White | Pawn, {2, 2}, {3, 2});

std::vector<Move> ContinuationMoves(const MoveNode& node) {
    std::vector<Move> moves;
    for (const ContinuationCell* c = node.firstChild.get(); c; c = c->next.get())
        moves.push_back(c->node->move);
    return moves;
}

bool Same(const std::vector<Move>& actual, const std::vector<Move>& expected) {
    if (actual.size() != expected.size()) return false;
    for (size_t i = 0; i < actual.size(); ++i)
        if (!SameMove(actual[i], expected[i])) return false;
    return true;
}

}  // namespace

TEST(GameRecord, WalksForwardAndBack) {
    GameRecord record;
    EXPECT_FALSE(record.GoBack());
    EXPECT_FALSE(record.GoForward(0));
    ASSERT_EQ(record.AddContinuation(kP76), 1);
    EXPECT_EQ(&record.Current(), &record.Root());  // adding does not move
    ASSERT_TRUE(record.GoForward(-1));             // a negative index enters the main line
    EXPECT_EQ(record.Current().number, 1);
    EXPECT_EQ(record.SideToMove(), White);
    ASSERT_EQ(record.AddContinuation(kP34), 1);
    ASSERT_TRUE(record.GoForward(0));
    EXPECT_EQ(record.Current().number, 2);
    EXPECT_EQ(record.Current().parent->parent, &record.Root());
    ASSERT_TRUE(record.GoBack());
    ASSERT_TRUE(record.GoBack());
    EXPECT_EQ(record.GetPosition(), Position());
    record.GoForward(0);
    record.GoForward(0);
    record.GoToTop();
    EXPECT_EQ(&record.Current(), &record.Root());
    EXPECT_EQ(record.GetPosition(), Position());
}

TEST(GameRecord, AddRefusesIllegalMovesAndKeepsDuplicates) {
    GameRecord record;
    EXPECT_EQ(record.AddContinuation(Step(Black | Pawn, {6, 6}, {4, 6})), 0);
    EXPECT_EQ(record.Root().childCount, 0);
    EXPECT_EQ(record.AddContinuation(kP76), 1);
    EXPECT_EQ(record.AddContinuation(kP76), 2);
    int index = -1;
    ASSERT_TRUE(record.FindContinuation(kP76, index));
    EXPECT_EQ(index, 0);
    EXPECT_FALSE(record.FindContinuation(kP26, index));
    record.AddContinuation(kP26);
    ASSERT_TRUE(record.FindContinuation(kP26, index));
    EXPECT_EQ(index, 2);
}

TEST(GameRecord, StoresTheCapturedPieceAndTakesItBack) {
    GameRecord record;
    // 7g-7f, 3c-3d, 8h-2b+ capturing the bishop, then back to the top.
    const Move bishopTakes = Step(Black | Bishop, {7, 7}, {1, 1}, 1);
    for (const Move& m : {kP76, kP34, bishopTakes}) {
        ASSERT_GT(record.AddContinuation(m), 0);
        ASSERT_TRUE(record.GoForward(0));
    }
    EXPECT_EQ(record.Current().move.captured, White | Bishop);
    EXPECT_EQ(record.GetPosition().HandCount(Black, Bishop), 1);
    EXPECT_EQ(record.Cell({1, 1}), Black | 8 | Bishop);
    while (record.GoBack()) {
    }
    EXPECT_EQ(record.GetPosition(), Position());
}

TEST(GameRecord, DeletesFirstMiddleAndLastContinuations) {
    GameRecord record;
    for (const Move& m : {kP76, kP26, kP56, kP16})
        record.AddContinuation(m);

    EXPECT_FALSE(record.DeleteContinuation(4));
    ASSERT_TRUE(record.DeleteContinuation(1));  // the later ones move up
    EXPECT_TRUE(Same(ContinuationMoves(record.Root()), {kP76, kP56, kP16}));
    ASSERT_TRUE(record.DeleteContinuation(2));  // the last: lastChild moves back
    EXPECT_TRUE(Same(ContinuationMoves(record.Root()), {kP76, kP56}));
    EXPECT_EQ(record.Root().lastChild->node->move.to, kP56.to);
    EXPECT_EQ(record.AddContinuation(kP16), 3);
    EXPECT_TRUE(Same(ContinuationMoves(record.Root()), {kP76, kP56, kP16}));
    ASSERT_TRUE(record.DeleteContinuation(-3));  // a negative index means the first
    EXPECT_TRUE(Same(ContinuationMoves(record.Root()), {kP56, kP16}));
    ASSERT_TRUE(record.DeleteContinuation(0));
    ASSERT_TRUE(record.DeleteContinuation(0));
    EXPECT_EQ(record.Root().childCount, 0);
    EXPECT_EQ(record.Root().firstChild, nullptr);
    EXPECT_EQ(record.Root().lastChild, nullptr);
    EXPECT_EQ(record.AddContinuation(kP26), 1);
    EXPECT_EQ(record.GetPosition(), Position());  // deleting never moves the position
}

TEST(GameRecord, SnapshotRestoresPlaceAndPosition) {
    GameRecord record;
    record.AddContinuation(kP76);
    record.GoForward(0);
    PositionSnapshot snapshot;
    record.SaveSnapshot(snapshot);
    const MoveNode* here = &record.Current();
    record.GoBack();
    record.AddContinuation(kP26);
    record.GoForward(1);
    record.RestoreSnapshot(snapshot);
    EXPECT_EQ(&record.Current(), here);
    record.GoBack();
    EXPECT_EQ(record.GetPosition(), Position());
}

TEST(GameRecord, ResetEmptiesEverything) {
    GameRecord record;
    record.title = "t";
    record.black = "b";
    record.white = "w";
    record.SetCurrentComment("root");
    record.AddContinuation(kP76);
    record.GoForward(0);
    record.Reset();
    EXPECT_EQ(record.title + record.black + record.white, "");
    EXPECT_EQ(record.Root().childCount, 0);
    EXPECT_EQ(record.Root().comment, "");
    EXPECT_EQ(&record.Current(), &record.Root());
    EXPECT_EQ(record.GetPosition(), Position());
}

// Rooks shuffling back and forth make an endless legal line.
TEST(GameRecord, MillionMoveLineIsBuiltAndDestroyedWithoutRecursion) {
    const Move shuffles[4] = {
        Step(Black | Rook, {7, 1}, {7, 2}), Step(White | Rook, {1, 7}, {1, 6}),
        Step(Black | Rook, {7, 2}, {7, 1}), Step(White | Rook, {1, 6}, {1, 7})};
    auto record = std::make_unique<GameRecord>();
    for (int i = 0; i < 1'000'000; ++i) {
        ASSERT_EQ(record->AddContinuation(shuffles[i % 4]), 1);
        record->GoForward(0);
    }
    EXPECT_EQ(record->Current().number, 1'000'000);
    record->GoToTop();
    record->Reset();
    EXPECT_EQ(record->Root().childCount, 0);
    for (int i = 0; i < 1'000'000; ++i) {
        record->AddContinuation(shuffles[i % 4]);
        record->GoForward(0);
    }
    record.reset();
}

// Each level holds a main-line move and, as its variation, the line that goes one level deeper.
TEST(GameRecord, DeeplyNestedVariationsAreDestroyedWithoutRecursion) {
    const Move shuffles[4] = {
        Step(Black | Rook, {7, 1}, {7, 2}), Step(White | Rook, {1, 7}, {1, 6}),
        Step(Black | Rook, {7, 2}, {7, 1}), Step(White | Rook, {1, 6}, {1, 7})};
    const Move kingSteps[2] = {Step(Black | King, {8, 4}, {7, 3}),
                               Step(White | King, {0, 4}, {1, 3})};
    auto record = std::make_unique<GameRecord>();
    for (int level = 0; level < 100'000; ++level) {
        ASSERT_EQ(record->AddContinuation(kingSteps[level % 2]), 1);
        ASSERT_EQ(record->AddContinuation(shuffles[level % 4]), 2);
        record->GoForward(1);
    }
    EXPECT_EQ(record->Current().number, 100'000);
    record->GoToTop();
    ASSERT_TRUE(record->DeleteContinuation(1));
    EXPECT_EQ(record->Root().childCount, 1);
    for (int level = 0; level < 100'000; ++level) {
        record->AddContinuation(kingSteps[level % 2]);
        record->AddContinuation(shuffles[level % 4]);
        record->GoForward(record->Current().childCount - 1);
    }
    record.reset();
}
