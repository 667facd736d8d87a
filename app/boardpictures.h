#pragma once

#include <QObject>
#include <QString>
#include <functional>

class CBoardWnd;
class CZelkanDoc;
class Prompter;
class QAction;

// The board's pictures: File > Export Board Picture writes the board as drawn now as PNG or
// SVG (by the file's extension), Edit > Copy Board Picture puts it on the clipboard in both
// forms, each at the size chosen under Options > Picture Size (1x, 2x or 3x the smallest
// board), which is remembered ("Options"/PictureScale). The board, the document (for the
// file's name) and the prompter are borrowed.
class BoardPictureCommands : public QObject {
    Q_OBJECT

  public:
    // Chooses where to save, given the suggested path; an empty answer means the user
    // cancelled.
    using PathChooser = std::function<QString(const QString& suggested)>;

    BoardPictureCommands(CBoardWnd& board, const CZelkanDoc& doc, Prompter& prompter,
                         QObject* parent = nullptr);
    // Takes on the three commands and the three sizes.
    void Connect(const std::function<QAction*(int)>& actionById);
    void SetPathChooser(PathChooser chooser) { m_choosePath = std::move(chooser); }

    int Scale() const { return m_scale; }
    void SetScale(int scale);

    void OnExport();
    // Writes the picture to `path` safely: on failure the file is as it was and "Cannot save
    // FILE: REASON" is shown.
    bool Export(const QString& path);
    void OnCopy();

  private:
    void ShowScale();

    CBoardWnd& m_board;
    const CZelkanDoc& m_doc;
    Prompter& m_prompter;
    PathChooser m_choosePath;
    int m_scale = 1;
    std::function<QAction*(int)> m_actionById;
};
