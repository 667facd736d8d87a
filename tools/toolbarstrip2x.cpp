#include "tools/toolbarstrip2x.h"

#include <QtGui/QPainter>
#include <QtGui/QPainterPath>
#include <QtGui/QPen>

#include <functional>

#include "tools/toolbarstrip.h"

namespace {

// Coordinates below are pixels of the 32 x 30 picture. Outlines are two pixels wide, as wide
// as the one-pixel outlines of the small pictures at the same size on the screen, and run
// along whole coordinates so that straight ones cover whole pixels.
constexpr int kWidth = 32;
constexpr int kHeight = 30;
constexpr qreal kOutline = 2.0;
constexpr qreal kStroke = 4.0;  // the blue strokes of the rotate arrows and the question mark

QColor Colour(char letter) {
    return QColor::fromRgba(ToolBarArtColour(letter));
}

void Outlined(QPainter& painter, const QPolygonF& outline, char fill) {
    painter.setPen(QPen(Colour('k'), kOutline, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Colour(fill));
    painter.drawPolygon(outline);
}

void Fill(QPainter& painter, const QRectF& area, char colour) {
    painter.fillRect(area, Colour(colour));
}

// A page's lines of text: grey bars two pixels high, every four pixels from `top`.
void TextLines(QPainter& painter, qreal left, qreal top, std::initializer_list<qreal> widths) {
    qreal y = top;
    for (const qreal width : widths) {
        Fill(painter, QRectF(left, y, width, 2), 'd');
        y += 4;
    }
}

void DrawNew(QPainter& painter) {
    Outlined(painter, QPolygonF({{5, 3}, {19, 3}, {27, 11}, {27, 27}, {5, 27}}), 'w');
    // The fold's two edges only: a closed outline would end its sharp corner in a spike.
    painter.setPen(QPen(Colour('k'), kOutline, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.drawPolyline(QPolygonF({{19, 3}, {19, 11}, {27, 11}}));
}

void DrawOpen(QPainter& painter) {
    Outlined(
        painter,
        QPolygonF(
            {{1, 25}, {1, 9}, {3, 7}, {9, 7}, {13, 11}, {25, 11}, {27, 13}, {27, 15}, {21, 25}}),
        'o');
    Outlined(painter, QPolygonF({{9, 15}, {31, 15}, {21, 25}, {1, 25}, {1, 23}}), 'y');
}

void DrawSave(QPainter& painter) {
    Outlined(painter, QPolygonF(QRectF(3, 1, 26, 26)), 'n');
    Fill(painter, QRectF(8, 2, 16, 8), 'w');
    Fill(painter, QRectF(10, 6, 12, 2), 'd');
    Fill(painter, QRectF(8, 16, 16, 10), 'g');
    Fill(painter, QRectF(14, 18, 4, 6), 'k');
}

void DrawCut(QPainter& painter) {
    const QPointF pivot(16, 15);
    const qreal ringRadius = 3.4;
    painter.setBrush(Qt::NoBrush);
    for (const int side : {-1, 1}) {
        // A blade from its tip to the pivot, and on past it to the handle on the other side.
        const QPointF tip(16 + side * 7, 2), ring(16 - side * 8, 24);
        const QLineF arm(pivot, ring);
        painter.setPen(QPen(Colour('d'), 2.0, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(tip, pivot);
        painter.setPen(QPen(Colour('r'), 2.0, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QLineF(pivot, arm.pointAt(1 - ringRadius / arm.length())));
        painter.drawEllipse(ring, ringRadius, ringRadius);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(Colour('k'));
    painter.drawEllipse(pivot, 1.8, 1.8);
}

void DrawCopy(QPainter& painter) {
    Outlined(painter, QPolygonF(QRectF(3, 1, 16, 18)), 'w');
    TextLines(painter, 6, 4, {10, 4, 4, 4});
    Outlined(painter, QPolygonF(QRectF(13, 9, 16, 20)), 'w');
    TextLines(painter, 16, 12, {10, 10, 10, 6});
}

void DrawPaste(QPainter& painter) {
    Outlined(painter, QPolygonF(QRectF(3, 3, 22, 22)), 'b');
    Outlined(painter, QPolygonF(QRectF(9, 1, 10, 4)), 'g');
    Outlined(painter, QPolygonF(QRectF(11, 9, 18, 20)), 'w');
    TextLines(painter, 14, 12, {12, 12, 8, 12});
}

// An arrow head pointing left, its tip at `tipX`, with a bar before it where `bar`.
void DrawLeftArrow(QPainter& painter, qreal tipX, bool bar) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(Colour('k'));
    painter.drawPolygon(
        QPolygonF({{tipX, 15}, {tipX + 11, 4}, {tipX + 14, 4}, {tipX + 14, 26}, {tipX + 11, 26}}));
    if (bar) Fill(painter, QRectF(6, 4, 4, 22), 'k');
}

void DrawDelete(QPainter& painter) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(Colour('r'));
    painter.drawPolygon(QPolygonF({{4, 4}, {10, 4}, {28, 28}, {22, 28}}));
    painter.drawPolygon(QPolygonF({{28, 4}, {22, 4}, {4, 28}, {10, 28}}));
}

// Two arrows chasing each other round: the board turns half a circle.
void DrawRotate(QPainter& painter) {
    const QPointF centre(16, 15);
    const qreal radius = 11.5;
    for (int half = 0; half < 2; ++half) {
        painter.save();
        painter.translate(centre);
        painter.rotate(180.0 * half);
        painter.translate(-centre);
        painter.setPen(QPen(Colour('n'), kStroke, Qt::SolidLine, Qt::FlatCap));
        painter.setBrush(Qt::NoBrush);
        const QRectF circle(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
        painter.drawArc(circle, 38 * 16, 134 * 16);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Colour('n'));
        painter.drawPolygon(QPolygonF({{19, 8}, {31, 8}, {25, 14.5}}));
        painter.restore();
    }
}

void DrawAbout(QPainter& painter) {
    QPainterPath hook;
    const QRectF bow(10, 4, 12, 12);
    hook.arcMoveTo(bow, 180);
    hook.arcTo(bow, 180, -215);
    hook.lineTo(16, 17);
    hook.lineTo(16, 22);
    painter.setPen(QPen(Colour('n'), kStroke, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(hook);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Colour('n'));
    painter.drawEllipse(QPointF(16, 26.5), 2.4, 2.4);
}

QImage Picture(const std::function<void(QPainter&)>& draw) {
    QImage picture(kWidth, kHeight, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing, true);
    draw(painter);
    return picture;
}

}  // namespace

QImage DrawToolBarStrip2x() {
    const auto top = [](QPainter& painter) { DrawLeftArrow(painter, 12, true); };
    const auto backward = [](QPainter& painter) { DrawLeftArrow(painter, 8, false); };
    return SideBySide({Picture(DrawNew), Picture(DrawOpen), Picture(DrawSave), Picture(DrawCut),
                       Picture(DrawCopy), Picture(DrawPaste), Picture(top), Picture(backward),
                       Picture(backward).mirrored(true, false), Picture(top).mirrored(true, false),
                       Picture(DrawDelete), Picture(DrawRotate), Picture(DrawAbout)});
}
