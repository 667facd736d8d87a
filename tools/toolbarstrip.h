#pragma once

#include <QtGui/QImage>

// Draws the 13 tool bar pictures of 16 x 15 pixels side by side into one 208 x 15 strip with
// a transparent background, in button order: New, Open, Save, Cut, Copy, Paste, Top, Backward,
// Forward, End, Delete, Rotate Board, About.
QImage DrawToolBarStrip();
