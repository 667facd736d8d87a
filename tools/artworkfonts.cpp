#include "tools/artworkfonts.h"

#include <QtGui/QFontDatabase>
#include <QtGui/QTransform>

#include <algorithm>
#include <stdexcept>

namespace {

// Outlines are taken at a large size and scaled down, so that hinting for some small pixel
// size never enters the artwork and the result is the same on every machine with the font.
constexpr int kOutlinePixelSize = 200;

QFont RequireFamily(const QStringList& candidates, const char* package, bool bold) {
    const QStringList installed = QFontDatabase::families();
    for (const QString& family : candidates) {
        if (installed.contains(family, Qt::CaseInsensitive)) {
            QFont font(family);
            font.setPixelSize(kOutlinePixelSize);
            font.setBold(bold);
            font.setHintingPreference(QFont::PreferNoHinting);
            font.setStyleStrategy(QFont::NoFontMerging);
            return font;
        }
    }
    throw std::runtime_error("the font '" + candidates.front().toStdString() +
                             "' is not installed (Debian package " + package + ")");
}

}  // namespace

ArtworkFonts FindArtworkFonts() {
    ArtworkFonts fonts;
    fonts.mincho =
        RequireFamily({"IPAMincho", QStringLiteral("IPA明朝")}, "fonts-ipafont-mincho", false);
    fonts.latin = RequireFamily({"DejaVu Sans"}, "fonts-dejavu-core", true);
    return fonts;
}

QPainterPath TextOutline(const QFont& font, const QString& text) {
    QPainterPath path;
    path.addText(0, 0, font, text);
    if (path.isEmpty()) {
        throw std::runtime_error("the font '" + font.family().toStdString() +
                                 "' has no outline for '" + text.toStdString() + "'");
    }
    return path;
}

QPainterPath FitInto(const QPainterPath& path, const QRectF& box) {
    const QRectF ink = path.boundingRect();
    const qreal scale = std::min(box.width() / ink.width(), box.height() / ink.height());
    QTransform transform;
    transform.translate(box.center().x(), box.center().y());
    transform.scale(scale, scale);
    transform.translate(-ink.center().x(), -ink.center().y());
    return transform.map(path);
}
