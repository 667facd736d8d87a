#pragma once

#include <QtGui/QImage>

// The 13 tool bar pictures of DrawToolBarStrip() at twice the size, 32 x 30 pixels each, in a
// 416 x 30 strip in the same order and palette: drawn as shapes on the finer grid, so that
// slanted and round edges are smooth where the small pictures step, not the small pixels
// doubled.
QImage DrawToolBarStrip2x();
