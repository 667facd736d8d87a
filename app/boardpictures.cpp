#include "app/boardpictures.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMimeData>
#include <QSaveFile>
#include <QSettings>

#include "board/boardwnd.h"
#include "document/prompter.h"
#include "document/zelkandoc.h"
#include "view/commandids.h"

namespace {

const QString ScaleKey = QStringLiteral("Options/PictureScale");
const QString SvgMimeType = QStringLiteral("image/svg+xml");
constexpr int ScaleIds[] = {ID_OPTIONS_PICTURE_1X, ID_OPTIONS_PICTURE_2X, ID_OPTIONS_PICTURE_3X};
constexpr int MaxScale = 3;

QString ChoosePicturePath(const QString& suggested) {
    const QString pngFilter = BoardPictureCommands::tr("PNG Picture (*.png)");
    const QString svgFilter = BoardPictureCommands::tr("SVG Picture (*.svg)");
    QFileDialog dialog(QApplication::activeWindow(),
                       BoardPictureCommands::tr("Export Board Picture"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters({pngFilter, svgFilter});
    dialog.setDefaultSuffix(QStringLiteral("png"));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString& f) {
        dialog.setDefaultSuffix(f == svgFilter ? QStringLiteral("svg") : QStringLiteral("png"));
    });
    dialog.selectFile(suggested);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

QByteArray PngBytes(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

}  // namespace

BoardPictureCommands::BoardPictureCommands(CBoardWnd& board, const CZelkanDoc& doc,
                                           Prompter& prompter, QObject* parent)
    : QObject(parent),
      m_board(board),
      m_doc(doc),
      m_prompter(prompter),
      m_choosePath(ChoosePicturePath),
      m_scale(std::clamp(QSettings().value(ScaleKey, 1).toInt(), 1, MaxScale)) {}

void BoardPictureCommands::Connect(const std::function<QAction*(int)>& actionById) {
    m_actionById = actionById;
    if (QAction* action = actionById(ID_FILE_EXPORT_PICTURE))
        connect(action, &QAction::triggered, this, &BoardPictureCommands::OnExport);
    if (QAction* action = actionById(ID_EDIT_COPY_PICTURE))
        connect(action, &QAction::triggered, this, &BoardPictureCommands::OnCopy);
    for (int scale = 1; scale <= MaxScale; ++scale)
        if (QAction* action = actionById(ScaleIds[scale - 1]))
            connect(action, &QAction::triggered, this, [this, scale] { SetScale(scale); });
    ShowScale();
}

void BoardPictureCommands::SetScale(int scale) {
    m_scale = std::clamp(scale, 1, MaxScale);
    QSettings().setValue(ScaleKey, m_scale);
    ShowScale();
}

void BoardPictureCommands::ShowScale() {
    if (!m_actionById) return;
    for (int scale = 1; scale <= MaxScale; ++scale)
        if (QAction* action = m_actionById(ScaleIds[scale - 1]))
            action->setChecked(scale == m_scale);
}

void BoardPictureCommands::OnExport() {
    // Beside the record, named after it.
    const QString record = m_doc.GetPathName();
    const QString name = QFileInfo(m_doc.GetTitle()).completeBaseName() + QStringLiteral(".png");
    const QString path =
        m_choosePath(record.isEmpty() ? name : QFileInfo(record).dir().filePath(name));
    if (!path.isEmpty()) Export(path);
}

bool BoardPictureCommands::Export(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    const bool svg = suffix == QStringLiteral("svg");
    // A name without a picture's extension is given the one of what it holds.
    const QString target =
        svg || suffix == QStringLiteral("png") ? path : path + QStringLiteral(".png");
    const QByteArray bytes =
        svg ? m_board.RenderSvg(m_scale) : PngBytes(m_board.RenderPicture(m_scale));
    QSaveFile file(target);
    const bool saved = !bytes.isEmpty() && file.open(QIODevice::WriteOnly) &&
                       file.write(bytes) == bytes.size() && file.commit();
    if (!saved) {
        const QString reason =
            bytes.isEmpty() ? tr("the picture could not be made") : file.errorString();
        m_prompter.ShowMessage(
            tr("Cannot save %1: %2").arg(QDir::toNativeSeparators(target), reason));
    }
    return saved;
}

void BoardPictureCommands::OnCopy() {
    auto* data = new QMimeData;
    data->setImageData(m_board.RenderPicture(m_scale));
    data->setData(SvgMimeType, m_board.RenderSvg(m_scale));
    QApplication::clipboard()->setMimeData(data);
}
