#include "board/piecepictures.h"

#include <QPaintDevice>
#include <QPainter>
#include <QRectF>
#include <QtDebug>

#include "board/boardlayout.h"

// Q_INIT_RESOURCE must stand outside any namespace; calling it also keeps the linker from
// dropping the compiled pictures out of the static library.
static void InitPieceResources() {
    Q_INIT_RESOURCE(pieces);
}

namespace {

// A window resized by dragging asks for many sizes in turn; only the last few are kept.
constexpr std::size_t KeptSizes = 4;

// The strip with its pure blue made transparent, in a format that scales with smooth edges.
QImage LoadStrip(bool japanese, bool large) {
    static const bool loaded = (InitPieceResources(), true);
    (void)loaded;
    const QString path =
        QStringLiteral(":/pieces/%1%2.png")
            .arg(japanese ? QStringLiteral("japanese") : QStringLiteral("international"),
                 large ? QStringLiteral("@4x") : QString());
    QImage strip(path);
    const int cell = large ? LargePieceCellPixels : PieceCellPixels;
    if (strip.width() != PieceCellCount * cell || strip.height() != cell) {
        // The strips are compiled into the program, so this is a broken build, not bad input.
        qWarning("The piece pictures %s are missing or not %d x %d", qPrintable(path),
                 PieceCellCount * cell, cell);
        return {};
    }
    // Qt takes "@4x" in the name for a density; the cells are cut in the strip's own pixels.
    strip.setDevicePixelRatio(1);
    strip = strip.convertToFormat(QImage::Format_ARGB32);
    const QRgb transparent = StripTransparentColor.rgb();
    for (int y = 0; y < strip.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(strip.scanLine(y));
        for (int x = 0; x < strip.width(); ++x)
            if ((line[x] | 0xff000000u) == transparent) line[x] = 0;
    }
    return strip.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

}  // namespace

int PieceCell(int code) {
    if (KindOf(code) == King) return (code & Black) ? 7 : 15;
    return RuleOf(code);
}

PieceCells LoadPieceCells(bool japanese, bool turned, bool large) {
    const QImage strip = LoadStrip(japanese, large);
    PieceCells cells;
    if (strip.isNull()) return cells;
    const int size = strip.height();
    for (int cell = 0; cell < PieceCellCount; ++cell) {
        QImage picture = strip.copy(cell * size, 0, size, size);
        cells[cell] = turned ? picture.mirrored(true, true) : picture;
    }
    return cells;
}

qreal PainterPixelScale(const QPainter& painter) {
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    return ratio * painter.worldTransform().m11();
}

PiecePictures::PiecePictures(bool japanese)
    : m_japanese(japanese),
      m_small{LoadPieceCells(japanese, false), LoadPieceCells(japanese, true)},
      m_large{LoadPieceCells(japanese, false, true), LoadPieceCells(japanese, true, true)} {}

const PiecePictures::Sized& PiecePictures::AtSize(int pixels) {
    if (pixels == PieceCellPixels) return m_small;
    if (pixels == LargePieceCellPixels) return m_large;
    if (const auto it = m_scaled.find(pixels); it != m_scaled.end()) return it->second;
    if (m_scaled.size() >= KeptSizes) m_scaled.clear();
    Sized& sized = m_scaled[pixels];
    const auto scale = [pixels](const PieceCells& from, PieceCells& to) {
        for (int cell = 0; cell < PieceCellCount; ++cell)
            if (!from[cell].isNull())
                to[cell] = from[cell].scaled(pixels, pixels, Qt::IgnoreAspectRatio,
                                             Qt::SmoothTransformation);
    };
    scale(m_large.upright, sized.upright);
    scale(m_large.turned, sized.turned);
    return sized;
}

const QImage& PiecePictures::Cell(int cell, bool turned, int pixels) {
    const Sized& sized = AtSize(std::max(1, pixels));
    return turned ? sized.turned[cell] : sized.upright[cell];
}

void PiecePictures::Draw(QPainter& painter, int code, const QRectF& square, bool turned) {
    if (code == 0) return;
    const int pixels = qRound(square.width() * PainterPixelScale(painter));
    const QImage& picture = Cell(PieceCell(code), turned, pixels);
    if (!picture.isNull()) painter.drawImage(square, picture);
}
