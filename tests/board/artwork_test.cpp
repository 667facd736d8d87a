#include <gtest/gtest.h>

#include <QtGui/QImage>

#include <cstdlib>

#include "board/boardwnd.h"

namespace {

constexpr QRgb kBlue = qRgb(0, 0, 255), kBody = qRgb(255, 255, 102), kInk = qRgb(0, 0, 0);

class PieceStripTest : public testing::TestWithParam<const char*> {};

// Sixteen 32 x 32 pictures of a yellow piece with black lettering on the pure blue that lets
// the board show through. Lettering edges may mix black into the yellow, never into the blue,
// and the outline is drawn without smoothing: every piece pixel next to the blue is pure black.
TEST_P(PieceStripTest, SixteenPiecesOnBlueWithHardEdges) {
    LoadPieceCells(true, false);  // makes the strips in the program's resources available
    const QImage strip(QString::fromLatin1(GetParam()));
    ASSERT_EQ(strip.size(), QSize(512, 32)) << GetParam();
    EXPECT_EQ(strip.format(), QImage::Format_Indexed8);
    auto at = [&](int cell, int x, int y) { return strip.pixel(cell * 32 + x, y) | 0xff000000u; };
    for (int cell = 0; cell < 16; ++cell) {
        int body = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                const QRgb c = at(cell, x, y);
                auto where = [&] { return testing::Message() << cell << ": " << x << "," << y; };
                if (x < 2 || x == 31 || y < 2 || y >= 30) {
                    ASSERT_EQ(c, kBlue) << where();
                    continue;
                }
                const int r = qRed(c), g = qGreen(c), b = qBlue(c);
                const bool inkToBody =
                    std::abs(r - g) <= 1 && b <= 102 && std::abs(b * 255 - r * 102) <= 2 * 255;
                ASSERT_TRUE(c == kBlue || inkToBody) << where();
                const bool edge = at(cell, x - 1, y) == kBlue || at(cell, x + 1, y) == kBlue ||
                                  at(cell, x, y - 1) == kBlue || at(cell, x, y + 1) == kBlue;
                ASSERT_TRUE(c == kBlue || c == kInk || !edge) << where();
                body += c == kBody;
            }
        EXPECT_GT(body, 200) << "cell " << cell;
    }
    // Each picture is its own, but for the gold's, repeated in cell 12 as the gold does not
    // promote, and the kings' in the international style.
    const bool international = QString::fromLatin1(GetParam()).contains("international");
    for (int a = 0; a < 16; ++a)
        for (int b = a + 1; b < 16; ++b)
            EXPECT_EQ(strip.copy(a * 32, 0, 32, 32) == strip.copy(b * 32, 0, 32, 32),
                      (a == 4 && b == 12) || (a == 7 && b == 15 && international))
                << a << "," << b;
}

INSTANTIATE_TEST_SUITE_P(BothStyles, PieceStripTest,
                         testing::Values(":/pieces/japanese.png", ":/pieces/international.png"));

}  // namespace
