#include "cli/safesave.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

namespace {

std::string SystemReason(int error) {
    return std::strerror(error);
}

// The file a link names, so the link itself survives the save; the path itself otherwise.
std::string ResolveTarget(const std::string& path) {
    std::error_code ignored;
    if (std::filesystem::is_symlink(path, ignored)) {
        const auto resolved = std::filesystem::weakly_canonical(path, ignored);
        if (!ignored) return resolved.string();
    }
    return path;
}

mode_t ModeForTarget(const std::string& target) {
    struct stat info {};
    if (::stat(target.c_str(), &info) == 0) return info.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

bool WriteAll(int fd, std::string_view bytes, std::string& reason) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            reason = SystemReason(errno);
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Writes, flushes and closes the temporary file; closes it in every case.
bool FillTemporary(int fd, std::string_view bytes, mode_t mode, std::string& reason) {
    bool ok = WriteAll(fd, bytes, reason);
    if (ok && ::fchmod(fd, mode) != 0) {
        reason = SystemReason(errno);
        ok = false;
    }
    if (ok && ::fsync(fd) != 0) {
        reason = SystemReason(errno);
        ok = false;
    }
    if (::close(fd) != 0 && ok) {
        reason = SystemReason(errno);
        ok = false;
    }
    return ok;
}

}  // namespace

bool SaveFileSafely(const std::string& path, std::string_view bytes, std::string& reason) {
    const std::string target = ResolveTarget(path);
    const std::filesystem::path targetPath(target);
    std::filesystem::path folder = targetPath.parent_path();
    if (folder.empty()) folder = ".";
    if (targetPath.filename().empty()) {
        reason = SystemReason(EISDIR);
        return false;
    }

    std::string pattern = (folder / ("." + targetPath.filename().string() + ".XXXXXX")).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) {
        reason = SystemReason(errno);
        return false;
    }
    const std::string temporary(name.data());

    if (!FillTemporary(fd, bytes, ModeForTarget(target), reason)) {
        ::unlink(temporary.c_str());
        return false;
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        reason = SystemReason(errno);
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}
