#include <gtest/gtest.h>

#include <QtGui/QImage>

#include <cstdlib>

#include "app/resources.h"

namespace {

constexpr int kCell = 32;
constexpr int kCells = 16;
constexpr QRgb kBlue = qRgb(0, 0, 255);
constexpr QRgb kBody = qRgb(255, 255, 102);
constexpr QRgb kInk = qRgb(0, 0, 0);

QImage LoadArtwork(const char* path) {
    InitResources();
    return QImage(QString::fromLatin1(path));
}

QRgb At(const QImage& strip, int cell, int x, int y) {
    return strip.pixel(cell * kCell + x, y) | 0xff000000u;
}

// Lettering edges may mix black with the yellow body, never with the blue: every such colour
// lies on the line from (0, 0, 0) to (255, 255, 102).
bool OnInkToBodyLine(QRgb colour) {
    const int r = qRed(colour), g = qGreen(colour), b = qBlue(colour);
    return std::abs(r - g) <= 1 && b <= 102 && std::abs(b * 255 - r * 102) <= 2 * 255;
}

bool IsBorder(int x, int y) {
    return x < 2 || x == kCell - 1 || y < 2 || y >= kCell - 2;
}

bool SameCell(const QImage& strip, int a, int b) {
    for (int y = 0; y < kCell; ++y) {
        for (int x = 0; x < kCell; ++x) {
            if (At(strip, a, x, y) != At(strip, b, x, y)) return false;
        }
    }
    return true;
}

class PieceStripTest : public testing::TestWithParam<const char*> {};

TEST_P(PieceStripTest, IsSixteenIndexedCellsOfThirtyTwoPixels) {
    const QImage strip = LoadArtwork(GetParam());
    ASSERT_FALSE(strip.isNull()) << GetParam();
    EXPECT_EQ(strip.width(), kCells * kCell);
    EXPECT_EQ(strip.height(), kCell);
    EXPECT_EQ(strip.format(), QImage::Format_Indexed8);
    EXPECT_LE(strip.colorCount(), 256);
}

TEST_P(PieceStripTest, EveryPictureIsAPieceOnBlueWithAClearBorder) {
    const QImage strip = LoadArtwork(GetParam());
    ASSERT_EQ(strip.width(), kCells * kCell);
    for (int cell = 0; cell < kCells; ++cell) {
        int bodyPixels = 0;
        int inkInside = 0;
        for (int y = 0; y < kCell; ++y) {
            for (int x = 0; x < kCell; ++x) {
                const QRgb colour = At(strip, cell, x, y);
                if (IsBorder(x, y)) {
                    ASSERT_EQ(colour, kBlue) << "cell " << cell << " border at " << x << "," << y;
                    continue;
                }
                if (x >= 10 && x < 22 && y >= 12 && y < 24) {
                    ASSERT_NE(colour, kBlue) << "cell " << cell << " centre at " << x << "," << y;
                }
                ASSERT_TRUE(colour == kBlue || OnInkToBodyLine(colour))
                    << "cell " << cell << " at " << x << "," << y << " has a stray colour #"
                    << std::hex << colour;
                bodyPixels += colour == kBody;
                inkInside += qRed(colour) < 100 && x >= 8 && x < 24 && y >= 10 && y < 26;
            }
        }
        EXPECT_GT(bodyPixels, 200) << "cell " << cell << " has little yellow body";
        EXPECT_GT(inkInside, 20) << "cell " << cell << " has no lettering";
    }
}

// The outline is drawn without smoothing: where a piece meets the blue, the piece pixel is the
// pure black outline, so no half-blue pixel fringes a piece on the board.
TEST_P(PieceStripTest, OutlineMeetsTheBlueWithPureBlack) {
    const QImage strip = LoadArtwork(GetParam());
    ASSERT_EQ(strip.width(), kCells * kCell);
    for (int cell = 0; cell < kCells; ++cell) {
        for (int y = 1; y < kCell - 1; ++y) {
            for (int x = 1; x < kCell - 1; ++x) {
                if (At(strip, cell, x, y) == kBlue) continue;
                const bool touchesBlue =
                    At(strip, cell, x - 1, y) == kBlue || At(strip, cell, x + 1, y) == kBlue ||
                    At(strip, cell, x, y - 1) == kBlue || At(strip, cell, x, y + 1) == kBlue;
                if (touchesBlue) {
                    ASSERT_EQ(At(strip, cell, x, y), kInk)
                        << "cell " << cell << " at " << x << "," << y;
                }
            }
        }
    }
}

TEST_P(PieceStripTest, PromotedPiecesLookDifferentFromUnpromoted) {
    const QImage strip = LoadArtwork(GetParam());
    ASSERT_EQ(strip.width(), kCells * kCell);
    for (int kind = 0; kind < 7; ++kind) {
        if (kind == 4) continue;  // gold does not promote; cell 12 repeats it
        EXPECT_FALSE(SameCell(strip, kind, kind + 8)) << "kind " << kind;
    }
    for (int a = 0; a < 8; ++a) {
        for (int b = a + 1; b < 8; ++b)
            EXPECT_FALSE(SameCell(strip, a, b)) << a << " and " << b;
    }
}

INSTANTIATE_TEST_SUITE_P(BothStyles, PieceStripTest,
                         testing::Values(":/pieces/japanese.png", ":/pieces/international.png"));

TEST(ArtworkTest, JapaneseKingsOfTheTwoSidesDiffer) {
    const QImage strip = LoadArtwork(":/pieces/japanese.png");
    ASSERT_EQ(strip.width(), kCells * kCell);
    EXPECT_FALSE(SameCell(strip, 7, 15));
}

TEST(ArtworkTest, ToolBarHoldsThirteenPicturesOnATransparentBackground) {
    const QImage strip = LoadArtwork(":/toolbar.png");
    ASSERT_FALSE(strip.isNull());
    ASSERT_EQ(strip.width(), 13 * 16);
    ASSERT_EQ(strip.height(), 15);
    ASSERT_TRUE(strip.hasAlphaChannel());
    for (int picture = 0; picture < 13; ++picture) {
        int opaque = 0;
        int transparent = 0;
        for (int y = 0; y < 15; ++y) {
            for (int x = 0; x < 16; ++x) {
                const int alpha = qAlpha(strip.pixel(picture * 16 + x, y));
                opaque += alpha == 255;
                transparent += alpha == 0;
            }
        }
        EXPECT_GT(opaque, 15) << "picture " << picture;
        EXPECT_GT(transparent, 15) << "picture " << picture;
    }
}

TEST(ArtworkTest, IconsAreSquareWithATransparentCorner) {
    for (const char* path : {":/icons/marlock.png", ":/icons/marlock-64.png",
                             ":/icons/esn-document.png", ":/icons/esn-document-64.png"}) {
        const QImage icon = LoadArtwork(path);
        ASSERT_FALSE(icon.isNull()) << path;
        EXPECT_EQ(icon.width(), icon.height()) << path;
        EXPECT_GE(icon.width(), 32) << path;
        EXPECT_EQ(qAlpha(icon.pixel(0, icon.height() - 1)), 0) << path;
        EXPECT_EQ(qAlpha(icon.pixel(icon.width() / 2, icon.height() / 2)), 255) << path;
    }
}

}  // namespace
