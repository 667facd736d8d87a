#include "boardtesting.h"

namespace {

using Answer = Prompter::Answer;

class BoardMouseTest : public BoardTest {
  protected:
    // The white frame on screen: all of the rectangle's border pixels, inside it.
    bool FrameShown(QRect r) const {
        const QImage screen = Screen();
        for (int t = 0; t < r.width(); ++t)
            if (At(screen, r.left() + t, r.top()) != Qt::white ||
                At(screen, r.left() + t, r.bottom()) != Qt::white)
                return false;
        for (int t = 0; t < r.height(); ++t)
            if (At(screen, r.left(), r.top() + t) != Qt::white ||
                At(screen, r.right(), r.top() + t) != Qt::white)
                return false;
        return true;
    }
    bool NoFrame() const {
        return Screen().convertToFormat(QImage::Format_RGB32) ==
               board->Picture().convertToFormat(QImage::Format_RGB32);
    }
    const Move& Last() const { return doc.m_record.Current().move; }
};

TEST_F(BoardMouseTest, SelectDeselectReselectAndEnterAMove) {
    const QRect g7(128, 224, 33, 33);
    EXPECT_EQ(CBoardWnd::CellRect(Centre("7g")), g7);
    Click("3c");  // White's pawn: not the side to move
    Click("5e");  // empty
    QTest::mouseClick(board, Qt::RightButton, {}, Centre("7g"));
    EXPECT_FALSE(board->IsSelected());
    EXPECT_EQ(window.focusWidget(), view);

    Click("7g");
    ASSERT_TRUE(board->IsSelected());
    EXPECT_EQ(board->FrameRect(), g7);
    EXPECT_TRUE(FrameShown(g7));
    Click("7g");
    EXPECT_FALSE(board->IsSelected());
    EXPECT_TRUE(NoFrame());

    Click("7g");
    Click("2h");  // another own piece: the frame moves in one click
    EXPECT_EQ(board->FrameRect(), QRect(288, 256, 33, 33));
    EXPECT_FALSE(FrameShown(g7));
    Click("7g");
    Click("7e");  // two squares: illegal, the selection stays
    Click("3c");  // White's pawn out of reach: illegal capture
    EXPECT_TRUE(board->IsSelected());
    EXPECT_TRUE(FrameShown(g7));
    EXPECT_EQ(doc.m_record.SideToMove(), Black);
    EXPECT_FALSE(doc.IsModified());

    Click("7f");
    EXPECT_FALSE(board->IsSelected());
    EXPECT_TRUE(NoFrame());
    EXPECT_EQ(doc.m_record.Cell(Sq("7f")), Black | Pawn);
    EXPECT_EQ(doc.m_record.SideToMove(), White);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(prompter.asked.isEmpty());
}

TEST_F(BoardMouseTest, FrameLiesOnWhatThePictureShowsUnderIt) {
    Play({"7g7f", "3c3d", "8h2b+", "3a2b", "5i4h"});  // White to move, a bishop in each hand
    Click(TopSlot(1));
    ASSERT_TRUE(board->IsSelected());
    // The top hand's frame keeps one pixel off the board's left grid line.
    EXPECT_EQ(board->FrameRect(), QRect(32, 32, 32, 33));
    EXPECT_TRUE(FrameShown(board->FrameRect()));
    EXPECT_EQ(At(Screen(), 64, 48), Qt::black);
    auto underFrameIs = [&](QColor colour) {
        const QRect r = board->FrameRect();
        for (int t = 0; t < 32; ++t)
            if (At(r.left() + t, r.top()) != colour || At(r.left(), r.top() + t) != colour ||
                At(r.right(), r.top() + t) != colour || At(r.left() + t, r.bottom()) != colour)
                return false;
        return true;
    };
    EXPECT_EQ(board->FrameEraseBrush()->color(), QColor(198, 198, 198));
    EXPECT_TRUE(underFrameIs(board->FrameEraseBrush()->color()));
    Click("4a");  // White's gold
    EXPECT_EQ(board->FrameRect(), QRect(224, 32, 33, 33));
    EXPECT_EQ(board->FrameEraseBrush()->color(), QColor(Qt::black));
    EXPECT_TRUE(underFrameIs(Qt::black));
    board->ReloadPiecePictures();  // a change of style keeps the selection
    EXPECT_TRUE(FrameShown(board->FrameRect()));
    doc.GoTop();  // any update of the document drops it
    EXPECT_FALSE(board->IsSelected());
    EXPECT_TRUE(NoFrame());
}

TEST_F(BoardMouseTest, DropsFromTheHandOfTheSideToMoveOnly) {
    Play({"7g7f", "3c3d", "8h2b+", "3a2b"});  // Black to move, a bishop in each hand
    Click(TopSlot(1));                        // White's hand
    Click(BottomSlot(2));                     // an empty slot
    Click(BottomSlot(9));
    EXPECT_FALSE(board->IsSelected());
    Click(BottomSlot(1));
    ASSERT_TRUE(board->IsSelected());
    EXPECT_EQ(board->FrameRect(), QRect(384, 288, 33, 33));
    Click("5e");
    EXPECT_TRUE(Last().drop);
    EXPECT_EQ(Last().piece, Black | Bishop);
    EXPECT_EQ(doc.m_record.Cell(Sq("5e")), Black | Bishop);

    // With White below and to move, White's hand is the right-hand column, slot 1 at the bottom.
    board->Rotate();
    Click(TopSlot(1));  // Black's hand, now empty anyway
    Click(BottomSlot(9));
    EXPECT_FALSE(board->IsSelected());
    Click(BottomSlot(1));
    EXPECT_EQ(board->PendingMove().piece, White | Bishop);
    Click("1e");  // White's drop, on the square at the far left of rank e
    EXPECT_EQ(Centre("1e"), QPoint(80, 176));
    EXPECT_EQ(doc.m_record.Cell(Sq("1e")), White | Bishop);
}

TEST_F(BoardMouseTest, PawnDropsWhereThePawnCouldNotMoveOrOnAPawnFileAreRefused) {
    // Black's pawn on file 2 captures a pawn and then the bishop, promoting.
    Play({"7g7f", "5a4b", "2g2f", "4b5a", "2f2e", "5a4b", "2e2d", "4b5a", "2d2c", "5a4b", "2c2b+",
          "4b3b"});
    ASSERT_EQ(board->PendingMove().piece, 0);
    Click(BottomSlot(1));  // Black's pawn; the bishop is in slot 2
    EXPECT_EQ(board->PendingMove().piece, Black | Pawn);
    Click("5a");  // would never move again
    Click("4a");  // the gold there: a capture from the hand is no move
    Click("7e");  // file 7 holds Black's pawn on 7f
    EXPECT_TRUE(board->IsSelected());
    EXPECT_EQ(doc.m_record.Current().number, 12);
    Click("2d");  // file 2 holds only a promoted pawn
    EXPECT_EQ(doc.m_record.Current().number, 13);
    EXPECT_EQ(doc.m_record.Cell(Sq("2d")), Black | Pawn);
    EXPECT_TRUE(prompter.asked.isEmpty());
}

TEST_F(BoardMouseTest, PromotionIsAskedOnlyWhenItIsAChoice) {
    Play({"7g7f", "3c3d"});
    Click("8h");
    prompter.answers = {Answer::Yes};
    Click("2b");
    EXPECT_EQ(prompter.asked, QStringList{"Promote Piece?"});
    EXPECT_EQ(doc.m_record.Cell(Sq("2b")), Black | PromotedFlag | Bishop);

    doc.GoBackward();
    doc.SetModifiedFlag(false);
    Click("8h");
    prompter.answers = {Answer::No};
    Click("2b");
    EXPECT_EQ(doc.m_record.Cell(Sq("2b")), Black | Bishop);
    EXPECT_EQ(prompter.asked.size(), 2);
    EXPECT_TRUE(doc.IsModified());  // the other promotion choice is a new variation
    doc.GoBackward();
    EXPECT_EQ(doc.m_record.Current().childCount, 2);

    // The same move again follows the existing continuation and changes nothing.
    doc.SetModifiedFlag(false);
    Click("8h");
    prompter.answers = {Answer::Yes};
    Click("2b");
    doc.GoBackward();
    EXPECT_EQ(doc.m_record.Current().childCount, 2);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(prompter.asked.size(), 3);

    // A pawn reaching the last rank promotes without a question.
    doc.GoForward();
    Play({"3a2b", "2g2f", "5a4b", "2f2e", "4b5a", "2e2d", "5a4b", "2d2c", "4b5a", "2c2b", "5a4b"});
    Click("2b");
    Click("2a");
    EXPECT_EQ(prompter.asked.size(), 3);
    EXPECT_EQ(doc.m_record.Cell(Sq("2a")), Black | PromotedFlag | Pawn);
    EXPECT_TRUE(Last().promote);
}

TEST_F(BoardMouseTest, DoubleClickSelectsOnce) {
    const QPoint at = board->mapTo(&window, Centre("7g"));
    QTest::mouseDClick(window.windowHandle(), Qt::LeftButton, {}, at);
    EXPECT_TRUE(board->IsSelected());
    QTest::mouseDClick(board, Qt::LeftButton, {}, Centre("7g"));
    EXPECT_TRUE(board->IsSelected());
    EXPECT_EQ(board->FrameRect(), QRect(128, 224, 33, 33));
}

}  // namespace
