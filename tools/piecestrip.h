#pragma once

#include <QtGui/QColor>
#include <QtGui/QImage>
#include <QtGui/QPainterPath>
#include <QtGui/QPolygonF>

#include "tools/artworkfonts.h"

enum class PieceStyle { Japanese, International };

// Draws the 16 pictures of one piece style into a strip of 512 x 32 pixels times `scale`, 8 bits
// per pixel with a 256-colour table: cell i at x = 32 scale i, pure blue (0, 0, 255) where the
// board shows through. Colour index 0 is the blue; indices 1 to 255 run from black to the yellow
// body, so anti-aliased lettering never mixes with the blue. A larger scale draws the same
// design natively at that size, with an outline `scale` pixels wide.
QImage DrawPieceStrip(PieceStyle style, const ArtworkFonts& fonts, int scale = 1);

// The five-sided piece shape in the coordinates of a 32 x 32 cell (pixel edges, not centres):
// pointing up, symmetric, within columns 2-29 and rows 2-29 so that it fills the same pixels
// when the cell is turned by 180 degrees.
QPolygonF PieceShape();

// The piece shape alone on a cell of `size` x `size` pixels, hard-edged as on the strips:
// transparent outside, an outline `outlineWidth` pixels wide in `ink`, the rest in `body`.
QImage PieceSilhouette(int size, int outlineWidth, const QColor& ink, const QColor& body);

// The lettering of one cell, in cell coordinates.
QPainterPath PieceLettering(PieceStyle style, int cell, const ArtworkFonts& fonts);
