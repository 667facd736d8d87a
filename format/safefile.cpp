#include "format/safefile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <random>

namespace {

// The file a link names, so that the link itself survives the save; the path itself otherwise,
// a link to nothing included.
std::filesystem::path ResolveTarget(const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::is_symlink(path, error)) return path;
    const auto resolved = std::filesystem::canonical(path, error);
    return error ? path : resolved;
}

std::string RandomSuffix() {
    static thread_local std::mt19937 generator{std::random_device{}()};
    return std::to_string(generator());
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

    // Creates a new, unique file in `folder`; answers 0 or an errno value. Created with 0666,
    // the file gets the usual permissions through the umask. The name is cut short so that the
    // suffix never makes it longer than a file name may be.
    int Create(const std::filesystem::path& folder, std::string baseName) {
        if (baseName.size() > 200) baseName.resize(200);
        for (int attempt = 0; attempt < 100; ++attempt) {
            const std::string name =
                (folder / ("." + baseName + "." + RandomSuffix() + ".tmp")).string();
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

    int RenameTo(const std::filesystem::path& target) {
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
void SyncFolder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

int WriteAllBytes(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (written == 0) return EIO;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

int SaveFileAtomically(const std::string& path, std::string_view bytes, const FileWriter& write) {
    if (path.empty()) return ENOENT;
    const std::filesystem::path target = ResolveTarget(path);
    if (!target.has_filename()) return EISDIR;
    std::filesystem::path folder = target.parent_path();
    if (folder.empty()) folder = ".";

    struct stat existing {};
    const bool targetExists = ::stat(target.c_str(), &existing) == 0;
    if (targetExists && S_ISDIR(existing.st_mode)) return EISDIR;
    // The rename would replace even a file the user may not write: refuse as writing would.
    if (targetExists && ::access(target.c_str(), W_OK) != 0) return errno;

    TemporaryFile temporary;
    int error = temporary.Create(folder, target.filename().string());
    if (error != 0) return error;
    // The replaced file keeps its permissions. Some file systems (FAT on a memory stick) refuse
    // to change them at all; that is no reason to lose the save.
    if (targetExists) (void)::fchmod(temporary.Descriptor(), existing.st_mode & 07777);

    error = write(temporary.Descriptor(), bytes);
    if (error == 0) error = temporary.SyncAndClose();
    if (error == 0) error = temporary.RenameTo(target);
    if (error != 0) return error;
    SyncFolder(folder);
    return 0;
}
