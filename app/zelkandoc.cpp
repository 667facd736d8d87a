#include "app/zelkandoc.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <istream>
#include <ostream>

#include "app/prompter.h"
#include "esn/loaderror.h"
#include "esn/reader.h"
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

// A temporary file beside the target that removes itself unless it was renamed into place.
class TemporaryFile {
  public:
    TemporaryFile() = default;
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() {
        if (m_fd >= 0) ::close(m_fd);
        if (!m_name.empty() && !m_renamed) ::unlink(m_name.c_str());
    }

    // Creates a new, unique file in `folder`; answers 0 or an errno value. The name is cut
    // short so that the suffix never makes it longer than a file name may be.
    int Create(const std::string& folder, std::string baseName) {
        if (baseName.size() > 200) baseName.resize(200);
        for (int attempt = 0; attempt < 100; ++attempt) {
            const std::string name = folder + "/." + baseName + "." +
                                     std::to_string(QRandomGenerator::global()->generate()) +
                                     ".tmp";
            const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd >= 0) {
                m_fd = fd;
                m_name = name;
                return 0;
            }
            if (errno != EEXIST) return errno;
        }
        return EEXIST;
    }

    int Descriptor() const { return m_fd; }

    // Flushes the bytes to the disk and closes the file; answers 0 or an errno value.
    int SyncAndClose() {
        int error = ::fsync(m_fd) == 0 ? 0 : errno;
        // A file system that cannot sync a regular file (some network and virtual ones) says
        // so with EINVAL; the data has still been handed over.
        if (error == EINVAL) error = 0;
        const int fd = m_fd;
        m_fd = -1;
        if (::close(fd) != 0 && error == 0) error = errno;
        return error;
    }

    int RenameTo(const std::string& target) {
        if (::rename(m_name.c_str(), target.c_str()) != 0) return errno;
        m_renamed = true;
        return 0;
    }

  private:
    int m_fd = -1;
    std::string m_name;
    bool m_renamed = false;
};

// Makes the rename itself durable; a folder that cannot be synced is no reason to fail.
void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

SaveFileBuffer::SaveFileBuffer(int fd) : m_fd(fd) {
    setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
}

SaveFileBuffer::int_type SaveFileBuffer::overflow(int_type ch) {
    if (!Drain()) return traits_type::eof();
    if (!traits_type::eq_int_type(ch, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(ch);
        pbump(1);
    }
    return traits_type::not_eof(ch);
}

int SaveFileBuffer::sync() {
    return Drain() ? 0 : -1;
}

bool SaveFileBuffer::Drain() {
    if (m_error != 0) return false;
    const auto size = static_cast<std::size_t>(pptr() - pbase());
    if (size > 0) {
        m_error = WriteBytes(pbase(), size);
        if (m_error != 0) return false;
    }
    setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
    return true;
}

int SaveFileBuffer::WriteBytes(const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(m_fd, data, size);
        if (written < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (written == 0) return EIO;
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return 0;
}

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
    if (m_record.Current().comment == text) return;
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

    QString reason;
    if (!WriteFileAtomically(path, reason)) {
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

std::unique_ptr<SaveFileBuffer> CZelkanDoc::MakeSaveBuffer(int fd) {
    return std::make_unique<SaveFileBuffer>(fd);
}

bool CZelkanDoc::WriteFileAtomically(const QString& path, QString& reason) {
    if (path.isEmpty()) {
        reason = QStringLiteral("No file name was given.");
        return false;
    }
    QFileInfo info(path);
    // Saving through a symbolic link replaces the file it points to, not the link.
    if (info.isSymLink() && !info.canonicalFilePath().isEmpty())
        info = QFileInfo(info.canonicalFilePath());
    const std::string target = NativePath(info.absoluteFilePath());
    const std::string folder = NativePath(info.absolutePath());

    struct stat existing {};
    const bool targetExists = ::stat(target.c_str(), &existing) == 0;
    if (targetExists && S_ISDIR(existing.st_mode)) {
        reason = ReasonForError(EISDIR, false);
        return false;
    }
    // The rename would replace even a file the user may not write: refuse as writing would.
    if (targetExists && ::access(target.c_str(), W_OK) != 0) {
        reason = ReasonForError(errno, false);
        return false;
    }

    TemporaryFile temporary;
    int error = temporary.Create(folder, NativePath(info.fileName()));
    if (error != 0) {
        reason = ReasonForError(error, false);
        return false;
    }
    // The replaced file keeps its permissions; a new one gets the usual ones for the user.
    if (targetExists) ::fchmod(temporary.Descriptor(), existing.st_mode & 07777);

    {
        const std::unique_ptr<SaveFileBuffer> buffer = MakeSaveBuffer(temporary.Descriptor());
        std::ostream out(buffer.get());
        WriteESN(m_record, out);
        out.flush();
        if (!out) error = buffer->Error() != 0 ? buffer->Error() : EIO;
    }
    if (error == 0) error = temporary.SyncAndClose();
    if (error == 0) error = temporary.RenameTo(target);
    if (error != 0) {
        reason = ReasonForError(error, false);
        return false;
    }
    SyncFolder(folder);
    return true;
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
