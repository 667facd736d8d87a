#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "model/move.h"

class CBoardWnd;
class CZelkanDoc;
class Prompter;
class QAction;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
enum class RecordFormat;

// The one view of the document: the board window on the left and, on the right, the
// information pane with the title, the players and the comment of the current position. It
// passes every edit into the document (a move from the board after asking about its
// promotion, the texts typed), follows the document's announcements, routes the Edit commands
// to the field the user works in or else to the record's history, and carries out the
// clipboard commands for the record and the position, the Move commands and the piece-style,
// notation and rotation options. The document and the prompter are borrowed and must outlive
// the view.
class CZelkanView : public QWidget {
    Q_OBJECT

  public:
    CZelkanView(CZelkanDoc& doc, Prompter& prompter, QWidget* parent = nullptr);
    ~CZelkanView() override;

    // Refreshes everything and takes the keyboard focus, as after a click on the board. Runs
    // again for every new record.
    void OnInitialUpdate();
    // Redraws the board, dropping a half-made move, and rewrites the four fields.
    void OnUpdate();

    // Takes on the commands of the Edit, Move and Options menus (Paste Record, which asks to
    // save first, is the frame's): each action, found by its id, runs its own handler, and its
    // enabled state and check mark follow the announcements of the document and the fields.
    void ConnectCommands(const std::function<QAction*(int)>& actionById);

    // The view at its smallest, and as it starts: the board at 32-pixel squares and the
    // information pane. Larger, the board grows and the pane keeps its width.
    QSize FittedSize() const;
    QSize sizeHint() const override;

    CBoardWnd* Board() const { return m_board; }
    QLineEdit* TitleEdit() const { return m_titleEdit; }
    QLineEdit* BlackEdit() const { return m_blackEdit; }
    QLineEdit* WhiteEdit() const { return m_whiteEdit; }
    QPlainTextEdit* CommentEdit() const { return m_commentEdit; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // The board shows a frame while the keys act on it.
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  signals:
    // What the Edit commands may do has changed: the field they act on, its selection, its
    // undo history or the clipboard.
    void editStateChanged();

  private:
    // A command the view carries out: its handler, and when it is enabled and checked (no rule:
    // always enabled, never checked).
    struct Command {
        int id;
        std::function<void()> run;
        std::function<bool()> enabled;
        std::function<bool()> checked;
        QAction* action = nullptr;
    };
    std::vector<Command> Commands();
    void UpdateCommands();
    // Undo and Redo name the record's step they would take: "&Undo Delete Variation\tCtrl+Z".
    void NameHistoryStep(int id, const QString& step);

    // What the last refresh put into a field, so that the text coming back unchanged passes
    // back exactly the bytes it came from.
    struct ShownText {
        QString text;
        std::string bytes;
    };

    void CreateChildren();
    void LayOutChildren();
    QLineEdit* CreateLineEdit(int id);
    QLabel* CreateLabel(const QString& text);
    void ConnectFieldEdits();

    void SetLineText(QLineEdit& edit, ShownText& shown, const std::string& bytes);
    void SetCommentText(const std::string& bytes);
    QString CommentText() const;
    std::string BytesToStore(const ShownText& shown, const QString& text, bool comment) const;

    void OnRecordReplaced();
    void OnRecordChanged();
    void OnTextsChanged();
    void RefreshFields();
    // A move from the board: asks "Promote Piece?" where promoting is a choice.
    void OnMoveEntered(const Move& entered);

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
    bool CanUndo() const;
    bool CanRedo() const;
    bool TargetHasSelection() const;
    bool CanPaste() const;
    template <class Edit>
    bool OnTargetField(Edit edit);
    void OnEditUndo();
    void OnEditRedo();
    void OnEditCut();
    void OnEditCopy();
    void OnEditPaste();
    void OnEditClear();

    // Copy Record As: the record in the format's Unicode type, after saying what the format
    // cannot hold or keep.
    void OnCopyRecordAs(RecordFormat format);
    void PutOnClipboard(const QString& text);

    CZelkanDoc& m_doc;
    Prompter& m_prompter;
    QPointer<QWidget> m_editTarget;
    int m_infoWidth = 0;
    int m_labelWidth = 0;
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
    // Set while an edit of a field goes to the document: the field shows it already.
    bool m_passingEdit = false;
    // Counts the changes of the record or of its current node, so that a move whose promotion
    // question outlived the position it was made on is dropped.
    int m_recordChanges = 0;
    std::vector<Command> m_commands;
    QAction* m_undoAction = nullptr;
    QAction* m_redoAction = nullptr;
    QString m_undoText;
    QString m_redoText;
};
