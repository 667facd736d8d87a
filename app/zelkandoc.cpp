#include "app/zelkandoc.h"

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <array>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <istream>
#include <sstream>

#include "app/prompter.h"
#include "esn/loaderror.h"
#include "esn/reader.h"
#include "esn/safefile.h"
#include "esn/writer.h"

namespace {

const QString kUntitled = QStringLiteral("Untitled");

// What a failed file operation means to the user; `opening` tells a missing file from a
// missing folder.
QString ReasonForError(int error, bool opening) {
    switch (error) {
        case ENOENT:
            return opening ? QStringLiteral("The file does not exist.")
                           : QStringLiteral("The folder does not exist.");
        case ENOTDIR:
            return QStringLiteral("A part of the path is not a folder.");
        case EACCES:
        case EPERM:
            return QStringLiteral("Permission denied.");
        case EISDIR:
            return QStringLiteral("It is a folder, not a file.");
        case ENOSPC:
            return QStringLiteral("The disk is full.");
        case EDQUOT:
            return QStringLiteral("The disk quota is exceeded.");
        case EROFS:
            return QStringLiteral("The file system is read-only.");
        case ENAMETOOLONG:
            return QStringLiteral("The name is too long.");
        case 0:
            return QStringLiteral("An unknown error occurred.");
        default:
            return QString::fromLocal8Bit(std::strerror(error)) + QLatin1Char('.');
    }
}

std::string NativePath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// Reads the whole of `path` as bytes, refusing what is not a regular file (a folder, a device
// or a pipe, which would block). Reading it all first keeps the record untouched when the
// device fails part of the way through.
bool ReadWholeFile(const QString& path, std::string& bytes, QString& reason) {
    struct stat info {};
    if (path.isEmpty() || ::stat(NativePath(path).c_str(), &info) != 0) {
        reason = ReasonForError(path.isEmpty() ? ENOENT : errno, true);
        return false;
    }
    if (S_ISDIR(info.st_mode)) {
        reason = ReasonForError(EISDIR, true);
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        reason = QStringLiteral("It is not a regular file.");
        return false;
    }
    errno = 0;
    std::ifstream in(NativePath(path), std::ios::in | std::ios::binary);
    if (!in.is_open()) {
        reason = ReasonForError(errno, true);
        return false;
    }
    bytes.clear();
    bytes.reserve(static_cast<std::size_t>(info.st_size));
    std::array<char, 64 * 1024> chunk;
    while (in.read(chunk.data(), chunk.size()) || in.gcount() > 0)
        bytes.append(chunk.data(), static_cast<std::size_t>(in.gcount()));
    if (in.bad()) {
        reason = ReasonForError(errno != 0 ? errno : EIO, true);
        return false;
    }
    return true;
}

// An input stream buffer over bytes already in memory.
class MemoryBuffer : public std::streambuf {
  public:
    explicit MemoryBuffer(std::string& bytes) {
        setg(bytes.data(), bytes.data(), bytes.data() + bytes.size());
    }
};

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

}  // namespace

CZelkanDoc::CZelkanDoc(Prompter& prompter, QObject* parent)
    : QObject(parent), m_prompter(prompter) {}

CZelkanDoc::~CZelkanDoc() = default;

void CZelkanDoc::GetGameInfo(std::string& title, std::string& black, std::string& white) const {
    title = m_record.title;
    black = m_record.black;
    white = m_record.white;
}

namespace {

// Stores `text` when it differs from `stored`; answers whether it did.
bool StoreIfChanged(std::string& stored, const std::string& text) {
    if (stored == text) return false;
    stored = text;
    return true;
}

}  // namespace

void CZelkanDoc::SetGameTitle(const std::string& text) {
    if (StoreIfChanged(m_record.title, text)) SetModifiedFlag();
}

void CZelkanDoc::SetBlackPlayer(const std::string& text) {
    if (StoreIfChanged(m_record.black, text)) SetModifiedFlag();
}

void CZelkanDoc::SetWhitePlayer(const std::string& text) {
    if (StoreIfChanged(m_record.white, text)) SetModifiedFlag();
}

void CZelkanDoc::SetComment(const std::string& text) {
    if (m_record.Current().Comment() == text) return;
    m_record.SetCurrentComment(text);
    SetModifiedFlag();
}

bool CZelkanDoc::PlayExisting(const Move& move) {
    int index = 0;
    if (!m_record.FindContinuation(move, index)) return false;
    m_selectedVariation = 0;
    m_record.GoForward(index);
    UpdateAllViews();
    return true;
}

bool CZelkanDoc::AddMove(const Move& move) {
    const int count = m_record.AddContinuation(move);
    if (count == 0) return false;
    m_selectedVariation = 0;
    m_record.GoForward(count - 1);
    UpdateAllViews();
    SetModifiedFlag();
    return true;
}

void CZelkanDoc::GoTop() {
    m_record.GoToTop();
    m_selectedVariation = 0;
    UpdateAllViews();
}

bool CZelkanDoc::GoForward() {
    if (!m_record.GoForward(m_selectedVariation)) return false;
    m_selectedVariation = 0;
    UpdateAllViews();
    return true;
}

bool CZelkanDoc::GoBackward() {
    m_selectedVariation = 0;
    if (!m_record.GoBack()) return false;
    UpdateAllViews();
    return true;
}

// The chosen continuation first, then the main line below it down to its last move.
void CZelkanDoc::GoEnd() {
    if (m_record.GoForward(m_selectedVariation)) {
        while (m_record.GoForward(0)) {
        }
    }
    m_selectedVariation = 0;
    UpdateAllViews();
}

bool CZelkanDoc::DeleteVariation() {
    if (!m_record.DeleteContinuation(m_selectedVariation)) return false;
    m_selectedVariation = 0;
    UpdateAllViews();
    SetModifiedFlag();
    return true;
}

bool CZelkanDoc::CanGoForward() const {
    return m_record.Current().childCount > 0;
}

bool CZelkanDoc::CanGoBack() const {
    return m_record.Current().parent != nullptr;
}

bool CZelkanDoc::OnNewDocument() {
    m_selectedVariation = 0;
    m_record.Reset();
    m_readInPart = false;
    m_lastFileError.clear();
    SetModifiedFlag(false);
    SetPathName(QString());
    UpdateAllViews();
    return true;
}

bool CZelkanDoc::OnOpenDocument(const QString& path) {
    m_selectedVariation = 0;
    m_lastFileError.clear();

    std::string bytes;
    if (!ReadWholeFile(path, bytes, m_lastFileError)) return false;
    MemoryBuffer buffer(bytes);
    std::istream in(&buffer);

    bool readInPart = false;
    try {
        ReadESN(m_record, in);
    } catch (const ESNLoadError& error) {
        readInPart = true;
        m_prompter.ShowMessage(QStringLiteral("Error : ") + QString::fromStdString(error.message));
    }
    m_readInPart = readInPart;
    SetModifiedFlag(false);
    SetPathName(QFileInfo(path).absoluteFilePath());
    UpdateAllViews();
    return true;
}

bool CZelkanDoc::OnSaveDocument(const QString& path) {
    m_lastFileError.clear();
    const QString shownPath = QDir::toNativeSeparators(path);
    const std::string unwritable = FindUnwritableText(m_record);
    if (!unwritable.empty()) {
        m_lastFileError = QString::fromStdString(unwritable);
        m_prompter.ShowMessage(
            QStringLiteral("Cannot save %1: %2").arg(shownPath, m_lastFileError));
        return false;
    }
    if (m_readInPart && IsSameFile(path, m_pathName) && !AskToReplacePartlyReadFile()) return false;

    if (const QString reason = WriteFileAtomically(path); !reason.isEmpty()) {
        m_lastFileError = reason;
        m_prompter.ShowMessage(QStringLiteral("Cannot save %1: %2").arg(shownPath, reason));
        return false;
    }
    m_readInPart = false;
    SetPathName(QFileInfo(path).absoluteFilePath());
    SetModifiedFlag(false);
    return true;
}

bool CZelkanDoc::AskToReplacePartlyReadFile() {
    return m_prompter.AskYesNo(QStringLiteral("%1 was read only in part. Saving replaces it with "
                                              "what was read. Save anyway?")
                                   .arg(GetTitle()));
}

int CZelkanDoc::WriteSaveBytes(int fd, std::string_view bytes) {
    return WriteAllBytes(fd, bytes);
}

QString CZelkanDoc::WriteFileAtomically(const QString& path) {
    if (path.isEmpty()) return QStringLiteral("No file name was given.");
    std::ostringstream text;
    WriteESN(m_record, text);
    const int error = SaveFileAtomically(
        NativePath(path), text.view(),
        [this](int fd, std::string_view bytes) { return WriteSaveBytes(fd, bytes); });
    return error == 0 ? QString() : ReasonForError(error, false);
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

void CZelkanDoc::UpdateAllViews() {
    emit updated();
}
