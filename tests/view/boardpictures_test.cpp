#include <gtest/gtest.h>

#include <QClipboard>
#include <QMimeData>
#include <QXmlStreamReader>

#include "app/boardpictures.h"
#include "board/boardwnd.h"
#include "view/commandids.h"
#include "viewtesting.h"

// The exported PNG is the board on the screen, pixel for pixel, and at twice the size the same
// board; the SVG is well formed; the clipboard takes both; a failed save writes nothing and
// says why.
TEST_F(FrameTest, BoardPicturesShowTheBoardAsDrawn) {
    OpenGame(SampleGame);
    Trigger(ID_MOVE_END);  // P-2f last: 2g and 2f shaded
    QString chosen;
    frame->BoardPictures()->SetPathChooser([&](const QString&) { return chosen; });
    chosen = dir.filePath(QStringLiteral("board"));
    Trigger(ID_FILE_EXPORT_PICTURE);
    const QImage png(chosen + QStringLiteral(".png"));
    EXPECT_EQ(png.convertToFormat(QImage::Format_RGB32),
              View().Board()->Picture().convertToFormat(QImage::Format_RGB32));

    Trigger(ID_OPTIONS_PICTURE_2X);
    chosen = dir.filePath(QStringLiteral("large.png"));
    Trigger(ID_FILE_EXPORT_PICTURE);
    const QImage large(chosen);
    ASSERT_EQ(large.size(), QSize(896, 704));
    // A grid line, the wood, a shaded square, the grey margin and the side to move's line.
    for (const QPoint p : {QPoint(64, 176), QPoint(200, 170), QPoint(304, 240), QPoint(20, 200)})
        EXPECT_EQ(large.pixelColor(2 * p), png.pixelColor(p)) << p.x() << "," << p.y();
    EXPECT_EQ(large.pixelColor(129, 352), png.pixelColor(64, 176)) << "lines grow with the size";

    chosen = dir.filePath(QStringLiteral("board.svg"));
    Trigger(ID_FILE_EXPORT_PICTURE);
    QFile svg(chosen);
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&svg);
    ASSERT_TRUE(xml.readNextStartElement());
    EXPECT_EQ(xml.name(), QStringLiteral("svg"));
    EXPECT_EQ(xml.attributes().value(QStringLiteral("viewBox")), QStringLiteral("0 0 896 704"));
    while (!xml.atEnd())
        xml.readNext();
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();

    Trigger(ID_EDIT_COPY_PICTURE);
    const QMimeData* copied = QApplication::clipboard()->mimeData();
    EXPECT_EQ(qvariant_cast<QImage>(copied->imageData()).size(), QSize(896, 704));
    EXPECT_TRUE(copied->data(QStringLiteral("image/svg+xml")).startsWith("<?xml"));

    chosen = dir.filePath(QStringLiteral("missing/board.png"));
    Trigger(ID_FILE_EXPORT_PICTURE);
    ASSERT_EQ(prompter.asked.size(), 1);
    EXPECT_TRUE(prompter.asked.front().startsWith("Cannot save " + chosen + ": "));
    EXPECT_FALSE(QFile::exists(chosen));
}
