#include "document/zelkandoc.h"

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <cerrno>
#include <new>
#include <optional>

#include "document/prompter.h"
#include "format/filebytes.h"
#include "format/loaderror.h"
#include "format/losses.h"
#include "format/recordio.h"
#include "format/safefile.h"

namespace {

const QString kUntitled = QStringLiteral("Untitled");

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
// always shown it, then where reading stopped.
QString ReadingErrorText(const ESNLoadError& error) {
    return QStringLiteral("Error : %1 (line %2, column %3)")
        .arg(FromUtf8(error.message))
        .arg(error.line)
        .arg(error.column);
}

// The reader's notices, one sentence each: "The file holds 3 records; only the first was read."
QString NoticesText(const std::vector<std::string>& notices) {
    QStringList sentences;
    for (const std::string& notice : notices) {
        QString sentence = FromUtf8(notice).trimmed();
        if (sentence.isEmpty()) continue;
        sentence[0] = sentence[0].toUpper();
        if (!sentence.endsWith(QLatin1Char('.'))) sentence += QLatin1Char('.');
        sentences.append(sentence);
    }
    return sentences.join(QLatin1Char('\n'));
}

}  // namespace

CZelkanDoc::CZelkanDoc(Prompter& prompter, QObject* parent)
    : QObject(parent), m_prompter(prompter), m_record(std::make_unique<GameRecord>()) {}

CZelkanDoc::~CZelkanDoc() = default;

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
    if (m_record->Title() == text) return;
    m_record->SetTitle(text);
    SetModifiedFlag();
}

void CZelkanDoc::SetBlackPlayer(const std::string& text) {
    if (m_record->BlackPlayer() == text) return;
    m_record->SetBlackPlayer(text);
    SetModifiedFlag();
}

void CZelkanDoc::SetWhitePlayer(const std::string& text) {
    if (m_record->WhitePlayer() == text) return;
    m_record->SetWhitePlayer(text);
    SetModifiedFlag();
}

void CZelkanDoc::SetComment(const std::string& text) {
    if (m_record->Current().Comment() == text) return;
    m_record->SetCurrentComment(text);
    SetModifiedFlag();
}

bool CZelkanDoc::EnterMove(const Move& move) {
    return PlayExisting(move) || AddMove(move);
}

bool CZelkanDoc::PlayExisting(const Move& move) {
    int index = 0;
    if (!m_record->FindContinuation(move, index)) return false;
    m_record->GoForward(index);
    ResetSelectionAndUpdate();
    return true;
}

bool CZelkanDoc::AddMove(const Move& move) {
    const int count = m_record->AddContinuation(move);
    if (count == 0) return false;
    m_record->GoForward(count - 1);
    ResetSelectionAndUpdate();
    SetModifiedFlag();
    return true;
}

void CZelkanDoc::GoTop() {
    m_record->GoToTop();
    ResetSelectionAndUpdate();
}

bool CZelkanDoc::GoForward() {
    if (!m_record->GoForward(m_selectedVariation)) return false;
    ResetSelectionAndUpdate();
    return true;
}

bool CZelkanDoc::GoBackward() {
    SelectVariation(0);
    if (!m_record->GoBack()) return false;
    emit updated();
    return true;
}

// The chosen continuation first, then the main line below it down to its last move.
void CZelkanDoc::GoEnd() {
    if (m_record->GoForward(m_selectedVariation)) {
        while (m_record->GoForward(0)) {
        }
    }
    ResetSelectionAndUpdate();
}

bool CZelkanDoc::DeleteVariation() {
    if (!m_record->DeleteContinuation(m_selectedVariation)) return false;
    ResetSelectionAndUpdate();
    SetModifiedFlag();
    return true;
}

bool CZelkanDoc::CanGoForward() const {
    return m_record->Current().ChildCount() > 0;
}

bool CZelkanDoc::CanGoBack() const {
    return m_record->Current().Parent() != nullptr;
}

void CZelkanDoc::ResetSelectionAndUpdate() {
    SelectVariation(0);
    emit updated();
}

bool CZelkanDoc::OnNewDocument() {
    m_record->Reset();
    m_readInPart = false;
    m_fileType = FileType();
    m_lastFileError.clear();
    SetModifiedFlag(false);
    SetPathName(QString());
    ResetSelectionAndUpdate();
    return true;
}

bool CZelkanDoc::OnOpenDocument(const QString& path) {
    m_lastFileError.clear();
    std::string bytes;
    if (const std::string reason = ReadWholeFile(NativePath(path), bytes); !reason.empty()) {
        m_lastFileError = ReasonText(reason);
        return false;
    }
    ReadOutcome outcome;
    if (!TakeRecordRead(bytes, DetectFileType(NativePath(path), bytes), outcome)) return false;
    SetModifiedFlag(false);
    SetPathName(QFileInfo(path).absoluteFilePath());
    ResetSelectionAndUpdate();
    ShowReadProblems(outcome);
    return true;
}

bool CZelkanDoc::OpenRecordText(const QString& text) {
    m_lastFileError.clear();
    std::string bytes = text.toStdString();
    const std::optional<RecordFormat> format = FormatByContent(bytes);
    if (!format) return false;
    ReadOutcome outcome;
    if (!TakeRecordRead(bytes, DefaultFileType(*format), outcome)) return false;
    // Nothing holds the record yet but the program.
    SetModifiedFlag(true);
    SetPathName(QString());
    ResetSelectionAndUpdate();
    ShowReadProblems(outcome);
    return true;
}

bool CZelkanDoc::TakeRecordRead(std::string& bytes, const FileType& type, ReadOutcome& outcome) {
    // Read beside the open record, so that a record too large for memory leaves it as it was.
    std::unique_ptr<GameRecord> record;
    try {
        record = std::make_unique<GameRecord>();
        outcome = ReadRecord(*record, bytes, type);
    } catch (const std::bad_alloc&) {
        m_lastFileError = ReasonText(FileErrorText(ENOMEM));
        return false;
    }
    // The bytes are not wanted once read, and a modal message may follow.
    std::string().swap(bytes);
    m_record = std::move(record);
    m_fileType = outcome.type;
    m_readInPart = outcome.error.has_value();
    return true;
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
        m_prompter.ShowMessage(QStringLiteral("Cannot save %1: %2").arg(shownPath, reason));
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
        QStringLiteral("%1 cannot keep %2. Save anyway?")
            .arg(QString::fromUtf8(format.data(), static_cast<qsizetype>(format.size())),
                 FromUtf8(ListLossesInWords(losses))));
}

bool CZelkanDoc::AskToReplacePartlyReadFile() {
    return m_prompter.AskYesNo(QStringLiteral("%1 was read only in part. Saving replaces it with "
                                              "what was read. Save anyway?")
                                   .arg(GetTitle()));
}

QString CZelkanDoc::WriteFileAtomically(const QString& path, const std::string& bytes) {
    if (path.isEmpty()) return ReasonText(FileErrorText(ENOENT));
    const int error = SaveFileAtomically(NativePath(path), bytes);
    return error == 0 ? QString() : ReasonText(FileErrorText(error));
}

void CZelkanDoc::SetModifiedFlag(bool modified) {
    if (m_modified == modified) return;
    m_modified = modified;
    emit modifiedChanged(modified);
}

void CZelkanDoc::SetPathName(const QString& path) {
    if (m_pathName == path) return;
    m_pathName = path;
    emit titleChanged(GetTitle());
}

QString CZelkanDoc::GetTitle() const {
    if (m_pathName.isEmpty()) return kUntitled;
    return QFileInfo(m_pathName).fileName();
}
