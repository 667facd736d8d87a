#include "document/zelkandoc.h"

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <cerrno>
#include <new>
#include <optional>

#include "document/gamewords.h"
#include "document/prompter.h"
#include "format/filebytes.h"
#include "format/losses.h"
#include "format/recordio.h"
#include "format/safefile.h"
#include "format/text/loaderror.h"

namespace {

std::string NativePath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString ReasonText(const std::string& reason) {
    return QString::fromLocal8Bit(reason.data(), static_cast<qsizetype>(reason.size()));
}

// Two names for one file: the same inode when both exist, else the same absolute path.
bool IsSameFile(const QString& a, const QString& b) {
    if (a.isEmpty() || b.isEmpty()) return false;
    struct stat infoA {};
    struct stat infoB {};
    if (::stat(NativePath(a).c_str(), &infoA) == 0 && ::stat(NativePath(b).c_str(), &infoB) == 0)
        return infoA.st_dev == infoB.st_dev && infoA.st_ino == infoB.st_ino;
    return QDir::cleanPath(QFileInfo(a).absoluteFilePath()) ==
           QDir::cleanPath(QFileInfo(b).absoluteFilePath());
}

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// "Error : Illegal move. (line 12, column 3)": the reader's message first, as the program has
// always shown it, then where reading stopped. The reader's message stays as the tool prints it,
// in every language: people quote it.
QString ReadingErrorText(const ReadError& error) {
    return CZelkanDoc::tr("Error : %1 (line %2, column %3)")
        .arg(FromUtf8(error.message))
        .arg(error.line)
        .arg(error.column);
}

// Why reading stopped before the start position was known, the file named as `name`: "list.kif
// holds no game record", or the reader's message and its place.
QString StoppedBeforeStartText(const ReadError& error, const QString& name) {
    if (error.message == NoGameRecordText)
        return CZelkanDoc::tr("%1 holds no game record").arg(name);
    if (error.line <= 0) return FromUtf8(error.message);  // a failure with no place in the file
    return CZelkanDoc::tr("%1 (line %2, column %3)")
        .arg(FromUtf8(error.message))
        .arg(error.line)
        .arg(error.column);
}

// The reader's notices, one a line with its place as the tool gives it: "Line 8, column 1: the
// file holds 3 records; only the first was read (...)."; one about the file as a whole alone.
// They stay as the tool prints them; a translation may lead them in.
QString NoticesText(const std::vector<ReadNotice>& notices) {
    QStringList lines;
    for (const ReadNotice& notice : notices) {
        QString text = FromUtf8(notice.text).trimmed();
        if (text.isEmpty()) continue;
        // A notice about the file as a whole has no place.
        if (notice.line <= 0) {
            text[0] = text[0].toUpper();
        } else {
            text = QStringLiteral("Line %1, column %2: %3")
                       .arg(notice.line)
                       .arg(notice.column)
                       .arg(text);
        }
        if (!text.endsWith(QLatin1Char('.'))) text += QLatin1Char('.');
        lines.append(text);
    }
    if (lines.isEmpty()) return {};
    return CZelkanDoc::tr("%1", "the reader's notices, one a line")
        .arg(lines.join(QLatin1Char('\n')));
}

// The first continuation of `node` that plays `move`, or null.
const MoveNode* EqualContinuation(const MoveNode& node, const Move& move) {
    for (const ContinuationCell* cell = node.FirstChild(); cell; cell = cell->next.get())
        if (!cell->node->IsResult() && SameMove(cell->node->move, move)) return cell->node.get();
    return nullptr;
}

}  // namespace

CZelkanDoc::CZelkanDoc(Prompter& prompter, QObject* parent)
    : QObject(parent), m_prompter(prompter), m_record(std::make_unique<GameRecord>()) {
    connect(&m_history, &QUndoStack::cleanChanged, this,
            [this](bool clean) { emit modifiedChanged(!clean); });
    connect(&m_history, &QUndoStack::indexChanged, this, &CZelkanDoc::historyChanged);
}

CZelkanDoc::~CZelkanDoc() {
    // The history empties itself as it goes, with nobody left to tell.
    disconnect(&m_history, nullptr, this, nullptr);
}

void CZelkanDoc::SelectVariation(int index) {
    if (m_selectedVariation == index) return;
    m_selectedVariation = index;
    emit selectionChanged(index);
}

void CZelkanDoc::SetJapanesePieces(bool japanese) {
    if (m_japanesePieces == japanese) return;
    m_japanesePieces = japanese;
    emit pieceStyleChanged(japanese);
}

void CZelkanDoc::SetJapaneseNotation(bool japanese) {
    if (m_japaneseNotation == japanese) return;
    m_japaneseNotation = japanese;
    emit notationChanged(japanese);
}

void CZelkanDoc::GetGameInfo(std::string& title, std::string& black, std::string& white) const {
    title = m_record->Title();
    black = m_record->BlackPlayer();
    white = m_record->WhitePlayer();
}

void CZelkanDoc::SetGameTitle(const std::string& text) {
    if (m_record->Title() != text) SetText(TextField::Title, text, true);
}

void CZelkanDoc::SetBlackPlayer(const std::string& text) {
    if (m_record->BlackPlayer() != text) SetText(TextField::BlackPlayer, text, true);
}

void CZelkanDoc::SetWhitePlayer(const std::string& text) {
    if (m_record->WhitePlayer() != text) SetText(TextField::WhitePlayer, text, true);
}

void CZelkanDoc::SetComment(const std::string& text) {
    if (m_record->Current().Comment() != text) SetText(TextField::Comment, text, true);
}

void CZelkanDoc::EndTextEdit() {
    ++m_textSession;
}

void CZelkanDoc::AppendToComment(const std::string& text) {
    if (text.empty()) return;
    const std::string& comment = m_record->Current().Comment();
    SetText(TextField::Comment, comment.empty() ? text : comment + "\r\n" + text, false);
}

void CZelkanDoc::SetText(TextField field, const std::string& text, bool joinable) {
    static const char* const names[] = {QT_TR_NOOP("Edit Title"), QT_TR_NOOP("Edit Black's Player"),
                                        QT_TR_NOOP("Edit White's Player"),
                                        QT_TR_NOOP("Edit Comment")};
    const QString name = joinable ? tr(names[static_cast<int>(field)]) : tr("Add to Comment");
    Push(MakeSetText(*this, field, text, name, joinable ? m_textSession : -1));
}

bool CZelkanDoc::EnterMove(const Move& move) {
    return PlayExisting(move) || AddMove(move);
}

bool CZelkanDoc::PlayExisting(const Move& move) {
    int index = 0;
    if (!m_record->FindContinuation(move, index)) return false;
    m_record->GoForward(index);
    AnnounceNavigation();
    return true;
}

bool CZelkanDoc::AddMove(const Move& move) {
    if (m_record->Current().IsResult() || !m_record->IsLegal(move)) return false;
    Push(MakeAddMove(*this, move));
    return true;
}

bool CZelkanDoc::AddVariation(const std::vector<Move>& moves) {
    // Played first on a copy, so that an illegal move leaves the record as it was.
    if (m_record->Current().IsResult()) return false;
    Position position = m_record->GetPosition();
    const MoveNode* node = &m_record->Current();
    bool adds = false;
    for (const Move& move : moves) {
        if (!IsLegal(position, move)) return false;
        node = adds ? nullptr : EqualContinuation(*node, move);
        adds = adds || node == nullptr;
        Play(position, move);
    }
    if (adds) Push(MakeAddLine(*this, moves));
    return true;
}

void CZelkanDoc::GoTop() {
    m_record->GoToTop();
    AnnounceNavigation();
}

bool CZelkanDoc::GoForward() {
    if (!m_record->GoForward(m_selectedVariation)) return false;
    AnnounceNavigation();
    return true;
}

bool CZelkanDoc::GoBackward() {
    SelectVariation(0);
    if (!m_record->GoBack()) return false;
    AnnounceNavigation();
    return true;
}

// The chosen continuation first, then the main line below it down to its last move.
void CZelkanDoc::GoEnd() {
    if (m_record->GoForward(m_selectedVariation)) {
        while (m_record->GoForward(0)) {
        }
    }
    AnnounceNavigation();
}

bool CZelkanDoc::GoToPath(const NodePath& path) {
    if (path == m_record->CurrentPath()) return true;
    const bool reached = m_record->GoToPath(path);
    AnnounceNavigation();
    return reached;
}

bool CZelkanDoc::DeleteVariation() {
    const int index = m_selectedVariation < 0 ? 0 : m_selectedVariation;
    if (index >= m_record->Current().ChildCount()) return false;
    Push(MakeDeleteLines(*this, index, 1, tr("Delete Variation")));
    return true;
}

bool CZelkanDoc::DeleteMovesAfter() {
    if (!CanGoForward()) return false;
    Push(MakeDeleteLines(*this, 0, m_record->Current().ChildCount(), tr("Delete Moves After")));
    return true;
}

bool CZelkanDoc::PromoteVariation() {
    if (!CanPromoteVariation()) return false;
    Push(MakePromoteLine(*this));
    return true;
}

bool CZelkanDoc::MoveVariationUp() {
    if (!CanMoveVariationUp()) return false;
    const int index = m_record->CurrentPath().Last();
    Push(MakeMoveVariation(*this, index, index - 1, tr("Variation Up")));
    return true;
}

bool CZelkanDoc::MoveVariationDown() {
    if (!CanMoveVariationDown()) return false;
    const int index = m_record->CurrentPath().Last();
    Push(MakeMoveVariation(*this, index, index + 1, tr("Variation Down")));
    return true;
}

bool CZelkanDoc::CanGoForward() const {
    return m_record->Current().ChildCount() > 0;
}

bool CZelkanDoc::CanGoBack() const {
    return m_record->Current().Parent() != nullptr;
}

bool CZelkanDoc::CanPromoteVariation() const {
    return !m_record->CurrentPath().IsMainLine();
}

bool CZelkanDoc::CanMoveVariationUp() const {
    return CanGoBack() && m_record->CurrentPath().Last() > 0;
}

bool CZelkanDoc::CanMoveVariationDown() const {
    const MoveNode* parent = m_record->Current().Parent();
    return parent && m_record->CurrentPath().Last() < parent->ChildCount() - 1;
}

bool CZelkanDoc::CanUndo() const {
    return m_history.canUndo();
}

bool CZelkanDoc::CanRedo() const {
    return m_history.canRedo();
}

QString CZelkanDoc::UndoName() const {
    return m_history.undoText();
}

QString CZelkanDoc::RedoName() const {
    return m_history.redoText();
}

void CZelkanDoc::Undo() {
    EndTextEdit();
    m_history.undo();
}

void CZelkanDoc::Redo() {
    EndTextEdit();
    m_history.redo();
}

void CZelkanDoc::Push(std::unique_ptr<RecordCommand> command) {
    m_history.push(command.release());
}

RecordPlace CZelkanDoc::CurrentPlace() const {
    return {m_record->CurrentPath(), m_selectedVariation};
}

void CZelkanDoc::GoToPlace(const RecordPlace& place) {
    m_record->GoToPath(place.path);
    m_selectedVariation = place.selection;
}

void CZelkanDoc::BeginChange() {
    m_pending = PendingChange{&m_record->Current(), m_selectedVariation, nullptr, false};
}

void CZelkanDoc::NoteNodeChanged(const MoveNode& node) {
    if (m_pending) m_pending->node = &node;
}

void CZelkanDoc::NoteTextsChanged() {
    if (m_pending) m_pending->texts = true;
}

void CZelkanDoc::EndChange() {
    const PendingChange change = *m_pending;
    m_pending.reset();
    if (change.node) emit nodeChanged(change.node);
    if (change.texts) emit textsChanged();
    if (change.current != &m_record->Current()) {
        EndTextEdit();
        emit currentNodeChanged();
    }
    if (change.selection != m_selectedVariation) emit selectionChanged(m_selectedVariation);
}

void CZelkanDoc::AnnounceNavigation() {
    EndTextEdit();
    SelectVariation(0);
    emit currentNodeChanged();
}

void CZelkanDoc::ReplaceRecord(std::unique_ptr<GameRecord> record, bool modified) {
    // The steps give their lines back to the record they came from, before it goes.
    m_history.clear();
    m_record = std::move(record);
    // An empty history keeps its clean state through clear().
    if (modified)
        m_history.resetClean();
    else
        m_history.setClean();
    m_selectedVariation = 0;
    EndTextEdit();
    emit recordReplaced();
    emit selectionChanged(0);
}

bool CZelkanDoc::OnNewDocument() {
    StartUntitled(std::make_unique<GameRecord>(), false);
    return true;
}

bool CZelkanDoc::NewRecordFrom(const Position& start) {
    auto record = std::make_unique<GameRecord>();
    if (!record->SetStartPosition(start)) return false;
    StartUntitled(std::move(record), true);
    return true;
}

void CZelkanDoc::StartUntitled(std::unique_ptr<GameRecord> record, bool modified) {
    m_readInPart = false;
    m_fileType = FileType();
    m_lastFileError.clear();
    SetPathName(QString());
    ReplaceRecord(std::move(record), modified);
}

bool CZelkanDoc::OnOpenDocument(const QString& path) {
    m_lastFileError.clear();
    std::string bytes;
    if (const std::string reason = ReadWholeFile(NativePath(path), bytes); !reason.empty()) {
        m_lastFileError = ReasonText(reason);
        return false;
    }
    ReadOutcome outcome;
    std::unique_ptr<GameRecord> record = ReadRecordBytes(
        bytes, DetectFileType(NativePath(path), bytes), outcome, QFileInfo(path).fileName());
    if (!record) return false;
    SetPathName(QFileInfo(path).absoluteFilePath());
    ReplaceRecord(std::move(record), false);
    ShowReadProblems(outcome);
    return true;
}

bool CZelkanDoc::OpenRecordText(const QString& text) {
    m_lastFileError.clear();
    std::string bytes = text.toStdString();
    const std::optional<RecordFormat> format = FormatByContent(bytes);
    if (!format) return false;
    ReadOutcome outcome;
    std::unique_ptr<GameRecord> record =
        ReadRecordBytes(bytes, DefaultFileType(*format), outcome, tr("The clipboard"));
    if (!record) return false;
    SetPathName(QString());
    // Nothing holds the record yet but the program.
    ReplaceRecord(std::move(record), true);
    ShowReadProblems(outcome);
    return true;
}

std::unique_ptr<GameRecord> CZelkanDoc::ReadRecordBytes(std::string& bytes, const FileType& type,
                                                        ReadOutcome& outcome, const QString& name) {
    // Read beside the open record, so that a record too large for memory leaves it as it was.
    std::unique_ptr<GameRecord> record;
    try {
        record = std::make_unique<GameRecord>();
        outcome = ReadRecord(*record, bytes, type);
    } catch (const std::bad_alloc&) {
        m_lastFileError = ReasonText(FileErrorText(ENOMEM));
        return nullptr;
    }
    // The bytes are not wanted once read, and a modal message may follow.
    std::string().swap(bytes);
    // What was read before the start was known is no record of the file: the open one stays.
    if (outcome.error && !outcome.startKnown) {
        m_lastFileError = StoppedBeforeStartText(*outcome.error, name);
        return nullptr;
    }
    m_fileType = outcome.type;
    m_readInPart = outcome.error.has_value();
    return record;
}

void CZelkanDoc::ShowReadProblems(const ReadOutcome& outcome) {
    if (outcome.error) m_prompter.ShowMessage(ReadingErrorText(*outcome.error));
    if (const QString notices = NoticesText(outcome.notices); !notices.isEmpty())
        m_prompter.ShowMessage(notices);
}

bool CZelkanDoc::OnSaveDocument(const QString& path) {
    return OnSaveDocument(path, m_fileType);
}

bool CZelkanDoc::OnSaveDocument(const QString& path, const FileType& type) {
    m_lastFileError.clear();
    const QString shownPath = QDir::toNativeSeparators(path);
    const auto fail = [&](const QString& reason) {
        m_lastFileError = reason;
        m_prompter.ShowMessage(tr("Cannot save %1: %2").arg(shownPath, reason));
        return false;
    };
    // The whole file is made first: a text the format cannot hold refuses the save before any
    // question is asked or anything is written.
    std::string bytes;
    std::string refusal;
    try {
        if (!WriteRecord(*m_record, type, bytes, refusal)) return fail(FromUtf8(refusal));
    } catch (const std::bad_alloc&) {
        return fail(ReasonText(FileErrorText(ENOMEM)));
    }
    if (!AskToLoseWhatTypeCannotKeep(type)) return false;
    if (m_readInPart && IsSameFile(path, m_pathName) && !AskToReplacePartlyReadFile()) return false;

    if (const QString reason = WriteFileAtomically(path, bytes); !reason.isEmpty())
        return fail(reason);
    m_readInPart = false;
    m_fileType = type;
    SetPathName(QFileInfo(path).absoluteFilePath());
    SetModifiedFlag(false);
    return true;
}

bool CZelkanDoc::AskToLoseWhatTypeCannotKeep(const FileType& type) {
    const RecordLosses losses = WriteLosses(*m_record, type);
    if (!losses.Any()) return true;
    const std::string_view format = FormatDisplayName(type.format);
    return m_prompter.AskYesNo(
        tr("%1 cannot keep %2. Save anyway?")
            .arg(QString::fromUtf8(format.data(), static_cast<qsizetype>(format.size())),
                 LossesWords(losses)));
}

bool CZelkanDoc::AskToReplacePartlyReadFile() {
    return m_prompter.AskYesNo(
        tr("%1 was read only in part. Saving replaces it with what was read. Save anyway?")
            .arg(GetTitle()));
}

QString CZelkanDoc::WriteFileAtomically(const QString& path, const std::string& bytes) {
    if (path.isEmpty()) return ReasonText(FileErrorText(ENOENT));
    const int error = SaveFileAtomically(NativePath(path), bytes);
    return error == 0 ? QString() : ReasonText(FileErrorText(error));
}

void CZelkanDoc::SetModifiedFlag(bool modified) {
    if (modified)
        m_history.resetClean();
    else
        m_history.setClean();
}

bool CZelkanDoc::IsModified() const {
    return !m_history.isClean();
}

void CZelkanDoc::SetPathName(const QString& path) {
    if (m_pathName == path) return;
    m_pathName = path;
    emit titleChanged(GetTitle());
}

QString CZelkanDoc::GetTitle() const {
    if (m_pathName.isEmpty()) return tr("Untitled");
    return QFileInfo(m_pathName).fileName();
}
