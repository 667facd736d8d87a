#include "tools/programicons.h"

#include <QtGui/QPainter>
#include <QtGui/QPainterPath>
#include <QtGui/QPen>

#include "tools/piecestrip.h"

namespace {

// Both icons are designed on a 32 x 32 grid and scaled to the size asked for.
constexpr qreal kDesignSize = 32.0;

const QColor kBoardColour(204, 153, 51);
const QColor kBoardEdge(140, 95, 25);
const QColor kBodyColour(255, 255, 102);
const QColor kPageEdge(90, 90, 90);
const QColor kFoldColour(215, 215, 215);
const QColor kMoveLines(110, 110, 110);

QImage BlankIcon(int size) {
    QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    return icon;
}

void BeginDesign(QPainter& painter, int size) {
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.scale(size / kDesignSize, size / kDesignSize);
}

// A piece with its lettering, the piece shape's cell mapped onto `cell`.
void DrawPiece(QPainter& painter, const QRectF& cell, const QPainterPath& lettering,
               qreal outlineWidth, qreal inkWeight) {
    painter.save();
    painter.translate(cell.topLeft());
    painter.scale(cell.width() / kDesignSize, cell.height() / kDesignSize);
    QPainterPath body;
    body.addPolygon(PieceShape());
    body.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 70));
    painter.drawPath(body.translated(1.2, 1.2));
    painter.setPen(QPen(Qt::black, outlineWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(kBodyColour);
    painter.drawPath(body);
    painter.setPen(QPen(Qt::black, inkWeight, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::black);
    painter.drawPath(lettering);
    painter.restore();
}

}  // namespace

QImage DrawProgramIcon(int size, const ArtworkFonts& fonts) {
    QImage icon = BlankIcon(size);
    QPainter painter(&icon);
    BeginDesign(painter, size);

    const QRectF board(1.0, 1.0, 30.0, 30.0);
    painter.setPen(QPen(kBoardEdge, 1.0));
    painter.setBrush(kBoardColour);
    painter.drawRoundedRect(board, 3.0, 3.0);
    painter.setPen(QPen(QColor(0, 0, 0, 150), 0.8));
    for (const qreal line : {8.0, 16.0, 24.0}) {
        painter.drawLine(QPointF(line, board.top() + 1), QPointF(line, board.bottom() - 1));
        painter.drawLine(QPointF(board.left() + 1, line), QPointF(board.right() - 1, line));
    }

    DrawPiece(painter, QRectF(1.5, 0.5, 29.0, 29.0), PieceLettering(PieceStyle::Japanese, 7, fonts),
              1.3, 0.9);
    return icon;
}

QImage DrawDocumentIcon(int size, const ArtworkFonts& fonts) {
    QImage icon = BlankIcon(size);
    QPainter painter(&icon);
    BeginDesign(painter, size);

    const QPolygonF page({QPointF(4.5, 1.5), QPointF(20.5, 1.5), QPointF(27.5, 8.5),
                          QPointF(27.5, 30.5), QPointF(4.5, 30.5)});
    painter.setPen(QPen(kPageEdge, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Qt::white);
    painter.drawPolygon(page);
    painter.setBrush(kFoldColour);
    painter.drawPolygon(QPolygonF({QPointF(20.5, 1.5), QPointF(20.5, 8.5), QPointF(27.5, 8.5)}));

    DrawPiece(painter, QRectF(5.0, 3.0, 16.0, 16.0), PieceLettering(PieceStyle::Japanese, 0, fonts),
              1.6, 1.0);

    painter.setPen(QPen(kMoveLines, 1.2, Qt::SolidLine, Qt::FlatCap));
    const struct { qreal y, right; } lines[] = {{21.0, 24.5}, {24.0, 21.0}, {27.0, 23.5}};
    for (const auto& line : lines)
        painter.drawLine(QPointF(8.0, line.y), QPointF(line.right, line.y));
    return icon;
}
