#include <QDir>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "boardtesting.h"

namespace {

const QColor Grey(198, 198, 198);
const QColor Wood(204, 153, 51);
const QColor Ink(0, 0, 0);
const QColor Body(255, 255, 102);

class BoardDrawingTest : public BoardTest {
  protected:
    // Pixels of the 32 x 32 cell at `origin` where the picture differs from strip cell `cell`
    // (turned by 180 degrees or not). At a higher pixel ratio the pictures are scaled smoothly,
    // so there only pixels inside areas of one colour are compared.
    int PieceMismatches(QPoint origin, int cell, bool turned, bool japanese = true) const {
        InitResources();
        const QImage strip =
            QImage(japanese ? ":/pieces/japanese.png" : ":/pieces/international.png")
                .convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(strip.size(), QSize(512, 32));
        if (strip.isNull()) return -1;
        const QImage picture = board->Picture();
        auto expected = [&](int x, int y) {
            x = std::clamp(x, 0, 31), y = std::clamp(y, 0, 31);
            return strip.pixelColor(cell * 32 + (turned ? 31 - x : x), turned ? 31 - y : y);
        };
        int mismatches = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                const QColor want = expected(x, y);
                if (want == QColor(0, 0, 255)) continue;
                bool uniform = true;
                for (int d = 0; d < 9 && Ratio() != 1; ++d)
                    uniform = uniform && expected(x + d % 3 - 1, y + d / 3 - 1) == want;
                if (uniform && At(picture, origin.x() + x, origin.y() + y) != want) ++mismatches;
            }
        return mismatches;
    }
    bool HasBody(QPoint origin) const {
        for (int y = 8; y < 24; ++y)
            for (int x = 8; x < 24; ++x)
                if (At(origin.x() + x, origin.y() + y) == Body) return true;
        return false;
    }
};

TEST_F(BoardDrawingTest, WithoutADocumentTheWindowIsGreyAndClicksOnlyMoveTheFocus) {
    CBoardWnd lone(view);
    EXPECT_EQ(lone.size(), QSize(448, 352));
    EXPECT_EQ(lone.objectName(), "Board");
    EXPECT_EQ(lone.windowTitle(), "Board");
    lone.Redraw(true);
    lone.Rotate();
    QTest::mouseClick(&lone, Qt::LeftButton, {}, QPoint(144, 240));
    EXPECT_EQ(window.focusWidget(), view);
    EXPECT_FALSE(lone.IsSelected());
    const QImage picture = lone.grab().toImage();
    for (int y = 0; y < 352; y += 7)
        for (int x = 0; x < 448; x += 7)
            ASSERT_EQ(At(picture, x, y), Grey) << x << "," << y;
}

// The grid lines run unbroken past the pieces of the starting position, upright and turned.
TEST_F(BoardDrawingTest, BoardHasOnePixelGridLinesWithoutEndPointsAndFiveByFiveStarPoints) {
    EXPECT_EQ(At(5, 5), Grey);
    EXPECT_EQ(At(440, 340), Grey);
    EXPECT_EQ(At(208, 176), Wood);  // 5e, the centre
    for (int i = 0; i <= 9; ++i) {
        const int line = 32 + 32 * i;
        for (int t = 0; t < 288; ++t) {
            ASSERT_EQ(At(line + 32, 32 + t), Ink) << "vertical line " << i;
            ASSERT_EQ(At(64 + t, line), Ink) << "horizontal line " << i;
        }
        // One pixel wide: the neighbours in the empty middle ranks show the board.
        if (i > 0) {
            EXPECT_EQ(At(line + 31, 176), Wood);
        }
        if (i < 9) {
            EXPECT_EQ(At(line + 33, 176), Wood);
        }
    }
    EXPECT_EQ(At(352, 320), Grey);  // the last point of both border lines is left out
    EXPECT_EQ(At(64, 31), Grey);
    EXPECT_EQ(At(353, 100), Grey);

    // A filled circle in the box (x-2, y-2)-(x+3, y+3): every device pixel whose centre lies
    // inside it is black, the others show the board (or a grid line).
    const QImage picture = board->Picture();
    const qreal r = Ratio();
    for (QPoint star : {QPoint(160, 128), QPoint(256, 128), QPoint(256, 224), QPoint(160, 224)}) {
        for (int dy = int(-4 * r); dy < int(5 * r); ++dy)
            for (int dx = int(-4 * r); dx < int(5 * r); ++dx) {
                const double cx = (dx + 0.5) / r - 0.5, cy = (dy + 0.5) / r - 0.5;
                const bool onLine = std::floor(dx / r) == 0 || std::floor(dy / r) == 0;
                const QColor want = cx * cx + cy * cy < 6.25 || onLine ? Ink : Wood;
                const QColor got =
                    picture.pixelColor(int(star.x() * r) + dx, int(star.y() * r) + dy);
                ASSERT_EQ(got, want) << star.x() << "," << star.y() << " " << dx << "," << dy;
            }
    }
}

TEST_F(BoardDrawingTest, StartingPositionInBothOrientations) {
    for (int turn = 0; turn < 2; ++turn) {
        SCOPED_TRACE(turn ? "White below" : "Black below");
        // Ranks a, c, g and i are full; rank b and h hold a piece two squares in from each side.
        for (int row = 0; row < 9; ++row)
            for (int column = 0; column < 9; ++column) {
                const bool full = row == 0 || row == 2 || row == 6 || row == 8;
                const bool piece = full || ((row == 1 || row == 7) && (column == 1 || column == 7));
                EXPECT_EQ(HasBody({64 + 32 * column, 32 + 32 * row}), piece)
                    << row << "," << column;
            }
        // The kings: the side below upright in the middle of the bottom row, the other turned.
        const bool blackBelow = board->BottomSide() == Black;
        EXPECT_EQ(PieceMismatches({192, 288}, blackBelow ? 7 : 15, false), 0);
        EXPECT_EQ(PieceMismatches({192, 32}, blackBelow ? 15 : 7, true), 0);
        // Told apart by details that smooth scaling blurs on a high-density screen.
        if (Ratio() == 1) {
            EXPECT_GT(PieceMismatches({192, 288}, blackBelow ? 15 : 7, false), 0);
        }
        // The rook stands in front of the right-hand knight of the side below, upright.
        EXPECT_EQ(PieceMismatches({288, 256}, 6, false), 0);
        EXPECT_EQ(PieceMismatches({96, 64}, 6, true), 0);
        EXPECT_EQ(PieceMismatches({96, 256}, 5, false), 0);
        board->Rotate();
    }
}

TEST_F(BoardDrawingTest, CoordinatesAndSideToMoveFollowTheOrientation) {
    // The rank letters' column begins with the board's right-hand grid line, and the row
    // below the board with its bottom one.
    auto centred = [&](QRect area, QString text) {
        const QPoint skip(area.left() == 352, area.top() == 320);
        const qreal r = Ratio();
        const QImage want = TextPicture(area, Qt::AlignCenter, text, Grey);
        return Area(area.adjusted(skip.x(), skip.y(), 0, 0)) ==
               want.copy(QRectF(skip * r, (area.size() - QSize(skip.x(), skip.y())) * r).toRect());
    };
    const QString files = "987654321", ranks = "abcdefghi";
    for (int turn = 0; turn < 2; ++turn) {
        for (int i = 0; i < 9; ++i) {
            EXPECT_TRUE(centred({64 + 32 * i, 0, 32, 32}, files[turn ? 8 - i : i])) << turn << i;
            EXPECT_TRUE(centred({352, 32 + 32 * i, 32, 32}, ranks[turn ? 8 - i : i])) << turn << i;
        }
        EXPECT_TRUE(centred({64, 320, 288, 32}, "Black to move"));
        board->Rotate();
    }
    Play({"7g7f"});
    EXPECT_TRUE(centred({64, 320, 288, 32}, "White to move"));
    EXPECT_FALSE(centred({64, 320, 288, 32}, "Black to move"));
}

TEST_F(BoardDrawingTest, HandsArePackedWithCountsOnTheOuterSide) {
    // Black takes all nine White pawns with a pawn and the rook, White takes three Black
    // pawns with its rook and gives one back by a drop, and Black's rook takes a lance:
    // Black holds ten pawns and a lance, White two pawns.
    const char* king[] = {"5a4b", "4b5a"};
    const char* black[] = {"2g2f", "2f2e", "2e2d", "2d2c", "2h2d", "2d3d", "3d3c", "3c4c", "4c5c",
                           "5c6c", "6c7c", "7c8c", "8c9c", "1g1f", "1f1e", "1e1d", "1d1c"};
    for (int i = 0; i < 17; ++i)
        Play({black[i], king[i % 2]});
    Play({"5i4h", "8b8g", "4h5i", "P*9d", "9c9d", "8g7g", "5i4h", "7g6g", "9d9a"});

    auto label = [&](QRect area, int flags, QString text) {
        return Area(area) == TextPicture(area, flags, text, Grey);
    };
    for (int turn = 0; turn < 2; ++turn) {
        SCOPED_TRACE(turn ? "White below" : "Black below");
        // With Black below: Black's pawns in the bottom slot, the lance above them; White's
        // pawns in the top slot of the left column.
        const int blackRow = turn ? 32 : 288, lanceRow = turn ? 64 : 256;
        const int whiteRow = turn ? 288 : 32;
        const QRect blackLabel = turn ? QRect(0, 32, 32, 32) : QRect(416, 288, 32, 32);
        const int blackFlags =
            turn ? Qt::AlignRight | Qt::AlignTop : Qt::AlignLeft | Qt::AlignBottom;
        const QRect whiteLabel = turn ? QRect(416, 288, 32, 32) : QRect(0, 32, 32, 32);
        const int whiteFlags =
            turn ? Qt::AlignLeft | Qt::AlignBottom : Qt::AlignRight | Qt::AlignTop;
        const int blackColumn = turn ? 32 : 384, whiteColumn = turn ? 384 : 32;

        EXPECT_EQ(PieceMismatches({blackColumn, blackRow}, 0, turn == 1), 0);
        EXPECT_EQ(PieceMismatches({blackColumn, lanceRow}, 1, turn == 1), 0);
        EXPECT_EQ(PieceMismatches({whiteColumn, whiteRow}, 0, turn == 0), 0);
        EXPECT_TRUE(label(blackLabel, blackFlags, "x10"));
        EXPECT_TRUE(label(whiteLabel, whiteFlags, "x2"));
        // The lance slot has no label (one lance), and no third slot is taken.
        EXPECT_TRUE(label(blackLabel.translated(0, lanceRow - blackRow), blackFlags, ""));
        EXPECT_FALSE(HasBody({blackColumn, 2 * lanceRow - blackRow}));
        EXPECT_FALSE(HasBody({whiteColumn, turn ? 256 : 64}));
        board->Rotate();
    }
}

TEST_F(BoardDrawingTest, RotatingTwiceGivesTheSamePictureAndTheStyleSwitchesThePictures) {
    Play({"7g7f", "3c3d", "8h2b+", "3a2b"});
    const QImage first = board->Picture();
    board->Rotate();
    EXPECT_EQ(board->BottomSide(), White);
    EXPECT_NE(board->Picture(), first);
    board->Rotate();
    EXPECT_EQ(board->Picture(), first);

    doc.m_japanesePieces = 0;
    board->ReloadPiecePictures();
    EXPECT_NE(board->Picture(), first);
    EXPECT_EQ(PieceMismatches({192, 288}, 7, false, false), 0);
    EXPECT_EQ(PieceMismatches({32, 32}, 5, true, false), 0);  // White's bishop in hand

    // Screenshots of the starting position for the documentation, when asked for.
    if (const char* dir = std::getenv("MARLOCK_SCREENSHOT_DIR")) {
        doc.GoTop();
        for (int japanese : {1, 0}) {
            doc.m_japanesePieces = japanese;
            board->ReloadPiecePictures();
            const QString name = japanese ? "board-japanese.png" : "board-international.png";
            EXPECT_TRUE(board->Picture().save(QDir(dir).filePath(name)));
        }
    }
}

}  // namespace
