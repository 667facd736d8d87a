#include <gtest/gtest.h>

#include <QLabel>
#include <QStatusBar>

#include "format/esn/notation.h"
#include "tests/document/documenttesting.h"
#include "tests/support/randomedits.h"
#include "view/commandids.h"
#include "view/movelist.h"
#include "view/movelistmodel.h"
#include "viewtesting.h"

namespace {

// Plays a rook to and fro on each side: a line as long as wished.
std::vector<Move> Shuttle(int plies) {
    const char* moves[] = {"2h3h", "8b7b", "3h2h", "7b8b"};
    std::vector<Move> line;
    Position position;
    for (int ply = 0; ply < plies; ++ply) {
        line.push_back(MoveOn(position, moves[ply % 4]));
        Play(position, line.back());
    }
    return line;
}

}  // namespace

class MoveListTest : public FrameTest {
  protected:
    CMoveList& List() { return *frame->MoveList(); }
    const MoveListModel& Model() { return List().Model(); }
    QString Cell(int row, int column) { return Model().index(row, column).data().toString(); }
    QString Place() { return frame->statusBar()->findChild<QLabel*>("placeLabel")->text(); }
    int SelectedRow() {
        const QModelIndexList rows = List().selectionModel()->selectedRows();
        return rows.size() == 1 ? rows.front().row() : -1;
    }
    // The rows as "P-7f +*", joined.
    std::string Shown() {
        QStringList rows;
        for (int row = 0; row < Model().rowCount(); ++row)
            rows << (Cell(row, MoveListModel::MoveColumn) + ' ' +
                     Cell(row, MoveListModel::MarksColumn))
                        .trimmed();
        return rows.join(", ").toStdString();
    }
    // The same, worked out from the record: the way to the current node, then on along the
    // main continuation.
    std::string Expected() {
        std::vector<const MoveNode*> line;
        for (const MoveNode* node = &doc.Record().Current(); node; node = node->Parent())
            line.insert(line.begin(), node);
        while (const MoveNode* next = line.back()->Continuation(0))
            line.push_back(next);
        QStringList rows;
        Position position = doc.Record().StartPosition();
        for (const MoveNode* node : line) {
            const QString move =
                node->Parent() ? MoveTextOn(position, node->move).c_str() : "Start";
            const bool branch = node->Parent() && node->Parent()->ChildCount() > 1;
            rows << (move + ' ' + (branch ? "+" : "") + (node->Comment().empty() ? "" : "*"))
                        .trimmed();
            PlayNode(position, *node);
        }
        return rows.join(", ").toStdString();
    }
};

// Root: P-7f (P-3d P-2f; P-8d), P-2f, P-5f (P-5d); comments before the first move and after
// P-7f.
TEST_F(MoveListTest, FollowsSteppingClicksAndKeys) {
    OpenGame(SampleGame);
    EXPECT_EQ(Shown(), "Start *, P-7f +*, P-3d +, P-2f");
    EXPECT_EQ(Place(), "Move 0 of 3");
    Trigger(ID_MOVE_END);
    EXPECT_EQ(SelectedRow(), 3);
    QTest::mouseClick(List().viewport(), Qt::LeftButton, {},
                      List().visualRect(Model().index(1, MoveListModel::MoveColumn)).center());
    EXPECT_EQ(Ply(), 1);
    EXPECT_EQ(Place(), "Move 1 of 3");
    QTest::keyClick(&List(), Qt::Key_Down);
    EXPECT_EQ(Ply(), 2);

    // Into a variation: the rows follow its line.
    Trigger(ID_MOVE_TOP);
    doc.SelectVariation(2);
    Trigger(ID_MOVE_FORWARD);
    EXPECT_EQ(Shown(), "Start *, P-5f +, P-5d");
    EXPECT_EQ(SelectedRow(), 1);
    EXPECT_EQ(Place(), "Move 1 of 2 in a variation");
    Trigger(ID_OPTIONS_JAPANESE_NOTATION);
    EXPECT_EQ(Cell(2, MoveListModel::MoveColumn), "△５四歩");
}

// After every random walk and edit, undone and redone, the list shows the line through the
// current node and has its row selected.
TEST_F(MoveListTest, FollowsEveryEditUndoAndRedo) {
    ASSERT_TRUE(frame->OpenDocumentFile(TestData("document/club-final.esn")));
    std::mt19937 random(5);
    for (int step = 0; step < 150; ++step) {
        Wander(doc, random);
        if (step % 5 == 4)
            doc.Undo();
        else if (step % 5 == 3)
            doc.Redo();
        else
            Edit(doc, random, step);
        ASSERT_EQ(Shown(), Expected()) << "step " << step;
        ASSERT_EQ(SelectedRow(), Ply()) << "step " << step;
    }
}

// A line of a million moves: the list holds a row for each and follows the steps at its end.
TEST_F(MoveListTest, AMillionMoves) {
    ShowActive();
    ASSERT_TRUE(doc.AddVariation(Shuttle(1'000'000)));
    Trigger(ID_MOVE_END);
    ASSERT_EQ(Model().rowCount(), 1'000'001);
    EXPECT_EQ(SelectedRow(), 1'000'000);
    EXPECT_TRUE(List().viewport()->rect().contains(
        List().visualRect(Model().index(1'000'000, MoveListModel::MoveColumn)).center()));
    EXPECT_EQ(Cell(999'999, MoveListModel::MoveColumn), "R3h-2h");
    EXPECT_EQ(Cell(1'000'000, MoveListModel::MoveColumn), "R7b-8b");
    Trigger(ID_MOVE_BACK);
    EXPECT_EQ(SelectedRow(), 999'999);
    EXPECT_EQ(Place(), "Move 999999 of 1000000");

    List().setCurrentIndex(Model().index(500'000, MoveListModel::MoveColumn));
    EXPECT_EQ(Ply(), 500'000);
    Trigger(ID_MOVE_DELETE_AFTER);
    EXPECT_EQ(Model().rowCount(), 500'001);
    Trigger(ID_EDIT_UNDO);
    EXPECT_EQ(Model().rowCount(), 1'000'001);
    EXPECT_EQ(Cell(700'002, MoveListModel::MoveColumn), "R8b-7b");
}
