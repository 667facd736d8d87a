#pragma once

#include <QtCore/QByteArray>
#include <QtGui/QImage>

#include "tools/artworkfonts.h"

// The program's icon at `size` x `size` pixels: a piece standing on a corner of the board.
QImage DrawProgramIcon(int size, const ArtworkFonts& fonts);

// The icon of a record file at `size` x `size` pixels: a page with a piece and lines of moves.
QImage DrawDocumentIcon(int size, const ArtworkFonts& fonts);

// The same two icons as scalable SVG text, drawn from the same design; all lettering is
// outlines, so no font is needed to show them.
QByteArray DrawProgramIconSvg(const ArtworkFonts& fonts);
QByteArray DrawDocumentIconSvg(const ArtworkFonts& fonts);
