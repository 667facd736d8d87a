#pragma once

#include <QFont>
#include <QPoint>
#include <QRect>

#include "board/boardlayout.h"
#include "model/position.h"

class PiecePictures;
class QBrush;
class QPainter;

// The parts of a drawn board, in the base geometry that a layout maps, on any painter: the
// board window and the set-up window draw the board, its pieces, the hands and the coordinates
// alike. The side drawn at the bottom stands upright; the other side's pieces are turned.

// The program's font, grown with the board.
QFont BoardLabelFont(const BoardLayout& layout);
// The wood of the 9 x 9 squares.
void DrawBoardSurface(QPainter& painter, const BoardLayout& layout);
// The grid lines and the star points, over the wood and whatever shades it.
void DrawGrid(QPainter& painter, const BoardLayout& layout);
// The file digits above the board and the rank letters right of it.
void DrawCoordinates(QPainter& painter, const BoardLayout& layout, int bottomSide);
// A piece (nothing for 0) in the square whose top-left corner is `base`.
void DrawPieceAt(QPainter& painter, const BoardLayout& layout, PiecePictures& pieces, int code,
                 QPoint base, int bottomSide);
void DrawBoardPieces(QPainter& painter, const BoardLayout& layout, PiecePictures& pieces,
                     const Position& position, int bottomSide);
// Both hands, packed in the order P L N S G B R K with counts above one: the top side's in the
// left column from the top, its counts left of it, the bottom side's in the right column from
// the bottom, its counts right of it.
void DrawHands(QPainter& painter, const BoardLayout& layout, PiecePictures& pieces,
               const Position& position, int bottomSide);
// A frame `width` pixels wide along the inside of `r`.
void DrawFrame(QPainter& painter, const QRect& r, int width, const QBrush& brush);

// The hand column under a base point: the bottom side's or the top side's, and the slot (from
// 1) counted the way that column fills. 0 when the point lies in neither column.
int HandSideAt(QPoint p, int bottomSide, int& slot);
// The kind in slot n (from 1) of a side's packed hand; false when the side holds fewer kinds.
bool HandSlotKind(const Position& position, int side, int n, PieceType& kind);
