#include "tools/programicons.h"

#include <QtCore/QBuffer>
#include <QtCore/QRegularExpression>
#include <QtGui/QPainter>
#include <QtGui/QPainterPath>
#include <QtGui/QPen>
#include <QtSvg/QSvgGenerator>

#include <cmath>
#include <functional>
#include <utility>

#include "tools/piecestrip.h"

namespace {

// Both icons are designed on a 32 x 32 grid and scaled to the size asked for. Below that size
// the scaled design blurs, so smaller icons are drawn on whole pixels instead: the same board,
// page and piece, with hard edges and simpler lettering.
constexpr qreal kDesignSize = 32.0;
constexpr int kSmallestScaled = 32;

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

void PaintProgramIcon(QPainter& painter, const ArtworkFonts& fonts) {
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
}

const QPolygonF kPage({QPointF(4.5, 1.5), QPointF(20.5, 1.5), QPointF(27.5, 8.5),
                       QPointF(27.5, 30.5), QPointF(4.5, 30.5)});

void PaintDocumentIcon(QPainter& painter, const ArtworkFonts& fonts) {
    painter.setPen(QPen(kPageEdge, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Qt::white);
    painter.drawPolygon(kPage);
    painter.setBrush(kFoldColour);
    painter.drawPolygon(QPolygonF({QPointF(20.5, 1.5), QPointF(20.5, 8.5), QPointF(27.5, 8.5)}));

    DrawPiece(painter, QRectF(5.0, 3.0, 16.0, 16.0), PieceLettering(PieceStyle::Japanese, 0, fonts),
              1.6, 1.0);

    painter.setPen(QPen(kMoveLines, 1.2, Qt::SolidLine, Qt::FlatCap));
    const struct { qreal y, right; } lines[] = {{21.0, 24.5}, {24.0, 21.0}, {27.0, 23.5}};
    for (const auto& line : lines)
        painter.drawLine(QPointF(8.0, line.y), QPointF(line.right, line.y));
}

// A design coordinate on a small icon of `size` pixels: the centre of the pixel it falls in,
// where a one-pixel line is sharp.
qreal OnPixel(qreal design, int size) {
    return std::floor(design * size / kDesignSize) + 0.5;
}

int Pixels(qreal design, int size) {
    return int(std::lround(design * size / kDesignSize));
}

// `lettering` (in design units) smoothed into the body colour of `piece`, never onto its
// outline.
void LetterInside(QImage& piece, const QPainterPath& lettering) {
    QImage ink(piece.size(), QImage::Format_Alpha8);
    ink.fill(0);
    QPainter pen(&ink);
    pen.setRenderHint(QPainter::Antialiasing, true);
    pen.scale(piece.width() / kDesignSize, piece.height() / kDesignSize);
    pen.setPen(QPen(Qt::black, 0.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    pen.setBrush(Qt::black);
    pen.drawPath(lettering);
    pen.end();
    for (int y = 0; y < piece.height(); ++y) {
        for (int x = 0; x < piece.width(); ++x) {
            const qreal light = 1 - ink.constScanLine(y)[x] / 255.0;
            if (piece.pixelColor(x, y) != kBodyColour || light == 1) continue;
            piece.setPixelColor(
                x, y,
                QColor::fromRgbF(kBodyColour.redF() * light, kBodyColour.greenF() * light,
                                 kBodyColour.blueF() * light));
        }
    }
}

// A piece of `cell` pixels with its top left corner at `at`, hard-edged, on a soft shadow
// one pixel down and to the right.
void DrawSmallPiece(QPainter& painter, QPoint at, int cell, const QPainterPath& lettering = {}) {
    QImage piece = PieceSilhouette(cell, 1, Qt::black, kBodyColour);
    QImage shadow = piece;
    QPainter shade(&shadow);
    shade.setCompositionMode(QPainter::CompositionMode_SourceIn);
    shade.fillRect(shadow.rect(), QColor(0, 0, 0, 70));
    shade.end();
    if (!lettering.isEmpty()) LetterInside(piece, lettering);
    painter.drawImage(at + QPoint(1, 1), shadow);
    painter.drawImage(at, piece);
}

// The king's character, three bars and a stem, on whole pixels of a piece of `cell` pixels
// (an odd number, so that the stem has a middle column).
void DrawSmallKing(QPainter& painter, QPoint at, int cell) {
    const QRectF box(7.0 * cell / kDesignSize, 9.5 * cell / kDesignSize, 18.0 * cell / kDesignSize,
                     17.5 * cell / kDesignSize);
    const int middle = at.x() + (cell - 1) / 2;
    const int top = at.y() + int(std::lround(box.top() + 0.12 * box.height()));
    const int bottom = at.y() + int(std::lround(box.bottom() - 0.15 * box.height()));
    const int centre = (top + bottom) / 2;
    const int narrow = int(std::lround(0.34 * box.width()));
    const int wide = int(std::lround(0.44 * box.width()));
    for (const auto& [y, half] : {std::pair{top, narrow}, {centre, narrow - 1}, {bottom, wide}})
        painter.fillRect(QRect(middle - half, y, 2 * half + 1, 1), Qt::black);
    painter.fillRect(QRect(middle, top, 1, bottom - top), Qt::black);
}

void PaintSmallProgramIcon(QPainter& painter, int size) {
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(kBoardEdge, 1.0));
    painter.setBrush(kBoardColour);
    painter.drawRoundedRect(QRectF(0.5, 0.5, size - 1, size - 1), size / 10.0, size / 10.0);
    for (int line = 1; line <= 3; ++line) {
        const int at = size * line / 4;
        painter.fillRect(QRect(at, 1, 1, size - 2), QColor(0, 0, 0, 150));
        painter.fillRect(QRect(1, at, size - 2, 1), QColor(0, 0, 0, 150));
    }
    // An odd size, a pixel short of the icon to leave room for the shadow.
    const int cell = size % 2 ? size - 2 : size - 1;
    DrawSmallPiece(painter, QPoint(0, 0), cell);
    DrawSmallKing(painter, QPoint(0, 0), cell);
}

void PaintSmallDocumentIcon(QPainter& painter, int size, const ArtworkFonts& fonts) {
    const qreal left = OnPixel(4.5, size), right = OnPixel(27.5, size);
    const qreal top = OnPixel(1.5, size), bottom = size - 0.5;
    const qreal fold = right - OnPixel(20.5, size);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(kPageEdge, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Qt::white);
    painter.drawPolygon(
        QPolygonF({QPointF(left, top), QPointF(right - fold, top), QPointF(right, top + fold),
                   QPointF(right, bottom), QPointF(left, bottom)}));
    painter.setBrush(kFoldColour);
    painter.drawPolygon(QPolygonF({QPointF(right - fold, top), QPointF(right - fold, top + fold),
                                   QPointF(right, top + fold)}));

    // An odd size, so that the roof has a middle column; too small below 22 pixels for a
    // character to be more than a smudge.
    const int cell = Pixels(16.0, size) | 1;
    const QPoint at(int(left) + 1, int(top) + 1);
    DrawSmallPiece(painter, at, cell,
                   size >= 22 ? PieceLettering(PieceStyle::Japanese, 0, fonts) : QPainterPath());

    // Lines of moves two pixels apart, as many as fit under the piece.
    const int lineLeft = Pixels(8.0, size);
    const qreal rights[] = {24.5, 21.0, 23.5};
    int y = at.y() + cell + 1;
    for (const qreal lineRight : rights) {
        if (y > bottom - 2) break;
        painter.fillRect(QRect(lineLeft, y, Pixels(lineRight, size) - lineLeft, 1), kMoveLines);
        y += 2;
    }
}

QImage Render(int size, const std::function<void(QPainter&)>& paintDesign,
              const std::function<void(QPainter&)>& paintSmall) {
    QImage icon = BlankIcon(size);
    QPainter painter(&icon);
    if (size < kSmallestScaled) {
        paintSmall(painter);
    } else {
        BeginDesign(painter, size);
        paintDesign(painter);
    }
    return icon;
}

QByteArray RenderSvg(const QString& title, const QString& description,
                     const std::function<void(QPainter&)>& paintDesign) {
    QBuffer svg;
    QSvgGenerator generator;
    generator.setOutputDevice(&svg);
    generator.setSize(QSize(int(kDesignSize), int(kDesignSize)));
    generator.setViewBox(QRectF(0, 0, kDesignSize, kDesignSize));
    generator.setTitle(title);
    generator.setDescription(description);
    QPainter painter(&generator);
    painter.setRenderHint(QPainter::Antialiasing, true);
    paintDesign(painter);
    painter.end();
    // Qt gives the size in millimetres from a screen resolution; icon themes expect pixels.
    QString text = QString::fromUtf8(svg.data());
    text.replace(QRegularExpression(QStringLiteral("<svg width=\"[^\"]*\" height=\"[^\"]*\"")),
                 QStringLiteral("<svg width=\"%1\" height=\"%1\"").arg(int(kDesignSize)));
    return text.toUtf8();
}

}  // namespace

QImage DrawProgramIcon(int size, const ArtworkFonts& fonts) {
    return Render(
        size, [&fonts](QPainter& painter) { PaintProgramIcon(painter, fonts); },
        [size](QPainter& painter) { PaintSmallProgramIcon(painter, size); });
}

QImage DrawDocumentIcon(int size, const ArtworkFonts& fonts) {
    return Render(
        size, [&fonts](QPainter& painter) { PaintDocumentIcon(painter, fonts); },
        [size, &fonts](QPainter& painter) { PaintSmallDocumentIcon(painter, size, fonts); });
}

QByteArray DrawProgramIconSvg(const ArtworkFonts& fonts) {
    return RenderSvg(QStringLiteral("Marlock"),
                     QStringLiteral("The icon of the shogi record editor"),
                     [&fonts](QPainter& painter) { PaintProgramIcon(painter, fonts); });
}

QByteArray DrawDocumentIconSvg(const ArtworkFonts& fonts) {
    return RenderSvg(QStringLiteral("ESN Document"),
                     QStringLiteral("The icon of a shogi record file"),
                     [&fonts](QPainter& painter) { PaintDocumentIcon(painter, fonts); });
}
