#pragma once

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QSize>

#include "model/square.h"

// The board's geometry at its smallest, 32-pixel squares, the base from which every larger
// board is scaled: a picture of 14 x 11 squares.
inline constexpr int SquareSize = 32;
inline constexpr int BoardWindowWidth = 448;
inline constexpr int BoardWindowHeight = 352;
inline constexpr QRect GridRect{QPoint(64, 32), QPoint(351, 319)};
inline constexpr QRect TopHandRect{QPoint(32, 32), QPoint(63, 319)};
inline constexpr QRect BottomHandRect{QPoint(384, 32), QPoint(415, 319)};

// Colours of the board.
inline constexpr QColor BackgroundColor{198, 198, 198};
inline constexpr QColor BoardColor{204, 153, 51};
inline constexpr QColor GridColor{0, 0, 0};
inline constexpr QColor FrameColor{255, 255, 255};
// The squares the last move left and reached: the board's wood, lightly shaded.
inline constexpr QColor LastMoveColor{230, 190, 110};
// The colour of the piece strips that lets the board show through.
inline constexpr QColor StripTransparentColor{0, 0, 255};

// The top-left corner of a board square's cell in the base geometry, for the side drawn at the
// bottom.
QPoint SquareOrigin(Square sq, int bottomSide);
// The board square under a point of the base geometry, for the side drawn at the bottom; false
// off the board.
bool SquareAtPoint(QPoint p, int bottomSide, Square& sq);

// The board drawn with squares of `square` pixels and its corner at `origin`: maps the base
// geometry there and back. Whole squares map exactly, so grid lines stay one pixel wide.
struct BoardLayout {
    int square = SquareSize;
    QPoint origin;

    // The largest whole square that fits `area`, never below the base, with the board centred.
    static BoardLayout Fitting(QSize area);

    qreal Scale() const { return qreal(square) / SquareSize; }
    QPoint Map(QPoint base) const;
    // A rectangle of whole squares, or of whole squares and a pixel more or less (a frame),
    // keeps the odd pixel.
    QRect Map(const QRect& base) const;
    // The base point whose pixel holds `p`.
    QPoint ToBase(QPoint p) const;
    QSize Size() const { return QSize(BoardWindowWidth, BoardWindowHeight) * Scale(); }
};
