#include "cli/recordfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <istream>
#include <streambuf>

#include "esn/reader.h"

namespace {

// An input buffer over bytes already in memory, so the reader takes them without a copy.
class ByteSource : public std::streambuf {
  public:
    explicit ByteSource(const std::string& bytes) {
        // The buffer is only ever read: the get area never writes through these pointers.
        char* begin = const_cast<char*>(bytes.data());
        setg(begin, begin, begin + bytes.size());
    }
};

// Closes the descriptor on every way out of ReadFileBytes.
class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }

  private:
    int fd_;
};

}  // namespace

bool ReadFileBytes(const std::string& path, std::string& bytes, std::string& reason) {
    bytes.clear();
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0) {
        reason = std::strerror(errno);
        return false;
    }
    struct stat info {};
    if (::fstat(file.get(), &info) != 0) {
        reason = std::strerror(errno);
        return false;
    }
    if (S_ISDIR(info.st_mode)) {
        reason = std::strerror(EISDIR);
        return false;
    }
    if (S_ISREG(info.st_mode) && info.st_size > 0) bytes.reserve(static_cast<size_t>(info.st_size));
    char chunk[1 << 16];
    for (;;) {
        const ssize_t got = ::read(file.get(), chunk, sizeof chunk);
        if (got == 0) return true;
        if (got < 0) {
            if (errno == EINTR) continue;
            reason = std::strerror(errno);
            return false;
        }
        bytes.append(chunk, static_cast<size_t>(got));
    }
}

std::optional<ESNLoadError> ReadRecordBytes(const std::string& bytes, GameRecord& record) {
    ByteSource source(bytes);
    std::istream in(&source);
    try {
        ReadESN(record, in);
    } catch (const ESNLoadError& error) {
        return error;
    }
    return std::nullopt;
}

std::string LocatedError(const std::string& path, const ESNLoadError& error) {
    return path + ':' + std::to_string(error.line) + ':' + std::to_string(error.column) + ": " +
           error.message;
}
