#pragma once

#include <QtCore/QRectF>
#include <QtCore/QString>
#include <QtGui/QFont>
#include <QtGui/QPainterPath>

// The fonts the artwork is drawn with. They are needed only while the artwork is generated;
// the program itself loads the finished pictures.
struct ArtworkFonts {
    QFont mincho;  // kanji and kana on the Japanese pieces
    QFont latin;   // letters on the international pieces
};

// Finds the fonts installed on this machine. Throws std::runtime_error naming the missing
// font and the Debian package that provides it.
ArtworkFonts FindArtworkFonts();

// The outline of `text` in `font`, with its baseline at y = 0.
QPainterPath TextOutline(const QFont& font, const QString& text);

// `path` scaled uniformly so that its ink just fits `box`, centred in it.
QPainterPath FitInto(const QPainterPath& path, const QRectF& box);
