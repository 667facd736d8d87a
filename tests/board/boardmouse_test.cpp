#include "boardtesting.h"

namespace {

class BoardMouseTest : public BoardTest {
  protected:
    // The white frame the screen shows over the picture: one window pixel along the inside of
    // the rectangle returned (in window pixels), which is empty when the screen shows just the
    // picture.
    QRect FrameOnScreen() const {
        const QImage screen = Screen(), picture = board->Picture();
        const int r = Ratio();
        QRect frame;
        int changed = 0;
        for (int y = 0; y < screen.height(); ++y)
            for (int x = 0; x < screen.width(); ++x)
                if (At(screen, x, y) != At(picture, x, y)) {
                    EXPECT_EQ(At(screen, x, y), Qt::white) << x << "," << y;
                    frame |= QRect(x / r, y / r, 1, 1), ++changed;
                }
        EXPECT_EQ(changed,
                  frame.isEmpty() ? 0 : r * r * (2 * (frame.width() + frame.height()) - 4));
        return frame;
    }
};

TEST_F(BoardMouseTest, SelectDeselectReselectAndEnterAMove) {
    Click("3c");  // White's pawn: not the side to move
    Click("5e");  // empty
    QTest::mouseClick(board, Qt::RightButton, {}, Centre("7g"));
    EXPECT_FALSE(board->IsSelected());
    EXPECT_EQ(window.focusWidget(), view);

    // The second press of a double click neither deselects nor selects again.
    const QRect g7(128, 224, 33, 33);
    QTest::mouseDClick(window.windowHandle(), Qt::LeftButton, {},
                       board->mapTo(&window, Centre("7g")));
    EXPECT_EQ(FrameOnScreen(), g7);
    Click("7g");
    EXPECT_EQ(FrameOnScreen(), QRect());

    Click("7g");
    Click("2h");  // another own piece: the frame moves in one click
    EXPECT_EQ(FrameOnScreen(), QRect(288, 256, 33, 33));
    Click("7g");
    Click("7e");  // two squares: illegal, the selection stays
    Click("3c");  // White's pawn out of reach
    EXPECT_EQ(FrameOnScreen(), g7);
    EXPECT_FALSE(doc.IsModified());

    Click("7f");
    EXPECT_EQ(FrameOnScreen(), QRect());
    EXPECT_EQ(doc.Record().Cell(Sq("7f")), Black | Pawn);
    EXPECT_TRUE(prompter.asked.isEmpty());
}

TEST_F(BoardMouseTest, DropsFromTheHandOfTheSideToMoveOnly) {
    Play({"7g7f", "3c3d", "8h2b+", "3a2b"});  // Black to move, a bishop in each hand
    Click(TopSlot(1));                        // White's
    Click(BottomSlot(2));                     // empty
    Click(BottomSlot(9));
    EXPECT_FALSE(board->IsSelected());
    Click(BottomSlot(1));
    EXPECT_EQ(FrameOnScreen(), QRect(384, 288, 33, 33));
    Click("5e");
    EXPECT_EQ(doc.Record().Cell(Sq("5e")), Black | Bishop);

    Click(TopSlot(1));  // its frame keeps off the board's left grid line
    EXPECT_EQ(FrameOnScreen(), QRect(32, 32, 32, 33));

    // With White below, White's hand is the right-hand column, counted from the bottom.
    board->Rotate();
    Click(BottomSlot(9));
    EXPECT_FALSE(board->IsSelected());
    Click(BottomSlot(1));
    Click("1e");  // now at the far left of rank e
    EXPECT_EQ(doc.Record().Cell(Sq("1e")), White | Bishop);
}

TEST_F(BoardMouseTest, PromotesWhereItMustAsksNothingAndRefusesBadPawnDrops) {
    Play({"7g7f", "3c3d"});
    // Promoting is a choice here: the board leaves it to whoever takes the move.
    Click("8h");
    Click("2b");
    EXPECT_EQ(doc.Record().Cell(Sq("2b")), Black | Bishop);

    // A pawn reaching the last rank promotes.
    Play({"3a2b", "2g2f", "5a4b", "2f2e", "4b5a", "2e2d", "5a4b", "2d2c", "4b5a", "2c2b", "5a4b"});
    Click("2b");
    Click("2a");
    EXPECT_EQ(doc.Record().Cell(Sq("2a")), Black | PromotedFlag | Pawn);

    Play({"4b3b"});
    Click(BottomSlot(1));  // a pawn, the first of four kinds in hand
    Click("5a");           // would never move again
    Click("4a");           // the gold there: a drop captures nothing
    Click("7e");           // file 7 holds Black's pawn on 7f
    EXPECT_TRUE(board->IsSelected());
    Click("2d");  // file 2 holds only a promoted pawn
    EXPECT_EQ(doc.Record().Cell(Sq("2d")), Black | Pawn);
    EXPECT_TRUE(prompter.asked.isEmpty());
}

}  // namespace
