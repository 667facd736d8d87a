#include "tools/piecestrip.h"

#include <QtGui/QPainter>
#include <QtGui/QPen>
#include <QtGui/QTransform>

#include <array>
#include <cmath>
#include <cstddef>
#include <vector>

namespace {

constexpr int kCell = 32;  // the design grid of one picture; the 1x picture's pixels
constexpr int kCells = 16;
constexpr QRgb kTransparentBlue = qRgb(0, 0, 255);
constexpr int kBlueIndex = 0;
constexpr int kInkIndex = 1;
constexpr int kBodyIndex = 255;

// One flag per pixel of a cell of `size` x `size` pixels.
class CellMask {
  public:
    explicit CellMask(int size) : m_size(size), m_bits(std::size_t(size) * size, false) {}
    int Size() const { return m_size; }
    bool At(int x, int y) const {
        return x >= 0 && y >= 0 && x < m_size && y < m_size && m_bits[std::size_t(y) * m_size + x];
    }
    void Set(int x, int y, bool on) { m_bits[std::size_t(y) * m_size + x] = on; }

  private:
    int m_size;
    std::vector<bool> m_bits;
};

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

// The pixels whose centres lie inside the piece shape mapped onto a cell of `size` x `size`
// pixels. Only the left half is tested and then mirrored, so that rounding can never make the
// piece lopsided.
CellMask BodyPixels(int size) {
    const qreal scale = qreal(size) / kCell;
    const QPolygonF shape = QTransform::fromScale(scale, scale).map(PieceShape());
    CellMask body(size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < (size + 1) / 2; ++x) {
            const bool inside = shape.containsPoint(QPointF(x + 0.5, y + 0.5), Qt::OddEvenFill);
            body.Set(x, y, inside);
            body.Set(size - 1 - x, y, inside);
        }
    }
    return body;
}

// The hard outline, `width` pixels wide: a body pixel within `width` pixels of one outside the
// body. At a width of one these are the body pixels with a side neighbour outside; wider, the
// round reach keeps the outline equally thick along the slanted sides.
CellMask OutlinePixels(const CellMask& body, int width) {
    const int size = body.Size();
    CellMask outline(size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            bool edge = false;
            for (int dy = -width; dy <= width && body.At(x, y) && !edge; ++dy)
                for (int dx = -width; dx <= width && !edge; ++dx)
                    edge = dx * dx + dy * dy <= width * width && !body.At(x + dx, y + dy);
            outline.Set(x, y, edge);
        }
    }
    return outline;
}

// Anti-aliased coverage of the lettering, 0 (none) to 255 (full ink), drawn natively at
// `scale` times the design size.
QImage LetteringCoverage(const QPainterPath& lettering, qreal strokeWeight, int scale) {
    QImage coverage(kCell * scale, kCell * scale, QImage::Format_Alpha8);
    coverage.fill(0);
    QPainter painter(&coverage);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.scale(scale, scale);
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
    const int size = body.Size();
    for (int y = 0; y < size; ++y) {
        uchar* line = strip.scanLine(y) + cell * size;
        const uchar* ink = coverage.constScanLine(y);
        for (int x = 0; x < size; ++x) {
            if (!body.At(x, y)) {
                line[x] = kBlueIndex;
            } else if (outline.At(x, y)) {
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

QImage DrawPieceStrip(PieceStyle style, const ArtworkFonts& fonts, int scale) {
    const int size = kCell * scale;
    QImage strip(kCells * size, size, QImage::Format_Indexed8);
    strip.setColorTable(StripColourTable());
    const CellMask body = BodyPixels(size);
    const CellMask outline = OutlinePixels(body, scale);
    for (int cell = 0; cell < kCells; ++cell) {
        const QImage coverage =
            LetteringCoverage(PieceLettering(style, cell, fonts), StrokeWeight(style), scale);
        DrawCell(strip, cell, body, outline, coverage);
    }
    return strip;
}

QImage PieceSilhouette(int size, int outlineWidth, const QColor& ink, const QColor& body) {
    const CellMask inside = BodyPixels(size);
    const CellMask outline = OutlinePixels(inside, outlineWidth);
    QImage picture(size, size, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            if (inside.At(x, y)) picture.setPixelColor(x, y, outline.At(x, y) ? ink : body);
        }
    }
    return picture;
}
