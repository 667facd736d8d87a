#include "view/zelkanview.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>
#include <cmath>
#include <limits>
#include <optional>
#include <string_view>

#include "board/boardwnd.h"
#include "document/gamewords.h"
#include "document/prompter.h"
#include "document/zelkandoc.h"
#include "format/losses.h"
#include "format/recordio.h"
#include "view/commandids.h"
#include "view/controlid.h"
#include "view/recordclipboard.h"
#include "view/textcodec.h"

namespace {

// Every edit control keeps 8 pixels free left and right of its text.
constexpr int EditMargin = 8;
// The information pane is this many average characters wide; its labels take 8 of them.
constexpr int InfoWidthChars = 40;
constexpr int LabelWidthChars = 8;

// The comment box, with its text kept clear of the left and right edges like the fields'.
// Tab moves on to the next control, as in the fields; Ctrl+Tab types a tab.
class CommentBox : public QPlainTextEdit {
  public:
    explicit CommentBox(QWidget* parent) : QPlainTextEdit(parent) {
        setViewportMargins(EditMargin, 0, EditMargin, 0);
        // The margins lie outside the text area; they are filled like the text's background.
        setBackgroundRole(QPalette::Base);
        setAutoFillBackground(true);
        setTabChangesFocus(true);
    }

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Tab && event->modifiers() == Qt::ControlModifier) {
            insertPlainText(QStringLiteral("\t"));
            return;
        }
        QPlainTextEdit::keyPressEvent(event);
    }
};

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

CZelkanView::CZelkanView(CZelkanDoc& doc, Prompter& prompter, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_prompter(prompter) {
    setObjectName(QStringLiteral("view"));
    // A click on the board hands the keyboard focus to the view, away from the fields; Tab
    // reaches it too, for the keys that step through the record.
    setFocusPolicy(Qt::StrongFocus);

    // The pane's measures come from the default font: a is its average character width and a
    // field line is one and a half lines of it.
    const QFontMetrics metrics(QApplication::font());
    const int charWidth = metrics.averageCharWidth();
    m_lineHeight = static_cast<int>(std::trunc(1.5 * (metrics.height() + metrics.leading())));
    m_infoWidth = InfoWidthChars * charWidth;
    m_labelWidth = LabelWidthChars * charWidth;

    CreateChildren();
    m_board->SetRecord(&m_doc.Record());
    m_board->SetJapanesePieces(m_doc.IsJapanesePieces());
    ConnectFieldEdits();
    connect(&m_doc, &CZelkanDoc::recordReplaced, this, &CZelkanView::OnRecordReplaced);
    connect(&m_doc, &CZelkanDoc::currentNodeChanged, this, &CZelkanView::OnRecordChanged);
    connect(&m_doc, &CZelkanDoc::nodeChanged, this, &CZelkanView::OnRecordChanged);
    connect(&m_doc, &CZelkanDoc::textsChanged, this, &CZelkanView::OnTextsChanged);
    connect(&m_doc, &CZelkanDoc::pieceStyleChanged, m_board, &CBoardWnd::SetJapanesePieces);
    connect(m_board, &CBoardWnd::moveEntered, this, &CZelkanView::OnMoveEntered);
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { OnFocusChanged(now); });
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this,
            &CZelkanView::editStateChanged);
    setMinimumSize(FittedSize());
    resize(FittedSize());
    LayOutChildren();
}

CZelkanView::~CZelkanView() {
    // The fields are destroyed after this destructor, and the focus changes that causes would
    // still reach it.
    disconnect(qApp, nullptr, this, nullptr);
    disconnect(QApplication::clipboard(), nullptr, this, nullptr);
}

QSize CZelkanView::FittedSize() const {
    return {BoardWindowWidth + m_infoWidth, BoardWindowHeight};
}

QSize CZelkanView::sizeHint() const {
    return FittedSize();
}

void CZelkanView::CreateChildren() {
    m_board = new CBoardWnd(this);
    m_board->setObjectName(QStringLiteral("Board"));
    SetControlId(*m_board, IDC_BOARD);

    m_titleLabel = CreateLabel(tr("Title"));
    m_titleEdit = CreateLineEdit(IDC_TITLE);
    m_blackLabel = CreateLabel(tr("Black"));
    m_blackEdit = CreateLineEdit(IDC_BLACK);
    m_whiteLabel = CreateLabel(tr("White"));
    m_whiteEdit = CreateLineEdit(IDC_WHITE);
    m_titleEdit->setObjectName(QStringLiteral("titleEdit"));
    m_blackEdit->setObjectName(QStringLiteral("blackEdit"));
    m_whiteEdit->setObjectName(QStringLiteral("whiteEdit"));

    m_commentEdit = new CommentBox(this);
    m_commentEdit->setObjectName(QStringLiteral("commentEdit"));
    SetControlId(*m_commentEdit, IDC_COMMENT);
    m_commentEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_commentEdit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
}

// The board takes what the information pane, as wide as ever, leaves; the comment box takes
// the height below the three fields.
void CZelkanView::LayOutChildren() {
    const int h = m_lineHeight;
    const int paneX = std::max(BoardWindowWidth, width() - m_infoWidth);
    const int labelWidth = m_labelWidth;
    const int fieldX = paneX + labelWidth;
    const int fieldWidth = m_infoWidth - labelWidth;
    m_board->setGeometry(0, 0, paneX, std::max(height(), BoardWindowHeight));
    m_titleLabel->setGeometry(paneX, 0, labelWidth, h);
    m_titleEdit->setGeometry(fieldX, 0, fieldWidth, h);
    m_blackLabel->setGeometry(paneX, h, labelWidth, h);
    m_blackEdit->setGeometry(fieldX, h, fieldWidth, h);
    m_whiteLabel->setGeometry(paneX, 2 * h, labelWidth, h);
    m_whiteEdit->setGeometry(fieldX, 2 * h, fieldWidth, h);
    m_commentEdit->setGeometry(paneX, 3 * h, m_infoWidth, m_board->height() - 3 * h);
}

void CZelkanView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayOutChildren();
}

void CZelkanView::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    m_board->ShowFocus(true);
}

void CZelkanView::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    m_board->ShowFocus(false);
}

QLabel* CZelkanView::CreateLabel(const QString& text) {
    auto* label = new QLabel(text, this);
    SetControlId(*label, IDC_LABEL);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QLineEdit* CZelkanView::CreateLineEdit(int id) {
    auto* edit = new QLineEdit(this);
    SetControlId(*edit, id);
    edit->setTextMargins(EditMargin, 0, EditMargin, 0);
    // No length limit: a long header value is shown and edited whole, never cut short.
    edit->setMaxLength(std::numeric_limits<int>::max());
    return edit;
}

void CZelkanView::ConnectFieldEdits() {
    connect(m_titleEdit, &QLineEdit::textChanged, this, &CZelkanView::OnTitleChange);
    connect(m_blackEdit, &QLineEdit::textChanged, this, &CZelkanView::OnBlackChange);
    connect(m_whiteEdit, &QLineEdit::textChanged, this, &CZelkanView::OnWhiteChange);
    connect(m_commentEdit, &QPlainTextEdit::textChanged, this, &CZelkanView::OnCommentChange);
    // A single-line field reports no change of its undo history of its own: its text and its
    // selection stand in.
    for (QLineEdit* edit : {m_titleEdit, m_blackEdit, m_whiteEdit}) {
        connect(edit, &QLineEdit::textChanged, this, &CZelkanView::editStateChanged);
        connect(edit, &QLineEdit::selectionChanged, this, &CZelkanView::editStateChanged);
        edit->installEventFilter(this);
    }
    connect(m_commentEdit, &QPlainTextEdit::undoAvailable, this, &CZelkanView::editStateChanged);
    connect(m_commentEdit, &QPlainTextEdit::redoAvailable, this, &CZelkanView::editStateChanged);
    connect(m_commentEdit, &QPlainTextEdit::copyAvailable, this, &CZelkanView::editStateChanged);
}

void CZelkanView::OnInitialUpdate() {
    OnUpdate();
    // The first keys after start-up, New or Open go to the board, not into the title.
    setFocus(Qt::OtherFocusReason);
}

void CZelkanView::OnUpdate() {
    m_board->Redraw(true);
    RefreshFields();
}

void CZelkanView::OnRecordReplaced() {
    ++m_recordChanges;
    m_board->SetRecord(&m_doc.Record());
    OnInitialUpdate();
}

void CZelkanView::OnRecordChanged() {
    ++m_recordChanges;
    OnUpdate();
}

void CZelkanView::OnTextsChanged() {
    // The field the user types in shows the text already, and keeps its cursor and history.
    if (!m_passingEdit) RefreshFields();
}

void CZelkanView::RefreshFields() {
    std::string title;
    std::string black;
    std::string white;
    m_doc.GetGameInfo(title, black, white);
    const std::string comment = m_doc.Record().Current().Comment();

    m_refreshing = true;
    SetLineText(*m_titleEdit, m_shownTitle, title);
    SetLineText(*m_blackEdit, m_shownBlack, black);
    SetLineText(*m_whiteEdit, m_shownWhite, white);
    SetCommentText(comment);
    m_refreshing = false;
}

void CZelkanView::SetLineText(QLineEdit& edit, ShownText& shown, const std::string& bytes) {
    shown.bytes = bytes;
    edit.setText(DecodeText(bytes));
    edit.setCursorPosition(0);
    // The field may hold the text in its own way; what it reports is what later edits start
    // from.
    shown.text = edit.text();
}

void CZelkanView::SetCommentText(const std::string& bytes) {
    m_shownComment.bytes = bytes;
    m_commentEdit->setPlainText(DecodeComment(bytes));
    m_shownComment.text = CommentText();
}

QString CZelkanView::CommentText() const {
    // The raw text keeps every character as typed (a no-break space stays one); only the
    // line and paragraph separators become line feeds.
    QString text = m_commentEdit->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QChar(u'\n'));
    text.replace(QChar::LineSeparator, QChar(u'\n'));
    return text;
}

std::string CZelkanView::BytesToStore(const ShownText& shown, const QString& text,
                                      bool comment) const {
    // An unchanged field hands back the very bytes it was filled from, whatever their
    // encoding or line ends, so that showing a record never alters it.
    if (m_refreshing || text == shown.text) return shown.bytes;
    return comment ? EncodeComment(text) : EncodeText(text);
}

void CZelkanView::OnMoveEntered(const Move& entered) {
    Move move = entered;
    if (move.promote == 0 && m_doc.Record().MayPromote(move)) {
        const int changes = m_recordChanges;
        const bool promote = m_prompter.AskYesNo(tr("Promote Piece?"));
        // While the question was open the record may have moved on (a file dropped on the
        // window, say): the move belonged to the position that is gone.
        if (changes != m_recordChanges) return;
        move.promote = promote ? 1 : 0;
    }
    m_doc.EnterMove(move);
}

void CZelkanView::OnTitleChange(const QString& text) {
    const QScopedValueRollback passing(m_passingEdit, true);
    m_doc.SetGameTitle(BytesToStore(m_shownTitle, text, false));
}

void CZelkanView::OnBlackChange(const QString& text) {
    const QScopedValueRollback passing(m_passingEdit, true);
    m_doc.SetBlackPlayer(BytesToStore(m_shownBlack, text, false));
}

void CZelkanView::OnWhiteChange(const QString& text) {
    const QScopedValueRollback passing(m_passingEdit, true);
    m_doc.SetWhitePlayer(BytesToStore(m_shownWhite, text, false));
}

void CZelkanView::OnCommentChange() {
    const QScopedValueRollback passing(m_passingEdit, true);
    m_doc.SetComment(BytesToStore(m_shownComment, CommentText(), true));
}

std::vector<CZelkanView::Command> CZelkanView::Commands() {
    CZelkanDoc& doc = m_doc;
    const auto always = [] { return true; };
    const auto forward = [&doc] { return doc.CanGoForward(); };
    const auto selection = [this] { return TargetHasSelection(); };
    std::vector<Command> commands = {
        {ID_EDIT_UNDO, [this] { OnEditUndo(); }, [this] { return CanUndo(); }, {}},
        {ID_EDIT_REDO, [this] { OnEditRedo(); }, [this] { return CanRedo(); }, {}},
        {ID_EDIT_CUT, [this] { OnEditCut(); }, selection, {}},
        {ID_EDIT_COPY, [this] { OnEditCopy(); }, selection, {}},
        {ID_EDIT_PASTE, [this] { OnEditPaste(); }, [this] { return CanPaste(); }, {}},
        {ID_EDIT_CLEAR, [this] { OnEditClear(); }, selection, {}},
        {ID_EDIT_COPY_POSITION,
         [this] { PutOnClipboard(PositionAsSfen(m_doc.Record())); },
         always,
         {}},
        {ID_EDIT_COPY_DIAGRAM,
         [this] { PutOnClipboard(PositionAsDiagram(m_doc.Record())); },
         always,
         {}},
        {ID_MOVE_TOP, [&doc] { doc.GoTop(); }, always, {}},
        {ID_MOVE_FORWARD, [&doc] { doc.GoForward(); }, forward, {}},
        {ID_MOVE_BACK, [&doc] { doc.GoBackward(); }, [&doc] { return doc.CanGoBack(); }, {}},
        {ID_MOVE_END, [&doc] { doc.GoEnd(); }, forward, {}},
        {ID_MOVE_DELETE, [&doc] { doc.DeleteVariation(); }, forward, {}},
        {ID_MOVE_DELETE_AFTER, [&doc] { doc.DeleteMovesAfter(); }, forward, {}},
        {ID_MOVE_PROMOTE,
         [&doc] { doc.PromoteVariation(); },
         [&doc] { return doc.CanPromoteVariation(); },
         {}},
        {ID_MOVE_VARIATION_UP,
         [&doc] { doc.MoveVariationUp(); },
         [&doc] { return doc.CanMoveVariationUp(); },
         {}},
        {ID_MOVE_VARIATION_DOWN,
         [&doc] { doc.MoveVariationDown(); },
         [&doc] { return doc.CanMoveVariationDown(); },
         {}},
        // The board follows the document's piece style, keeping a picked-up piece picked up.
        {ID_OPTIONS_JAPANESE, [&doc] { doc.SetJapanesePieces(true); }, always,
         [&doc] { return doc.IsJapanesePieces(); }},
        {ID_OPTIONS_INTERNATIONAL, [&doc] { doc.SetJapanesePieces(false); }, always,
         [&doc] { return !doc.IsJapanesePieces(); }},
        {ID_OPTIONS_JAPANESE_NOTATION,
         [&doc] { doc.SetJapaneseNotation(!doc.IsJapaneseNotation()); }, always,
         [&doc] { return doc.IsJapaneseNotation(); }},
        {ID_OPTIONS_ROTATE, [this] { m_board->Rotate(); }, always, {}},
    };
    const std::pair<int, RecordFormat> copyFormats[] = {
        {ID_EDIT_COPY_KIF, RecordFormat::Kif}, {ID_EDIT_COPY_KI2, RecordFormat::Ki2},
        {ID_EDIT_COPY_CSA, RecordFormat::Csa}, {ID_EDIT_COPY_USI, RecordFormat::Usi},
        {ID_EDIT_COPY_JKF, RecordFormat::Jkf}, {ID_EDIT_COPY_ESN, RecordFormat::Esn}};
    for (const auto& [id, format] : copyFormats) {
        const bool copies = ClipboardType(format).has_value();
        commands.push_back({id,
                            [this, format = format] { OnCopyRecordAs(format); },
                            [copies] { return copies; },
                            {}});
    }
    return commands;
}

void CZelkanView::ConnectCommands(const std::function<QAction*(int)>& actionById) {
    m_commands = Commands();
    for (Command& command : m_commands) {
        command.action = actionById(command.id);
        if (command.action == nullptr) continue;
        connect(command.action, &QAction::triggered, this, [run = command.run] { run(); });
    }
    m_undoAction = actionById(ID_EDIT_UNDO);
    m_redoAction = actionById(ID_EDIT_REDO);
    if (m_undoAction) m_undoText = m_undoAction->text();
    if (m_redoAction) m_redoText = m_redoAction->text();
    // What each command may do follows the record, its history, the options and the fields.
    for (auto signal : {&CZelkanDoc::recordReplaced, &CZelkanDoc::currentNodeChanged,
                        &CZelkanDoc::historyChanged})
        connect(&m_doc, signal, this, &CZelkanView::UpdateCommands);
    connect(&m_doc, &CZelkanDoc::nodeChanged, this, &CZelkanView::UpdateCommands);
    connect(&m_doc, &CZelkanDoc::pieceStyleChanged, this, &CZelkanView::UpdateCommands);
    connect(&m_doc, &CZelkanDoc::notationChanged, this, &CZelkanView::UpdateCommands);
    connect(this, &CZelkanView::editStateChanged, this, &CZelkanView::UpdateCommands);
    UpdateCommands();
}

void CZelkanView::UpdateCommands() {
    for (const Command& command : m_commands) {
        if (command.action == nullptr) continue;
        command.action->setEnabled(!command.enabled || command.enabled());
        if (command.checked) command.action->setChecked(command.checked());
    }
    const bool record = m_editTarget == nullptr;
    NameHistoryStep(ID_EDIT_UNDO, record ? m_doc.UndoName() : QString());
    NameHistoryStep(ID_EDIT_REDO, record ? m_doc.RedoName() : QString());
}

void CZelkanView::NameHistoryStep(int id, const QString& step) {
    QAction* action = id == ID_EDIT_UNDO ? m_undoAction : m_redoAction;
    const QString& plain = id == ID_EDIT_UNDO ? m_undoText : m_redoText;
    if (action == nullptr) return;
    QString text = plain;
    if (!step.isEmpty()) {
        const qsizetype tab = text.indexOf(QChar(u'\t'));
        const qsizetype end = tab < 0 ? text.size() : tab;
        text.replace(0, end,
                     tr("%1 %2", "a command of the Edit menu and the step it takes")
                         .arg(text.left(end), step));
    }
    if (action->text() != text) action->setText(text);
}

bool CZelkanView::IsField(const QWidget* widget) const {
    return widget == m_titleEdit || widget == m_blackEdit || widget == m_whiteEdit ||
           widget == m_commentEdit;
}

void CZelkanView::OnFocusChanged(QWidget* now) {
    // A menu opened from the keyboard takes the focus from the field; the commands in it are
    // meant for that field all the same.
    const bool menu = now == nullptr || qobject_cast<QMenuBar*>(now) || qobject_cast<QMenu*>(now);
    if (menu) {
        emit editStateChanged();
        return;
    }
    // Leaving a field closes its step of the record's history.
    if (m_editTarget != nullptr && m_editTarget != now) m_doc.EndTextEdit();
    m_editTarget = IsField(now) ? now : nullptr;
    emit editStateChanged();
}

bool CZelkanView::eventFilter(QObject* watched, QEvent* event) {
    // A menu opened from the keyboard stands over the field as a context menu does, and the
    // field keeps its selection for the Edit commands in it; a line edit would drop it when
    // the menu bar takes the focus.
    if (event->type() == QEvent::FocusOut &&
        static_cast<QFocusEvent*>(event)->reason() == Qt::MenuBarFocusReason) {
        QFocusEvent asPopup(QEvent::FocusOut, Qt::PopupFocusReason);
        QCoreApplication::sendEvent(watched, &asPopup);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

QLineEdit* CZelkanView::TargetLineEdit() const {
    if (m_editTarget == m_commentEdit) return nullptr;
    return static_cast<QLineEdit*>(m_editTarget.data());
}

bool CZelkanView::TargetIsComment() const {
    return m_editTarget == m_commentEdit;
}

// In a field Undo and Redo act on its text, as they always have; elsewhere on the record.
bool CZelkanView::CanUndo() const {
    if (const QLineEdit* edit = TargetLineEdit()) return edit->isUndoAvailable();
    if (TargetIsComment()) return m_commentEdit->document()->isUndoAvailable();
    return m_doc.CanUndo();
}

bool CZelkanView::CanRedo() const {
    if (const QLineEdit* edit = TargetLineEdit()) return edit->isRedoAvailable();
    if (TargetIsComment()) return m_commentEdit->document()->isRedoAvailable();
    return m_doc.CanRedo();
}

bool CZelkanView::TargetHasSelection() const {
    if (const QLineEdit* edit = TargetLineEdit()) return edit->hasSelectedText();
    return TargetIsComment() && m_commentEdit->textCursor().hasSelection();
}

bool CZelkanView::CanPaste() const {
    if (!TargetIsComment()) return false;
    const QMimeData* clipboard = QApplication::clipboard()->mimeData();
    return clipboard != nullptr && clipboard->hasText();
}

// Runs `edit` on the field the Edit commands act on; false when they act on none.
template <class Edit>
bool CZelkanView::OnTargetField(Edit edit) {
    if (QLineEdit* field = TargetLineEdit()) {
        edit(*field);
        return true;
    }
    if (!TargetIsComment()) return false;
    edit(*m_commentEdit);
    return true;
}

void CZelkanView::OnEditUndo() {
    if (!OnTargetField([](auto& field) { field.undo(); })) m_doc.Undo();
}

void CZelkanView::OnEditRedo() {
    if (!OnTargetField([](auto& field) { field.redo(); })) m_doc.Redo();
}

void CZelkanView::OnEditCut() {
    OnTargetField([](auto& field) { field.cut(); });
}

void CZelkanView::OnEditCopy() {
    OnTargetField([](auto& field) { field.copy(); });
}

void CZelkanView::OnEditPaste() {
    // Only the comment box takes pasted text; the single-line fields would lose its line
    // breaks.
    if (TargetIsComment()) m_commentEdit->paste();
}

void CZelkanView::OnEditClear() {
    if (QLineEdit* edit = TargetLineEdit()) {
        if (edit->hasSelectedText()) edit->del();
    } else if (TargetIsComment()) {
        QTextCursor cursor = m_commentEdit->textCursor();
        cursor.removeSelectedText();
        m_commentEdit->setTextCursor(cursor);
    }
}

void CZelkanView::OnCopyRecordAs(RecordFormat format) {
    const std::optional<FileType> type = ClipboardType(format);
    if (!type) return;
    const QString name = FromUtf8(FormatDisplayName(type->format));
    QString text;
    std::string refusal;
    if (!RecordAsText(m_doc.Record(), *type, text, refusal)) {
        m_prompter.ShowMessage(tr("Cannot copy the record as %1: %2").arg(name, FromUtf8(refusal)));
        return;
    }
    const RecordLosses losses = WriteLosses(m_doc.Record(), *type);
    if (losses.Any() &&
        !m_prompter.AskYesNo(tr("%1 cannot keep %2. Copy anyway?").arg(name, LossesWords(losses))))
        return;
    PutOnClipboard(text);
}

void CZelkanView::PutOnClipboard(const QString& text) {
    QApplication::clipboard()->setText(text);
}
