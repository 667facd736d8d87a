#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "model/gamerecord.h"

namespace {

Move Step(PieceCode piece, Square from, Square to, int promote = 0) {
    return {from, to, piece, 0, promote, 0};
}

// Black's first moves used to build small trees: 7g-7f, 2g-2f, 5g-5f, 1g-1f; White's 3c-3d.
const Move kP76 = Step(Black | Pawn, {6, 6}, {5, 6});
const Move kP26 = Step(Black | Pawn, {6, 1}, {5, 1});
const Move kP56 = Step(Black | Pawn, {6, 4}, {5, 4});
const Move kP16 = Step(Black | Pawn, {6, 0}, {5, 0});
const Move kP34 = Step(White | Pawn, {2, 2}, {3, 2});

// The destination files of the node's continuations, in order: 6 for 7f, 1 for 2f, ...
std::vector<int> ContinuationFiles(const MoveNode& node) {
    std::vector<int> files;
    for (const ContinuationCell* c = node.FirstChild(); c; c = c->next.get())
        files.push_back(c->node->move.to.file);
    return files;
}

}  // namespace

TEST(GameRecord, AddsWalksAndTakesBackMoves) {
    GameRecord record;
    EXPECT_FALSE(record.GoBack());
    EXPECT_FALSE(record.GoForward(0));
    EXPECT_EQ(record.AddContinuation(Step(Black | Pawn, {6, 6}, {4, 6})), 0);  // illegal
    ASSERT_EQ(record.AddContinuation(kP76), 1);
    EXPECT_EQ(record.AddContinuation(kP76), 2);    // a duplicate is kept
    EXPECT_EQ(&record.Current(), &record.Root());  // adding does not move
    int index = -1;
    EXPECT_FALSE(record.FindContinuation(kP26, index));
    record.AddContinuation(kP26);
    ASSERT_TRUE(record.FindContinuation(kP26, index));
    EXPECT_EQ(index, 2);
    ASSERT_TRUE(record.FindContinuation(kP76, index));
    EXPECT_EQ(index, 0);

    // 7g-7f, 3c-3d, 8h-2b+ capturing the bishop.
    ASSERT_TRUE(record.GoForward(-1));  // a negative index enters the main line
    EXPECT_EQ(record.SideToMove(), White);
    const Move bishopTakes = Step(Black | Bishop, {7, 7}, {1, 1}, 1);
    for (const Move& m : {kP34, bishopTakes}) {
        ASSERT_EQ(record.AddContinuation(m), 1);
        ASSERT_TRUE(record.GoForward(0));
    }
    EXPECT_EQ(record.Current().number, 3);
    EXPECT_EQ(record.Current().move.captured, White | Bishop);
    EXPECT_EQ(record.GetPosition().HandCount(Black, Bishop), 1);
    EXPECT_EQ(record.Cell({1, 1}), Black | 8 | Bishop);
    // Finding a continuation ignores the captured piece but not the promotion.
    ASSERT_TRUE(record.GoBack());
    EXPECT_TRUE(record.FindContinuation(bishopTakes, index));
    EXPECT_FALSE(record.FindContinuation(Step(Black | Bishop, {7, 7}, {1, 1}), index));
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
    EXPECT_EQ(ContinuationFiles(record.Root()), (std::vector<int>{6, 4, 0}));
    ASSERT_TRUE(record.DeleteContinuation(2));  // the last: lastChild moves back
    EXPECT_EQ(record.AddContinuation(kP16), 3);
    EXPECT_EQ(ContinuationFiles(record.Root()), (std::vector<int>{6, 4, 0}));
    ASSERT_TRUE(record.DeleteContinuation(-3));  // a negative index means the first
    EXPECT_EQ(ContinuationFiles(record.Root()), (std::vector<int>{4, 0}));
    ASSERT_TRUE(record.DeleteContinuation(0));
    ASSERT_TRUE(record.DeleteContinuation(0));
    EXPECT_EQ(record.Root().ChildCount(), 0);
    EXPECT_EQ(record.Root().LastChild(), nullptr);
    EXPECT_EQ(record.AddContinuation(kP26), 1);
    EXPECT_EQ(ContinuationFiles(record.Root()), (std::vector<int>{1}));
    EXPECT_EQ(record.GetPosition(), Position());  // deleting never moves the position
}

// Continuations taken out go back only where they came from, and not after a reset, which
// freed them.
TEST(GameRecord, DetachedContinuationsGoBackOnlyWhereTheyCameFrom) {
    GameRecord record;
    for (const Move& m : {kP76, kP26, kP56, kP16})
        record.AddContinuation(m);
    DetachedLines lines = record.DetachContinuations(1, 2);
    EXPECT_TRUE(record.DetachContinuations(2, 1).Empty());  // only two are left
    EXPECT_EQ(ContinuationFiles(record.Root()), (std::vector<int>{6, 0}));
    EXPECT_FALSE(record.AttachContinuations(3, lines));
    record.GoForward(0);
    EXPECT_FALSE(record.AttachContinuations(0, lines));
    record.GoBack();
    ASSERT_TRUE(record.AttachContinuations(2, lines));
    EXPECT_TRUE(lines.Empty());
    EXPECT_EQ(ContinuationFiles(record.Root()), (std::vector<int>{6, 0, 1, 4}));

    lines = record.DetachContinuations(0, 1);
    record.Reset();
    EXPECT_FALSE(record.AttachContinuations(0, lines));
}

// Rooks shuffling back and forth make an endless legal line; kings stepping off their squares
// give each level a main-line move beside the variation that goes one level deeper. Building,
// walking, deleting and resetting such trees must never recurse once per move or level.
TEST(GameRecord, LongLinesAndDeepNestingAreWalkedAndDeletedWithoutRecursion) {
    const Move shuffles[4] = {
        Step(Black | Rook, {7, 1}, {7, 2}), Step(White | Rook, {1, 7}, {1, 6}),
        Step(Black | Rook, {7, 2}, {7, 1}), Step(White | Rook, {1, 6}, {1, 7})};
    const Move kingSteps[2] = {Step(Black | King, {8, 4}, {7, 3}),
                               Step(White | King, {0, 4}, {1, 3})};
    auto record = std::make_unique<GameRecord>();
    record->SetTitle("t");
    record->SetCurrentComment("root");
    constexpr int LineLength = 1'000'000;
    for (int i = 0; i < LineLength; ++i) {
        ASSERT_EQ(record->AddContinuation(shuffles[i % 4]), 1);
        record->GoForward(0);
        if (i % 1000 == 0) record->SetCurrentComment("a note on the way");
    }
    ASSERT_EQ(record->AddResult(GameResult::MaxMoves), 1);
    EXPECT_EQ(CountMoves(record->Root()), LineLength);
    record->GoToTop();
    int ply = 0;
    while (record->GoForward(0))
        ++ply;
    EXPECT_EQ(ply, LineLength + 1);
    EXPECT_EQ(record->Current().Result(), GameResult::MaxMoves);
    while (record->GoBack()) {
    }
    EXPECT_EQ(record->GetPosition(), Position());
    DetachedLines line = record->DetachContinuations(0, 1);
    EXPECT_EQ(record->Root().ChildCount(), 0);
    ASSERT_TRUE(record->AttachContinuations(0, line));
    EXPECT_EQ(CountMoves(record->Root()), LineLength);
    ASSERT_TRUE(record->DeleteContinuation(0));
    EXPECT_EQ(record->Root().ChildCount(), 0);
    EXPECT_EQ(record->Root().Comment(), "root");
    record->Reset();
    EXPECT_EQ(record->Title() + record->Root().Comment(), "");
    EXPECT_EQ(record->Root().ChildCount(), 0);
    EXPECT_EQ(&record->Current(), &record->Root());
    EXPECT_EQ(record->GetPosition(), Position());

    constexpr int Levels = 100'000;
    for (int level = 0; level < Levels; ++level) {
        ASSERT_EQ(record->AddContinuation(kingSteps[level % 2]), 1);
        ASSERT_EQ(record->AddContinuation(shuffles[level % 4]), 2);
        record->GoForward(1);
    }
    EXPECT_EQ(record->Current().number, Levels);
    EXPECT_EQ(CountMoves(record->Root()), 2 * Levels);
    const std::vector<BranchPlace> places = record->PromoteCurrentLine();
    EXPECT_EQ(places.size(), static_cast<std::size_t>(Levels));
    record->RestoreBranches(places);
    EXPECT_EQ(record->CurrentPath().Length(), Levels);
    EXPECT_EQ(record->CurrentPath().Last(), 1);
    record->GoToTop();
    int depth = 0;
    while (record->GoForward(1))
        ++depth;
    EXPECT_EQ(depth, Levels);
    record->GoToTop();
    ASSERT_TRUE(record->DeleteContinuation(1));
    EXPECT_EQ(record->Root().ChildCount(), 1);
    EXPECT_EQ(CountMoves(record->Root()), 1);
    // The deleted nodes are handed out again.
    for (int i = 0; i < Levels; ++i) {
        const int count = record->AddContinuation(shuffles[i % 4]);
        ASSERT_GT(count, 0);
        record->GoForward(count - 1);
    }
    EXPECT_EQ(record->Current().number, Levels);
    record.reset();
}
