#pragma once

#include <QImage>
#include <array>
#include <map>

#include "model/piece.h"

class QPainter;
class QRectF;

// The pieces' artwork: strips of 16 cells, at 32 pixels a cell and at four times that.
inline constexpr int PieceCellPixels = 32;
inline constexpr int PieceCellCount = 16;
inline constexpr int LargePieceCellPixels = 4 * PieceCellPixels;

// The strip cell of a piece code: the kind with its promotion, except that the two kings have
// pictures of their own (7 for Black's, 15 for White's).
int PieceCell(int code);

// One strip's 16 cells with the pure blue made transparent, upright or each turned by 180
// degrees: the 32-pixel strip, or the large one. Empty when the strip is missing.
using PieceCells = std::array<QImage, PieceCellCount>;
PieceCells LoadPieceCells(bool japanese, bool turned, bool large = false);

// The pictures of one piece style at any size, for the board and for whoever else shows
// pieces. A square of exactly 32 device pixels takes the 32-pixel strip as drawn; any other
// size is scaled smoothly from the large strip, after its blue became transparent, so that no
// blue fringes a piece and a large board stays sharp. Each size is scaled once, when first
// drawn.
class PiecePictures {
  public:
    explicit PiecePictures(bool japanese);

    bool IsJapanese() const { return m_japanese; }
    // The picture of a strip cell in a square of `pixels` device pixels.
    const QImage& Cell(int cell, bool turned, int pixels);
    // Draws the piece `code` filling `square` (in the painter's coordinates), turned by 180
    // degrees or upright, at the resolution the painter's device and scale give it.
    void Draw(QPainter& painter, int code, const QRectF& square, bool turned);

  private:
    struct Sized {
        PieceCells upright;
        PieceCells turned;
    };
    const Sized& AtSize(int pixels);

    bool m_japanese;
    Sized m_small;
    Sized m_large;
    std::map<int, Sized> m_scaled;
};

// How many device pixels one unit of the painter's coordinates covers.
qreal PainterPixelScale(const QPainter& painter);
