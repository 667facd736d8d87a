#include "tools/piecestrip.h"

#include <QtGui/QPainter>
#include <QtGui/QPen>

#include <array>
#include <cmath>

namespace {

constexpr int kCell = 32;
constexpr int kCells = 16;
constexpr QRgb kTransparentBlue = qRgb(0, 0, 255);
constexpr int kBlueIndex = 0;
constexpr int kInkIndex = 1;
constexpr int kBodyIndex = 255;

using CellMask = std::array<std::array<bool, kCell>, kCell>;

// Index 0 is the transparent blue; 1..255 step evenly from black to the body yellow
// (255, 255, 102), the only colours an edge of the lettering can take.
QList<QRgb> StripColourTable() {
    QList<QRgb> table{kTransparentBlue};
    for (int i = 0; i <= kBodyIndex - kInkIndex; ++i) {
        const double t = double(i) / (kBodyIndex - kInkIndex);
        const int rg = int(std::lround(255 * t));
        table.push_back(qRgb(rg, rg, int(std::lround(102 * t))));
    }
    return table;
}

// The pixels whose centres lie inside the piece shape. Only the left half is tested and then
// mirrored, so that rounding can never make the piece lopsided.
CellMask BodyPixels() {
    const QPolygonF shape = PieceShape();
    CellMask body{};
    for (int y = 0; y < kCell; ++y) {
        for (int x = 0; x < kCell / 2; ++x) {
            const bool inside = shape.containsPoint(QPointF(x + 0.5, y + 0.5), Qt::OddEvenFill);
            body[y][x] = inside;
            body[y][kCell - 1 - x] = inside;
        }
    }
    return body;
}

bool IsBody(const CellMask& body, int x, int y) {
    return x >= 0 && y >= 0 && x < kCell && y < kCell && body[y][x];
}

// A body pixel with a side neighbour outside the body: the one-pixel hard outline.
CellMask OutlinePixels(const CellMask& body) {
    CellMask outline{};
    for (int y = 0; y < kCell; ++y) {
        for (int x = 0; x < kCell; ++x) {
            outline[y][x] = body[y][x] && (!IsBody(body, x - 1, y) || !IsBody(body, x + 1, y) ||
                                           !IsBody(body, x, y - 1) || !IsBody(body, x, y + 1));
        }
    }
    return outline;
}

// Anti-aliased coverage of the lettering, 0 (none) to 255 (full ink).
QImage LetteringCoverage(const QPainterPath& lettering, qreal strokeWeight) {
    QImage coverage(kCell, kCell, QImage::Format_Alpha8);
    coverage.fill(0);
    QPainter painter(&coverage);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setBrush(Qt::black);
    if (strokeWeight > 0) {
        painter.setPen(QPen(Qt::black, strokeWeight, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    } else {
        painter.setPen(Qt::NoPen);
    }
    painter.drawPath(lettering);
    return coverage;
}

void DrawCell(QImage& strip, int cell, const CellMask& body, const CellMask& outline,
              const QImage& coverage) {
    for (int y = 0; y < kCell; ++y) {
        uchar* line = strip.scanLine(y) + cell * kCell;
        const uchar* ink = coverage.constScanLine(y);
        for (int x = 0; x < kCell; ++x) {
            if (!body[y][x]) {
                line[x] = kBlueIndex;
            } else if (outline[y][x]) {
                line[x] = kInkIndex;
            } else {
                // Ink blends with the yellow only: the lettering is clipped to the inside of
                // the outline, never touching the blue.
                const int span = kBodyIndex - kInkIndex;
                line[x] = uchar(kBodyIndex - (ink[x] * span + 127) / 255);
            }
        }
    }
}

// Mincho strokes are hairline-thin at this size; a light stroke around each glyph keeps the
// horizontals from fading into the yellow.
qreal StrokeWeight(PieceStyle style) {
    return style == PieceStyle::Japanese ? 0.7 : 0.0;
}

// Where a single large character sits: below the roof, clear of the outline.
const QRectF kCharacterBox(7.0, 9.5, 18.0, 17.5);

// A small "promoted" mark above a smaller character.
const QRectF kMarkBox(10.5, 5.6, 11.0, 5.4);
const QRectF kUnderMarkBox(8.5, 12.2, 15.0, 15.0);

// Letters of the international pieces; promoted ones stand in a ring.
const QRectF kLetterBox(9.0, 11.0, 14.0, 15.0);
const QPointF kRingCentre(16.0, 18.5);
constexpr qreal kRingOuterRadius = 9.6;
constexpr qreal kRingWidth = 1.7;
const QRectF kRingedLetterBox(11.5, 14.0, 9.0, 9.5);

QString JapaneseCharacter(int cell) {
    static const std::array<const char*, kCells> characters = {"歩", "香", "桂", "銀", "金", "角",
                                                               "飛", "王", "と", "香", "桂", "銀",
                                                               "金", "馬", "竜", "玉"};
    return QString::fromUtf8(characters[cell]);
}

QPainterPath JapaneseLettering(int cell, const QFont& mincho) {
    const QPainterPath character = TextOutline(mincho, JapaneseCharacter(cell));
    // The promoted lance, knight and silver keep their own character under a small mark.
    const bool marked = cell >= 9 && cell <= 11;
    if (!marked) return FitInto(character, kCharacterBox);
    QPainterPath lettering = FitInto(TextOutline(mincho, QString::fromUtf8("ナリ")), kMarkBox);
    lettering.addPath(FitInto(character, kUnderMarkBox));
    return lettering;
}

QPainterPath InternationalLettering(int cell, const QFont& latin) {
    static const char letters[] = "PLNSGBRKPLNSGBRK";
    const QPainterPath letter = TextOutline(latin, QString(QChar(letters[cell])));
    // Promoted pieces are 8 to 14 except gold (12), which never promotes.
    const bool promoted = cell >= 8 && cell <= 14 && cell != 12;
    if (!promoted) return FitInto(letter, kLetterBox);
    QPainterPath lettering;
    lettering.setFillRule(Qt::OddEvenFill);
    lettering.addEllipse(kRingCentre, kRingOuterRadius, kRingOuterRadius);
    const qreal inner = kRingOuterRadius - kRingWidth;
    lettering.addEllipse(kRingCentre, inner, inner);
    lettering.addPath(FitInto(letter, kRingedLetterBox));
    return lettering;
}

}  // namespace

QPolygonF PieceShape() {
    // Apex two pixels wide, shoulders a quarter of the way down, sides widening to the base.
    return QPolygonF({QPointF(15.0, 2.0), QPointF(17.0, 2.0), QPointF(27.0, 8.6),
                      QPointF(30.0, 30.0), QPointF(2.0, 30.0), QPointF(5.0, 8.6)});
}

QPainterPath PieceLettering(PieceStyle style, int cell, const ArtworkFonts& fonts) {
    return style == PieceStyle::Japanese ? JapaneseLettering(cell, fonts.mincho)
                                         : InternationalLettering(cell, fonts.latin);
}

QImage DrawPieceStrip(PieceStyle style, const ArtworkFonts& fonts) {
    QImage strip(kCells * kCell, kCell, QImage::Format_Indexed8);
    strip.setColorTable(StripColourTable());
    const CellMask body = BodyPixels();
    const CellMask outline = OutlinePixels(body);
    for (int cell = 0; cell < kCells; ++cell) {
        const QImage coverage =
            LetteringCoverage(PieceLettering(style, cell, fonts), StrokeWeight(style));
        DrawCell(strip, cell, body, outline, coverage);
    }
    return strip;
}
