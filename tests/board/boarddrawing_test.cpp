#include <QPainter>
#include <QSignalSpy>

#include "boardtesting.h"

namespace {

const QColor Grey(198, 198, 198), Wood(204, 153, 51), Ink(0, 0, 0);

class BoardDrawingTest : public BoardTest {
  protected:
    QColor At(QPoint p) const { return BoardTest::At(p.x(), p.y()); }
    using BoardTest::At;
    mutable PiecePictures japanese{true};
    // Opaque pixels of the square at `origin` that differ from the Japanese picture of strip
    // cell `cell`, upright or turned, in a square of `square` pixels at the screen's pixel ratio;
    // the strip's pure blue lets the board show through.
    int PieceMismatches(QPoint origin, int cell, bool turned, int square = 32) const {
        const int size = square * Ratio();
        const QImage& want = japanese.Cell(cell, turned, size);
        const QImage shown = board->Picture();
        int mismatches = 0;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                const QColor pixel = want.pixelColor(x, y);
                mismatches += pixel.alpha() == 255 && At(shown, origin.x() * Ratio() + x,
                                                         origin.y() * Ratio() + y) != pixel.toRgb();
            }
        return mismatches;
    }
    // Whether the area shows nothing but `text` placed by `flags` on grey. Its first row and
    // column are left out: there a grid line may run.
    bool ShowsText(QRect area, int flags, const QString& text) const {
        const int r = Ratio();
        QImage want(area.size() * r, QImage::Format_RGB32);
        want.setDevicePixelRatio(r);
        want.fill(Grey);
        QPainter painter(&want);
        painter.setFont(QApplication::font());
        painter.drawText(QRect(QPoint(0, 0), area.size()), flags, text);
        painter.end();
        const QRect inner = QRect(QPoint(0, 0), area.size() * r).adjusted(r, r, 0, 0);
        const QImage shown = board->Picture().convertToFormat(QImage::Format_RGB32);
        return shown.copy(inner.translated(area.topLeft() * r)) == want.copy(inner);
    }
};

// The starting position, first with Black below, then with White below.
TEST_F(BoardDrawingTest, StartingPositionInBothOrientations) {
    for (int turn = 0; turn < 2; ++turn) {
        SCOPED_TRACE(turn ? "White below" : "Black below");
        // Ten grid lines each way, one pixel wide between the grey background and the wood,
        // unbroken past the pieces and without their end points.
        for (int i = 0; i <= 9; ++i) {
            for (int t = 0; t < 288; ++t) {
                ASSERT_EQ(At(64 + 32 * i, 32 + t), Ink) << "vertical line " << i;
                ASSERT_EQ(At(64 + t, 32 + 32 * i), Ink) << "horizontal line " << i;
            }
            EXPECT_EQ(At(63 + 32 * i, 176), i ? Wood : Grey);
            EXPECT_EQ(At(65 + 32 * i, 176), i < 9 ? Wood : Grey);
        }
        EXPECT_EQ(At(352, 320), Grey);
        EXPECT_EQ(At(64, 31), Grey);

        // Star points: filled circles in the box (x-2, y-2)-(x+3, y+3), that is, every device
        // pixel whose centre lies within 2.5 window pixels of the grid corner's centre.
        const int r = Ratio();
        const QImage picture = board->Picture();
        for (QPoint star : {QPoint(160, 128), QPoint(256, 128), QPoint(256, 224), QPoint(160, 224)})
            for (int dy = -4 * r; dy < 5 * r; ++dy)
                for (int dx = -4 * r; dx < 5 * r; ++dx) {
                    const double cx = dx + 0.5 - r / 2.0, cy = dy + 0.5 - r / 2.0;
                    const bool onLine = (dx >= 0 && dx < r) || (dy >= 0 && dy < r);
                    ASSERT_EQ(At(picture, star.x() * r + dx, star.y() * r + dy),
                              cx * cx + cy * cy < 6.25 * r * r || onLine ? Ink : Wood)
                        << star.x() << "," << star.y() << " " << dx << "," << dy;
                }

        // Ranks a, c, g and i are full; ranks b and h hold a piece two squares in from each side.
        for (int row = 0; row < 9; ++row)
            for (int column = 0; column < 9; ++column) {
                const bool piece =
                    row % 6 == 0 || row % 6 == 2 || (row % 6 == 1 && (column == 1 || column == 7));
                EXPECT_EQ(At(80 + 32 * column, 48 + 32 * row) != Wood, piece) << row << column;
            }
        // The side below stands upright, the other is turned round; each side has its own king.
        const int belowKing = turn ? 15 : 7, aboveKing = turn ? 7 : 15;
        EXPECT_EQ(PieceMismatches({192, 288}, belowKing, false), 0);
        EXPECT_EQ(PieceMismatches({192, 32}, aboveKing, true), 0);
        EXPECT_GT(PieceMismatches({192, 288}, aboveKing, false), 0);
        EXPECT_EQ(PieceMismatches({288, 256}, 6, false), 0);  // the rook
        EXPECT_EQ(PieceMismatches({96, 64}, 6, true), 0);

        for (int i = 0; i < 9; ++i) {
            const int k = turn ? 8 - i : i;  // with White below, files and ranks run backwards
            EXPECT_TRUE(ShowsText({64 + 32 * i, 0, 32, 32}, Qt::AlignCenter, QChar('9' - k)));
            EXPECT_TRUE(ShowsText({352, 32 + 32 * i, 32, 32}, Qt::AlignCenter, QChar('a' + k)));
        }
        EXPECT_TRUE(ShowsText({64, 320, 288, 32}, Qt::AlignCenter, "Black to move"));
        board->Rotate();
    }
}

TEST_F(BoardDrawingTest, HandsArePackedWithCountsOnTheOuterSide) {
    // Black takes all nine White pawns with a pawn and the rook, White takes three Black pawns
    // with its rook and gives one back by a drop, and a Black pawn takes the bishop: Black holds
    // ten pawns and a bishop, White two pawns.
    const char* king[] = {"5a4b", "4b5a"};
    const char* black[] = {"2g2f", "2f2e", "2e2d", "2d2c", "2h2d", "2d3d", "3d3c", "3c4c", "4c5c",
                           "5c6c", "6c7c", "7c8c", "8c9c", "1g1f", "1f1e", "1e1d", "1d1c"};
    for (int i = 0; i < 17; ++i)
        Play({black[i], king[i % 2]});
    Play({"5i4h", "8b8g", "4h5i", "P*9d", "9c9d", "8g7g", "5i4h", "7g6g", "2c2b"});
    EXPECT_TRUE(ShowsText({64, 320, 288, 32}, Qt::AlignCenter, "White to move"));

    const QImage first = board->Picture();
    for (int turn = 0; turn < 2; ++turn) {
        SCOPED_TRACE(turn ? "White below" : "Black below");
        // The hand below fills the right-hand column upwards with its counts to the right, the
        // hand above the left-hand column downwards with its counts to the left.
        const int blackX = turn ? 32 : 384, blackY = turn ? 32 : 288, blackStep = turn ? 32 : -32;
        const int whiteX = turn ? 384 : 32, whiteY = turn ? 288 : 32;
        const int above = Qt::AlignRight | Qt::AlignTop, below = Qt::AlignLeft | Qt::AlignBottom;
        EXPECT_EQ(PieceMismatches({blackX, blackY}, 0, turn), 0);
        EXPECT_EQ(PieceMismatches({blackX, blackY + blackStep}, 5, turn), 0);
        EXPECT_EQ(At(blackX + 16, blackY + 2 * blackStep + 16), Grey);
        EXPECT_EQ(PieceMismatches({whiteX, whiteY}, 0, !turn), 0);
        EXPECT_EQ(At(whiteX + 16, whiteY - blackStep + 16), Grey);
        const QRect blackLabel(turn ? 0 : 416, blackY, 32, 32);
        EXPECT_TRUE(ShowsText(blackLabel, turn ? above : below, "x10"));
        EXPECT_TRUE(ShowsText(blackLabel.translated(0, blackStep), 0, ""));  // a single bishop
        EXPECT_TRUE(ShowsText({turn ? 416 : 0, whiteY, 32, 32}, turn ? below : above, "x2"));
        board->Rotate();
        EXPECT_EQ(board->Picture() == first, turn == 1);  // rotating twice changes nothing
    }
}

// A problem's start: White to move, every piece but the kings in White's hand. At the end of
// a line the status line gives the result, and the mouse enters nothing there.
TEST_F(BoardDrawingTest, AProblemStartFullHandsAndAResult) {
    GameRecord record;
    Position problem;
    problem.board.fill(0);
    problem.Cell(Sq("5a")) = White | King;
    problem.sideToMove = White;
    for (PieceType kind = Pawn; kind < King; ++kind)
        problem.HandCount(White, kind) = PiecesInSet[kind];
    ASSERT_TRUE(record.SetStartPosition(problem));
    board->SetRecord(&record);
    board->Redraw(true);
    EXPECT_TRUE(ShowsText({64, 320, 288, 32}, Qt::AlignCenter, "White to move"));
    // Seven kinds fill White's column from the top, pawns first.
    EXPECT_EQ(PieceMismatches({32, 32}, 0, true), 0);
    EXPECT_TRUE(ShowsText({0, 32, 32, 32}, Qt::AlignRight | Qt::AlignTop, "x18"));

    ASSERT_EQ(record.AddResult(GameResult::Resign), 1);
    ASSERT_TRUE(record.GoForward(0));
    board->Redraw(true);
    EXPECT_TRUE(ShowsText({64, 320, 288, 32}, Qt::AlignCenter, "White resigns"));
    QSignalSpy entered(board, &CBoardWnd::moveEntered);
    Click(TopSlot(1));
    Click("5e");
    EXPECT_FALSE(board->IsSelected());
    record.GoBack();
    board->Redraw(true);
    Click(TopSlot(1));
    Click("5e");
    EXPECT_EQ(entered.count(), 1);
}

// The squares the last move left and reached are shaded, in either orientation; a drop
// reached one only, and at the start nothing is shaded.
TEST_F(BoardDrawingTest, TheLastMoveIsShaded) {
    const QColor shade(230, 190, 110);
    // A pixel of the square's second row, which a piece, upright or turned, leaves uncovered.
    const auto inside = [&](const char* square) { return At(Centre(square) - QPoint(0, 15)); };
    const struct {
        std::vector<const char*> moves;
        std::vector<const char*> marked, plain;
    } cases[] = {
        {{}, {}, {"7g", "7f", "5e"}},
        {{"7g7f"}, {"7g", "7f"}, {"7e", "8h", "3c"}},
        {{"3c3d", "8h2b+", "3a2b", "B*5e"}, {"5e"}, {"8h", "2b", "3a"}},
    };
    for (const auto& c : cases) {
        for (const char* move : c.moves)
            Play({move});
        board->Redraw(true);
        for (int turn = 0; turn < 2; ++turn, board->Rotate()) {
            for (const char* square : c.marked)
                EXPECT_EQ(inside(square), shade) << square << " turn " << turn;
            for (const char* square : c.plain)
                EXPECT_EQ(inside(square), Wood) << square << " turn " << turn;
        }
    }
}

// Given more room, the board grows by whole pixels per square, centred; its lines stay one
// pixel wide, its pieces grow with it, and clicks find their squares.
TEST_F(BoardDrawingTest, AGrownBoardDrawsAndTakesClicksInItsOwnSquares) {
    view->setFixedSize(1000, 720);
    board->resize(1000, 720);
    ASSERT_EQ(board->Layout().square, 65);
    const QPoint origin = board->Layout().origin;
    ASSERT_EQ(origin, QPoint(45, 2));
    const QPoint grid = origin + QPoint(2 * 65, 65);
    EXPECT_EQ(At(grid + QPoint(65, 100)), Ink);
    EXPECT_EQ(At(grid + QPoint(66, 100)), Wood);
    const QRect square(grid + QPoint(2 * 65, 6 * 65), QSize(65, 65));  // 7g, Black's pawn
    EXPECT_EQ(PieceMismatches(square.topLeft(), 0, false, 65), 0);

    QTest::mouseClick(board, Qt::LeftButton, {}, square.center());
    QTest::mouseClick(board, Qt::LeftButton, {}, square.center() - QPoint(0, 65));
    EXPECT_EQ(doc.Record().Cell(Sq("7f")), Black | Pawn);
}

}  // namespace
