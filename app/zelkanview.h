#pragma once

#include <QString>
#include <QWidget>
#include <string>

class CBoardWnd;
class CZelkanDoc;
class QAction;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

// The one view of the document: the board window on the left and, on the right, the
// information pane with the title, the players and the comment of the current position. It
// passes every edit into the document, refreshes from it on every update, routes the Edit
// commands to the focused field, and carries out the Move, piece-style and rotation commands.
// The document is borrowed and must outlive the view.
class CZelkanView : public QWidget {
    Q_OBJECT

  public:
    explicit CZelkanView(CZelkanDoc& doc, QWidget* parent = nullptr);
    ~CZelkanView() override;

    // Sizes the view (and the frame around it) to fit the children, then refreshes everything.
    void OnInitialUpdate();
    // Redraws the board, dropping a half-made move, and rewrites the four fields.
    void OnUpdate();

    // True for the commands of the Edit, Move and Options menus, which the view carries out
    // and enables.
    static bool HandlesCommand(int id);
    // Carries out a command of the Edit, Move or Options menu; false for any other id.
    bool OnCommand(int id);
    // Sets the enabled state (and for the piece styles the check mark) of such a command;
    // false for any other id.
    bool UpdateCommand(int id, QAction& action) const;

    // The size the view has after the initial update: the board and the information pane.
    QSize FittedSize() const;
    int InfoWidth() const { return m_infoWidth; }
    int LineHeight() const { return m_lineHeight; }

    CBoardWnd* Board() const { return m_board; }
    QLineEdit* TitleEdit() const { return m_titleEdit; }
    QLineEdit* BlackEdit() const { return m_blackEdit; }
    QLineEdit* WhiteEdit() const { return m_whiteEdit; }
    QPlainTextEdit* CommentEdit() const { return m_commentEdit; }

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

    // The Edit commands act on the focused field only.
    QLineEdit* FocusedLineEdit() const;
    bool CommentHasFocus() const;
    bool FocusedFieldCanUndo() const;
    bool FocusedFieldHasSelection() const;
    bool CanPaste() const;
    void OnEditUndo();
    void OnEditCut();
    void OnEditCopy();
    void OnEditPaste();
    void OnEditClear();

    void OnPieceStyle(int japanese);
    bool IsMoveCommandEnabled(int id) const;

    CZelkanDoc& m_doc;
    int m_infoWidth = 0;
    int m_lineHeight = 0;
    CBoardWnd* m_board = nullptr;
    QLabel* m_titleLabel = nullptr;
    QLabel* m_blackLabel = nullptr;
    QLabel* m_whiteLabel = nullptr;
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
