#include "board/boarddrawing.h"

#include <QApplication>
#include <QBrush>
#include <QPainter>
#include <QPen>
#include <cmath>

#include "board/piecepictures.h"
#include "format/usi/handorder.h"

namespace {

// The four star points, on the grid corners three squares in from each edge of the board.
constexpr QPoint StarPoints[] = {{160, 128}, {256, 128}, {256, 224}, {160, 224}};

// A filled circle of radius `radius` around the centre of the pixel at `star`: exactly the
// device pixels whose centres lie inside it. Qt's own aliased ellipse samples elsewhere and
// comes out lopsided.
void FillStarPoint(QPainter& painter, QPointF star, qreal radius, const QBrush& brush) {
    const qreal ratio = PainterPixelScale(painter);
    const qreal cx = (star.x() + 0.5) * ratio, cy = (star.y() + 0.5) * ratio;
    radius *= ratio;
    const int first = static_cast<int>(std::floor(cy - radius));
    const int last = static_cast<int>(std::ceil(cy + radius));
    for (int row = first; row <= last; ++row) {
        const qreal dy = row + 0.5 - cy;
        if (dy * dy >= radius * radius) continue;
        // Pixels i with (i + 0.5 - cx)^2 < radius^2 - dy^2.
        const qreal half = std::sqrt(radius * radius - dy * dy);
        const int left = static_cast<int>(std::floor(cx - half + 0.5));
        const int right = static_cast<int>(std::ceil(cx + half - 0.5));
        if (right <= left) continue;
        painter.fillRect(QRectF(left / ratio, row / ratio, (right - left) / ratio, 1 / ratio),
                         brush);
    }
}

QString CountLabel(int count) {
    return QStringLiteral("x%1").arg(count);
}

}  // namespace

QFont BoardLabelFont(const BoardLayout& layout) {
    QFont font = QApplication::font();
    if (layout.square == SquareSize) return font;
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * layout.Scale());
    else
        font.setPixelSize(qRound(font.pixelSize() * layout.Scale()));
    return font;
}

void DrawBoardSurface(QPainter& painter, const BoardLayout& layout) {
    painter.fillRect(layout.Map(GridRect), BoardColor);
}

void DrawGrid(QPainter& painter, const BoardLayout& layout) {
    const QRect grid = layout.Map(GridRect);
    // A line one pixel wide through pixel centres paints exactly the pixels from its start up
    // to, but not including, its end point.
    painter.setPen(QPen(GridColor, 1, Qt::SolidLine, Qt::FlatCap));
    for (int x = grid.left(); x <= grid.right() + 1; x += layout.square)
        painter.drawLine(QLineF(x + 0.5, grid.top(), x + 0.5, grid.bottom() + 1));
    for (int y = grid.top(); y <= grid.bottom() + 1; y += layout.square)
        painter.drawLine(QLineF(grid.left(), y + 0.5, grid.right() + 1, y + 0.5));

    for (const QPoint& star : StarPoints)
        FillStarPoint(painter, layout.Map(star), 2.5 * layout.Scale(), QBrush(GridColor));
}

void DrawCoordinates(QPainter& painter, const BoardLayout& layout, int bottomSide) {
    painter.setPen(GridColor);
    const bool blackBelow = bottomSide == Black;
    for (int i = 0; i < BoardSize; ++i) {
        const QChar digit(blackBelow ? '9' - i : '1' + i);
        painter.drawText(
            layout.Map(QRect(GridRect.left() + SquareSize * i, 0, SquareSize, SquareSize)),
            Qt::AlignCenter, QString(digit));
        const QChar letter(blackBelow ? 'a' + i : 'i' - i);
        painter.drawText(layout.Map(QRect(GridRect.right() + 1, GridRect.top() + SquareSize * i,
                                          SquareSize, SquareSize)),
                         Qt::AlignCenter, QString(letter));
    }
}

void DrawPieceAt(QPainter& painter, const BoardLayout& layout, PiecePictures& pieces, int code,
                 QPoint base, int bottomSide) {
    if (!(code & SideMask)) return;
    pieces.Draw(painter, code, layout.Map(QRect(base, QSize(SquareSize, SquareSize))),
                !(code & bottomSide));
}

void DrawBoardPieces(QPainter& painter, const BoardLayout& layout, PiecePictures& pieces,
                     const Position& position, int bottomSide) {
    for (int rank = 0; rank < BoardSize; ++rank)
        for (int file = 0; file < BoardSize; ++file) {
            const Square sq{rank, file};
            DrawPieceAt(painter, layout, pieces, position.Cell(sq), SquareOrigin(sq, bottomSide),
                        bottomSide);
        }
}

void DrawHands(QPainter& painter, const BoardLayout& layout, PiecePictures& pieces,
               const Position& position, int bottomSide) {
    painter.setPen(GridColor);
    const QSize square(SquareSize, SquareSize);

    const int top = bottomSide ^ SideMask;
    QPoint point = TopHandRect.topLeft();
    for (const HeldPiece& held : HeldPieces(position, top, KindOrder)) {
        if (held.count > 1)
            painter.drawText(layout.Map(QRect(QPoint(0, point.y()), square)),
                             Qt::AlignRight | Qt::AlignTop, CountLabel(held.count));
        DrawPieceAt(painter, layout, pieces, top | held.kind, point, bottomSide);
        point.ry() += SquareSize;
    }

    const int labelLeft = BottomHandRect.right() + 1;
    point = QPoint(BottomHandRect.left(), BottomHandRect.bottom() + 1);
    for (const HeldPiece& held : HeldPieces(position, bottomSide, KindOrder)) {
        if (held.count > 1)
            painter.drawText(layout.Map(QRect(QPoint(labelLeft, point.y() - SquareSize), square)),
                             Qt::AlignLeft | Qt::AlignBottom, CountLabel(held.count));
        point.ry() -= SquareSize;
        DrawPieceAt(painter, layout, pieces, bottomSide | held.kind, point, bottomSide);
    }
}

void DrawFrame(QPainter& painter, const QRect& r, int width, const QBrush& brush) {
    painter.fillRect(QRect(r.left(), r.top(), r.width(), width), brush);
    painter.fillRect(QRect(r.left(), r.bottom() + 1 - width, r.width(), width), brush);
    painter.fillRect(QRect(r.left(), r.top(), width, r.height()), brush);
    painter.fillRect(QRect(r.right() + 1 - width, r.top(), width, r.height()), brush);
}

int HandSideAt(QPoint p, int bottomSide, int& slot) {
    if (BottomHandRect.contains(p)) {
        slot = 9 - (p.y() - BottomHandRect.top()) / SquareSize;
        return bottomSide;
    }
    if (TopHandRect.contains(p)) {
        slot = (p.y() - TopHandRect.top()) / SquareSize + 1;
        return bottomSide ^ SideMask;
    }
    return 0;
}

bool HandSlotKind(const Position& position, int side, int n, PieceType& kind) {
    const HeldPieces held(position, side, KindOrder);
    if (n < 1 || n > held.size()) return false;
    kind = held[n - 1].kind;
    return true;
}
