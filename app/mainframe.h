#pragma once

#include <QList>
#include <QMainWindow>
#include <QPoint>
#include <QRect>
#include <functional>
#include <map>
#include <optional>

#include "app/lockkeys.h"
#include "format/recordformat.h"

class AnalysisPane;
class BoardPictureCommands;
class CMoveList;
class CVariationsBar;
class CZelkanDoc;
class CZelkanView;
class Prompter;
class QAction;
class QDockWidget;
class QLabel;
class QMenu;
class QMimeData;
struct MenuItem;

// The program's one top-level window: menus, the tool bar with the variations list, the view,
// the move list and the analysis beside it and the status bar, which shows where the user stands.
// It starts as large as the board at its smallest needs, grows at the user's wish, remembers its
// position, its size, the options and whether the move list shows between runs, and asks to save a
// modified record before New, Open, a dropped file and closing; its title marks a modified record.
// Each command has its own handler, the frame's or the view's, and its state follows the
// announcements of the document, the view's fields and the clipboard. The document and the prompter
// are borrowed and must outlive the frame.
class CMainFrame : public QMainWindow {
    Q_OBJECT

  public:
    // Chooses the path of a file to open (given the folder to start in); an empty answer
    // means the user cancelled.
    using FileChooser = std::function<QString(const QString& suggested)>;
    // Chooses the path to save as, given the suggested one, and the type to write: `type`
    // comes in as the record's and goes out as the one the user chose. The typed extension
    // then has the last word (ResolveSaveTarget).
    using SaveFileChooser = std::function<QString(const QString& suggested, FileType& type)>;
    // Reads the lock keys' state (ReadLockKeyState unless a test wants another).
    using LockKeyReader = std::function<std::optional<LockKeyState>()>;

    CMainFrame(CZelkanDoc& doc, Prompter& prompter, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Opens a record after offering to save the current one. On failure shows "Cannot open
    // FILE: REASON", leaves the record as it was and answers false.
    bool OpenDocumentFile(const QString& path);
    // Asks "Save changes to ...?" when the record is modified; false when the user cancels or
    // the save fails, so the caller must not go on.
    bool SaveModified();
    QAction* ActionById(int id) const;
    QMenu* FileMenu() const { return m_fileMenu; }
    // The greyed "Recent File" item between two separators before Exit.
    QAction* RecentFilePlaceholder() const;

    void SetOpenFileChooser(FileChooser chooser) { m_chooseOpenFile = std::move(chooser); }
    void SetSaveFileChooser(SaveFileChooser chooser) { m_chooseSaveFile = std::move(chooser); }
    // Replaces how the lock keys are read, and shows what the new reader answers.
    void SetLockKeyReader(LockKeyReader reader);

    CZelkanView* View() const { return m_view; }
    CMoveList* MoveList() const { return m_moveList; }
    AnalysisPane* Analysis() const { return m_analysis; }
    BoardPictureCommands* BoardPictures() const { return m_pictures; }
    CVariationsBar* ToolBar() const { return m_wndToolBar; }

    // A stored position is used unless it puts the whole title bar (the frame's width, the
    // given height) outside every screen.
    static bool IsPositionOnScreen(QPoint position, int width, int titleBarHeight,
                                   const QList<QRect>& screens);

    // None: the tool bar and the status bar cannot be hidden.
    QMenu* createPopupMenu() override;

    // The file commands.
    void OnFileNew();
    void OnFileOpen();
    bool OnFileSave();
    bool OnFileSaveAs();
    // Edit Paste Record: the clipboard's text as a new, untitled record, after the save
    // question; "The clipboard holds no game record." for text in no record format.
    void OnPasteRecord();

  signals:
    void documentOpened(const QString& path);
    void documentSaved(const QString& path);
    void openFailed(const QString& path);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void CreateActions();
    void CreateMenus();
    void AddSubmenu(QMenu& menu, const MenuItem& item);
    void CreateToolBar();
    void CreateMoveList();
    void CreateAnalysisPane();
    void CreateStatusBar();
    void ConnectCommands();
    void ConnectLanguageChoice();
    void UpdatePasteRecord();
    void ReadSettings();
    void WriteSettings() const;
    void UpdateTitle();
    // "Ready" whenever no prompt is shown, drawn where the prompts are.
    void ShowReadyWhenIdle(const QString& message);
    // Read at start, on the lock keys themselves and when the window becomes active again
    // (the lock may have changed in another window), never at every wake-up.
    void UpdateLockIndicators();
    bool IsLockKeyEvent(const QEvent* event) const;
    bool DoSave(const QString& path);
    bool DoSave(const QString& path, const FileType& type);
    bool IsOwnWidget(QObject* object) const;
    static QString FirstLocalFile(const QMimeData* data);

    CZelkanDoc& m_doc;
    Prompter& m_prompter;
    CZelkanView* m_view = nullptr;
    CVariationsBar* m_wndToolBar = nullptr;
    CMoveList* m_moveList = nullptr;
    QDockWidget* m_moveListDock = nullptr;
    AnalysisPane* m_analysis = nullptr;
    QLabel* m_placeLabel = nullptr;
    BoardPictureCommands* m_pictures = nullptr;
    QMenu* m_fileMenu = nullptr;
    QLabel* m_capsLabel = nullptr;
    QLabel* m_numLabel = nullptr;
    QLabel* m_scrollLabel = nullptr;
    std::map<int, QAction*> m_actions;
    FileChooser m_chooseOpenFile;
    SaveFileChooser m_chooseSaveFile;
    LockKeyReader m_readLockKeys = ReadLockKeyState;
};
