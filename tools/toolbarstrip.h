#pragma once

#include <QtCore/QList>
#include <QtGui/QImage>
#include <QtGui/QRgb>

// Draws the 13 tool bar pictures of 16 x 15 pixels side by side into one 208 x 15 strip with
// a transparent background, in button order: New, Open, Save, Cut, Copy, Paste, Top, Backward,
// Forward, End, Delete, Rotate Board, About.
QImage DrawToolBarStrip();

// The colour of one letter of the tool bar pictures' palette: k black, d dark grey, g grey,
// w white, y yellow, o orange, b brown, n navy, r red, '.' transparent. Throws
// std::runtime_error for any other letter.
QRgb ToolBarArtColour(char letter);

// `pictures`, all of one size, side by side in one strip on a transparent background.
QImage SideBySide(const QList<QImage>& pictures);
