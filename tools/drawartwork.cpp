// Draws the pictures the program shows: the two piece strips, the tool bar strip and the
// icons. Run by scripts/make-artwork, which commits nothing; the output goes to the folders
// given on the command line (the piece strips to the second, beside the board window) and is
// checked in as it is.

#include <QtCore/QDir>
#include <QtCore/QSaveFile>
#include <QtGui/QGuiApplication>
#include <QtGui/QImage>

#include <cstdio>
#include <exception>
#include <stdexcept>

#include "tools/artworkfonts.h"
#include "tools/piecestrip.h"
#include "tools/programicons.h"
#include "tools/toolbarstrip.h"
#include "tools/toolbarstrip2x.h"

namespace {

void Save(const QImage& picture, const QDir& folder, const QString& name) {
    const QString path = folder.filePath(name);
    if (!picture.save(path, "PNG")) {
        throw std::runtime_error("cannot write " + path.toStdString());
    }
    std::printf("wrote %s (%d x %d)\n", qPrintable(path), picture.width(), picture.height());
}

void SaveText(const QByteArray& text, const QDir& folder, const QString& name) {
    const QString path = folder.filePath(name);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
        throw std::runtime_error("cannot write " + path.toStdString());
    }
    std::printf("wrote %s (%lld bytes)\n", qPrintable(path), static_cast<long long>(text.size()));
}

// The icons at every size the desktop's icon theme has a folder for; the 32-pixel ones keep
// the plain names they always had.
void DrawIcons(const QDir& folder, const ArtworkFonts& fonts) {
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString suffix = size == 32 ? QString() : QStringLiteral("-%1").arg(size);
        Save(DrawProgramIcon(size, fonts), folder, "marlock" + suffix + ".png");
        Save(DrawDocumentIcon(size, fonts), folder, "esn-document" + suffix + ".png");
    }
    SaveText(DrawProgramIconSvg(fonts), folder, "marlock.svg");
    SaveText(DrawDocumentIconSvg(fonts), folder, "esn-document.svg");
}

void DrawAll(const QDir& folder, const QDir& piecesFolder) {
    const ArtworkFonts fonts = FindArtworkFonts();
    Save(DrawPieceStrip(PieceStyle::Japanese, fonts), piecesFolder, "pieces-japanese.png");
    Save(DrawPieceStrip(PieceStyle::International, fonts), piecesFolder,
         "pieces-international.png");
    // For a board drawn larger, or on a screen of more than one pixel per unit.
    Save(DrawPieceStrip(PieceStyle::Japanese, fonts, 4), piecesFolder, "pieces-japanese@4x.png");
    Save(DrawPieceStrip(PieceStyle::International, fonts, 4), piecesFolder,
         "pieces-international@4x.png");
    Save(DrawToolBarStrip(), folder, "toolbar.png");
    Save(DrawToolBarStrip2x(), folder, "toolbar@2x.png");
    DrawIcons(folder, fonts);
}

}  // namespace

int main(int argc, char* argv[]) {
    // Only fonts and off-screen images are needed: never ask for a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: drawartwork OUTPUT-FOLDER PIECES-FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const QDir piecesFolder(QString::fromLocal8Bit(argv[2]));
    for (const char* name : {argv[1], argv[2]}) {
        if (!QDir(QString::fromLocal8Bit(name)).exists()) {
            std::fprintf(stderr, "drawartwork: the folder %s does not exist\n", name);
            return 1;
        }
    }
    try {
        DrawAll(folder, piecesFolder);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "drawartwork: %s\n", error.what());
        return 1;
    }
    return 0;
}
