#include "format/filebytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <new>
#include <stdexcept>

#include "format/text/bufferpages.h"

namespace {

constexpr const char* NotRegularFile = "Not a regular file";

// Closes the descriptor on every way out.
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

// Whether memory for `size` bytes can be had at all: asked of malloc, which answers null where
// operator new would throw (or, under the address sanitizer, end the program).
bool RoomFor(off_t size) {
    if (size <= 0) return true;
    if (static_cast<unsigned long long>(size) >= std::string().max_size()) return false;
    void* room = std::malloc(static_cast<std::size_t>(size) + 1);
    std::free(room);
    return room != nullptr;
}

// Reads from `fd` until the end; answers 0 or an errno value. The size the file claims is
// only a first guess: files under /proc claim 0 and still have bytes.
int ReadToEnd(int fd, off_t claimedSize, std::string& bytes) {
    if (!RoomFor(claimedSize)) return ENOMEM;
    if (claimedSize > 0) bytes.reserve(static_cast<std::size_t>(claimedSize));
    const FarHalfReady farHalf(bytes.data(), bytes.capacity());
    char chunk[1 << 16];
    for (;;) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got == 0) return 0;
        if (got < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        bytes.append(chunk, static_cast<std::size_t>(got));
    }
}

}  // namespace

std::string FileErrorText(int error) {
    return std::strerror(error);
}

std::string ReadWholeFile(const std::string& path, std::string& bytes) {
    bytes.clear();
    // Opened without waiting, so that a pipe with no writer cannot hold the caller up.
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (file.get() < 0) return FileErrorText(errno);
    struct stat info {};
    if (::fstat(file.get(), &info) != 0) return FileErrorText(errno);
    if (S_ISDIR(info.st_mode)) return FileErrorText(EISDIR);
    if (!S_ISREG(info.st_mode)) return NotRegularFile;

    int error = 0;
    try {
        error = ReadToEnd(file.get(), info.st_size, bytes);
    } catch (const std::bad_alloc&) {
        error = ENOMEM;
    } catch (const std::length_error&) {
        error = EFBIG;
    }
    if (error == 0) return {};
    bytes.clear();
    bytes.shrink_to_fit();
    return FileErrorText(error);
}
