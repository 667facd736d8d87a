#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <string>

class CBoardWnd;
class CZelkanDoc;
class Prompter;
class QAction;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

// The one view of the document: the board window on the left and, on the right, the
// information pane with the title, the players and the comment of the current position. It
// passes every edit into the document, refreshes from it on every update, routes the text Edit
// commands to the field the user works in, and carries out the clipboard commands for the
// record and the position, the Move commands and the piece-style, notation and rotation
// options. The document and the prompter are borrowed and must outlive the view.
class CZelkanView : public QWidget {
    Q_OBJECT

  public:
    CZelkanView(CZelkanDoc& doc, Prompter& prompter, QWidget* parent = nullptr);
    ~CZelkanView() override;

    // Sizes the view (and the frame around it) to fit the children, refreshes everything and
    // takes the keyboard focus, as after a click on the board.
    void OnInitialUpdate();
    // Redraws the board, dropping a half-made move, and rewrites the four fields.
    void OnUpdate();

    // True for the commands of the Edit, Move and Options menus, which the view carries out
    // and enables; Paste Record, which asks to save first, is the frame's.
    static bool HandlesCommand(int id);
    // Carries out a command of the Edit, Move or Options menu; false for any other id.
    bool OnCommand(int id);
    // Sets the enabled state (and for the piece styles the check mark) of such a command;
    // false for any other id.
    bool UpdateCommand(int id, QAction& action) const;

    // The size the view has after the initial update: the board and the information pane.
    QSize FittedSize() const;

    CBoardWnd* Board() const { return m_board; }
    QLineEdit* TitleEdit() const { return m_titleEdit; }
    QLineEdit* BlackEdit() const { return m_blackEdit; }
    QLineEdit* WhiteEdit() const { return m_whiteEdit; }
    QPlainTextEdit* CommentEdit() const { return m_commentEdit; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  signals:
    // What the Edit commands may do has changed: the field they act on, its selection, its
    // undo history or the clipboard.
    void editStateChanged();

  private:
    // What the last refresh put into a field, so that the text coming back unchanged passes
    // back exactly the bytes it came from.
    struct ShownText {
        QString text;
        std::string bytes;
    };

    void CreateChildren(int charWidth);
    QLineEdit* CreateLineEdit(int id, const QRect& rect);
    QLabel* CreateLabel(const QString& text, const QRect& rect);
    void ConnectFieldEdits();

    void SetLineText(QLineEdit& edit, ShownText& shown, const std::string& bytes);
    void SetCommentText(const std::string& bytes);
    QString CommentText() const;
    std::string BytesToStore(const ShownText& shown, const QString& text, bool comment) const;

    void OnTitleChange(const QString& text);
    void OnBlackChange(const QString& text);
    void OnWhiteChange(const QString& text);
    void OnCommentChange();

    // The Edit commands act on the field that has the keyboard focus, or had it before the
    // menu bar took it to open a menu from the keyboard.
    void OnFocusChanged(QWidget* now);
    bool IsField(const QWidget* widget) const;
    QLineEdit* TargetLineEdit() const;
    bool TargetIsComment() const;
    bool TargetCanUndo() const;
    bool TargetHasSelection() const;
    bool CanPaste() const;
    void OnEditUndo();
    void OnEditCut();
    void OnEditCopy();
    void OnEditPaste();
    void OnEditClear();

    void OnPieceStyle(int japanese);
    bool IsMoveCommandEnabled(int id) const;

    // Copy Record As: the record in the format's Unicode type, after saying what the format
    // cannot hold or keep.
    void OnCopyRecordAs(int id);
    void PutOnClipboard(const QString& text);

    CZelkanDoc& m_doc;
    Prompter& m_prompter;
    QPointer<QWidget> m_editTarget;
    int m_infoWidth = 0;
    int m_lineHeight = 0;
    CBoardWnd* m_board = nullptr;
    QLineEdit* m_titleEdit = nullptr;
    QLineEdit* m_blackEdit = nullptr;
    QLineEdit* m_whiteEdit = nullptr;
    QPlainTextEdit* m_commentEdit = nullptr;

    ShownText m_shownTitle;
    ShownText m_shownBlack;
    ShownText m_shownWhite;
    ShownText m_shownComment;
    // Set while a refresh writes the fields: their change notifications then carry no edit.
    bool m_refreshing = false;
};
