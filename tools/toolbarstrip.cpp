#include "tools/toolbarstrip.h"

#include <QtGui/QPainter>

#include <array>
#include <cstring>
#include <stdexcept>
#include <string>

namespace {

constexpr int kWidth = 16;
constexpr int kHeight = 15;

using PixelArt = std::array<const char*, kHeight>;

}  // namespace

QRgb ToolBarArtColour(char letter) {
    switch (letter) {
        case 'k':
            return qRgba(0, 0, 0, 255);
        case 'd':
            return qRgba(128, 128, 128, 255);
        case 'g':
            return qRgba(192, 192, 192, 255);
        case 'w':
            return qRgba(255, 255, 255, 255);
        case 'y':
            return qRgba(255, 224, 96, 255);
        case 'o':
            return qRgba(214, 160, 48, 255);
        case 'b':
            return qRgba(150, 100, 50, 255);
        case 'n':
            return qRgba(0, 0, 160, 255);
        case 'r':
            return qRgba(208, 0, 0, 255);
        case '.':
            return qRgba(0, 0, 0, 0);
        default:
            throw std::runtime_error(std::string("tool bar art: unknown colour letter ") + letter);
    }
}

namespace {

QImage FromArt(const PixelArt& art) {
    QImage picture(kWidth, kHeight, QImage::Format_ARGB32);
    for (int y = 0; y < kHeight; ++y) {
        if (std::strlen(art[y]) != kWidth) {
            throw std::runtime_error("tool bar art: row " + std::to_string(y) + " is not " +
                                     std::to_string(kWidth) + " pixels wide");
        }
        for (int x = 0; x < kWidth; ++x)
            picture.setPixel(x, y, ToolBarArtColour(art[y][x]));
    }
    return picture;
}

// clang-format off
const PixelArt kNew = {
    "................",
    "..kkkkkkkk......",
    "..kwwwwwwkk.....",
    "..kwwwwwwkwk....",
    "..kwwwwwwkwwk...",
    "..kwwwwwwkkkkk..",
    "..kwwwwwwwwwwk..",
    "..kwwwwwwwwwwk..",
    "..kwwwwwwwwwwk..",
    "..kwwwwwwwwwwk..",
    "..kwwwwwwwwwwk..",
    "..kwwwwwwwwwwk..",
    "..kwwwwwwwwwwk..",
    "..kkkkkkkkkkkk..",
    "................",
};

const PixelArt kOpen = {
    "................",
    "................",
    "................",
    ".kkkk...........",
    "koooook.........",
    "kooooookkkkkk...",
    "kooooooooooook..",
    "koookkkkkkkkkkkk",
    "kookyyyyyyyyyyk.",
    "kokyyyyyyyyyyk..",
    "kkyyyyyyyyyyk...",
    "kyyyyyyyyyyk....",
    "kkkkkkkkkkk.....",
    "................",
    "................",
};

const PixelArt kSave = {
    ".kkkkkkkkkkkkkk.",
    ".knnwwwwwwwwnnk.",
    ".knnwwwwwwwwnnk.",
    ".knnwddddddwnnk.",
    ".knnwwwwwwwwnnk.",
    ".knnnnnnnnnnnnk.",
    ".knnnnnnnnnnnnk.",
    ".knnnnnnnnnnnnk.",
    ".knnggggggggnnk.",
    ".knngggkkgggnnk.",
    ".knngggkkgggnnk.",
    ".knngggkkgggnnk.",
    ".knnggggggggnnk.",
    ".kkkkkkkkkkkkkk.",
    "................",
};

const PixelArt kCut = {
    "................",
    "....d......d....",
    "....d......d....",
    ".....d....d.....",
    ".....d....d.....",
    "......d..d......",
    "......d..d......",
    ".......kk.......",
    "......d..d......",
    ".....r....r.....",
    "...rrr....rrr...",
    "..r..r....r..r..",
    "..r..r....r..r..",
    "...rr......rr...",
    "................",
};

const PixelArt kCopy = {
    ".kkkkkkkkk......",
    ".kwwwwwwwk......",
    ".kwdddddwk......",
    ".kwwwwwwwk......",
    ".kwddwkkkkkkkkk.",
    ".kwwwwkwwwwwwwk.",
    ".kwddwkwdddddwk.",
    ".kwwwwkwwwwwwwk.",
    ".kwddwkwdddddwk.",
    ".kkkkkkwwwwwwwk.",
    "......kwdddddwk.",
    "......kwwwwwwwk.",
    "......kwdddwwwk.",
    "......kwwwwwwwk.",
    "......kkkkkkkkk.",
};

const PixelArt kPaste = {
    "....kkkkkk......",
    ".kkkkggggkkkk...",
    ".kbbkkkkkkbbk...",
    ".kbbbbbbbbbbk...",
    ".kbbbkkkkkkkkkk.",
    ".kbbbkwwwwwwwwk.",
    ".kbbbkwddddddwk.",
    ".kbbbkwwwwwwwwk.",
    ".kbbbkwddddddwk.",
    ".kbbbkwwwwwwwwk.",
    ".kbbbkwddddwwwk.",
    ".kbbbkwwwwwwwwk.",
    ".kkkkkwddddddwk.",
    ".....kwwwwwwwwk.",
    ".....kkkkkkkkkk.",
};

// To the start of the record: a bar and an arrow head.
const PixelArt kTop = {
    "................",
    "................",
    "...kk......kk...",
    "...kk.....kkk...",
    "...kk....kkkk...",
    "...kk...kkkkk...",
    "...kk..kkkkkk...",
    "...kk.kkkkkkk...",
    "...kk..kkkkkk...",
    "...kk...kkkkk...",
    "...kk....kkkk...",
    "...kk.....kkk...",
    "...kk......kk...",
    "................",
    "................",
};

const PixelArt kBackward = {
    "................",
    "................",
    ".........kkk....",
    "........kkkk....",
    ".......kkkkk....",
    "......kkkkkk....",
    ".....kkkkkkk....",
    "....kkkkkkkk....",
    ".....kkkkkkk....",
    "......kkkkkk....",
    ".......kkkkk....",
    "........kkkk....",
    ".........kkk....",
    "................",
    "................",
};

const PixelArt kDelete = {
    "................",
    "................",
    "..rr........rr..",
    "..rrr......rrr..",
    "...rrr....rrr...",
    "....rrr..rrr....",
    ".....rrrrrr.....",
    "......rrrr......",
    "......rrrr......",
    ".....rrrrrr.....",
    "....rrr..rrr....",
    "...rrr....rrr...",
    "..rrr......rrr..",
    "..rr........rr..",
    "................",
};

// Two arrows chasing each other round: the board turns half a circle.
const PixelArt kRotate = {
    "................",
    ".....nnnnnn.....",
    "...nnn....nnn...",
    "..nn........nn..",
    ".nn.......nnnnnn",
    ".nn........nnnn.",
    ".nn.........nn..",
    "................",
    "..nn.........nn.",
    ".nnnn........nn.",
    "nnnnnn.......nn.",
    "..nn........nn..",
    "...nnn....nnn...",
    ".....nnnnnn.....",
    "................",
};

const PixelArt kAbout = {
    "................",
    "................",
    ".....nnnnnn.....",
    "....nn....nn....",
    "....nn....nn....",
    "..........nn....",
    ".........nn.....",
    "........nn......",
    ".......nn.......",
    ".......nn.......",
    ".......nn.......",
    "................",
    ".......nn.......",
    ".......nn.......",
    "................",
};
// clang-format on

QImage Mirrored(const QImage& picture) {
    return picture.mirrored(true, false);
}

}  // namespace

QImage DrawToolBarStrip() {
    return SideBySide({FromArt(kNew), FromArt(kOpen), FromArt(kSave), FromArt(kCut), FromArt(kCopy),
                       FromArt(kPaste), FromArt(kTop), FromArt(kBackward),
                       Mirrored(FromArt(kBackward)), Mirrored(FromArt(kTop)), FromArt(kDelete),
                       FromArt(kRotate), FromArt(kAbout)});
}

QImage SideBySide(const QList<QImage>& pictures) {
    const QSize size = pictures.front().size();
    QImage strip(int(pictures.size()) * size.width(), size.height(), QImage::Format_ARGB32);
    strip.fill(Qt::transparent);
    QPainter painter(&strip);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (int i = 0; i < pictures.size(); ++i)
        painter.drawImage(i * size.width(), 0, pictures[i]);
    return strip;
}
