#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "format/filebytes.h"
#include "format/safefile.h"
#include "tests/support/scratchdir.h"

namespace {

namespace fs = std::filesystem;

std::string Read(const std::string& path) {
    std::string bytes;
    return ReadWholeFile(path, bytes).empty() ? bytes : "<cannot be read>";
}

unsigned Permissions(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? info.st_mode & 0777 : 0;
}

TEST(ReadWholeFile, ReadsRegularFilesAndSaysWhyAnythingElseCannotBeRead) {
    ScratchDir folder;
    const std::string text("[TITLE t]\r\n\0\xff 1. P-7f\r\n", 21);
    WriteBytes((folder / "record.esn").string(), text);
    WriteBytes((folder / "empty.esn").string(), "");
    ASSERT_EQ(::mkfifo(((folder / "pipe").string()).c_str(), 0600), 0);
    // Sparse, so it takes no room on the disk, and far larger than any memory.
    const std::string huge = (folder / "huge.esn").string();
    WriteBytes(huge, "");
    if (::truncate(huge.c_str(), off_t{1} << 42) != 0) GTEST_SKIP() << "no sparse files here";

    const struct {
        std::string path;
        std::string reason;
        std::string bytes;
    } files[] = {
        {(folder / "record.esn").string(), "", text},
        {(folder / "empty.esn").string(), "", ""},
        {(folder / "missing.esn").string(), std::strerror(ENOENT), ""},
        {folder.path().string(), std::strerror(EISDIR), ""},
        // A pipe without a writer or a terminal would wait for input for ever.
        {(folder / "pipe").string(), "Not a regular file", ""},
        {"/dev/null", "Not a regular file", ""},
        // The kernel answers every read of this regular file at offset 0 with an I/O error.
        {"/proc/self/mem", std::strerror(EIO), ""},
        {huge, std::strerror(ENOMEM), ""},
    };
    for (const auto& file : files) {
        SCOPED_TRACE(file.path);
        std::string bytes = "old";
        EXPECT_EQ(ReadWholeFile(file.path, bytes), file.reason);
        EXPECT_EQ(bytes, file.bytes);
    }
    // Files under /proc claim to be empty and still have bytes.
    std::string status;
    EXPECT_EQ(ReadWholeFile("/proc/self/status", status), "");
    EXPECT_NE(status.find("Name:"), std::string::npos);
}

TEST(SaveFileAtomically, ReplacesTheFileWholeKeepingItsPermissionsAndLinks) {
    ScratchDir folder;
    // The longest name a file may have still leaves room for the temporary file's.
    const std::string longName = (folder / (std::string(251, 'n') + ".esn")).string();
    EXPECT_EQ(SaveFileAtomically(longName, "new"), 0);
    EXPECT_EQ(Read(longName), "new");
    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(Permissions(longName), 0666 & ~mask);

    const std::string target = (folder / "record.esn").string();
    const std::string link = (folder / "link.esn").string();
    WriteBytes(target, std::string(4096, 'x'));
    ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
    fs::create_symlink(target, link);
    EXPECT_EQ(SaveFileAtomically(link, "shorter"), 0);
    EXPECT_EQ(Read(target), "shorter");
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(Permissions(target), 0640u);
    EXPECT_EQ(folder.Names(),
              (std::vector<std::string>{"link.esn", fs::path(longName).filename(), "record.esn"}));
}

// Nothing but the answer changes: not the old file, not the folder.
TEST(SaveFileAtomically, AFailedSaveLeavesTheTargetAndNoTemporaryFile) {
    const auto fullDiskAfter = [](std::size_t room) -> FileWriter {
        return [room](int fd, std::string_view bytes) {
            if (bytes.size() <= room) return WriteAllBytes(fd, bytes);
            const int error = WriteAllBytes(fd, bytes.substr(0, room));
            return error != 0 ? error : ENOSPC;
        };
    };
    const struct {
        const char* what;
        int error;
        FileWriter writer = WriteAllBytes;
    } failures[] = {
        {"the disk fills midway", ENOSPC, fullDiskAfter(5)},
        {"the disk is full", ENOSPC, fullDiskAfter(0)},
        {"a missing folder", ENOENT},
        {"a folder", EISDIR},
        {"a read-only folder", EACCES},
        // The rename could replace it, but the user may not write it.
        {"a read-only file", EACCES},
    };
    for (const auto& failure : failures) {
        SCOPED_TRACE(failure.what);
        const std::string what = failure.what;
        if (what.starts_with("a read-only") && ::geteuid() == 0) continue;  // root may
        ScratchDir folder;
        std::string path = (folder / "club.esn").string();
        if (what == "a missing folder")
            path = (folder / "no-such-folder/club.esn").string();
        else if (what == "a folder")
            fs::create_directory(path);
        else
            WriteBytes(path, "old contents");
        if (what == "a read-only folder")
            fs::permissions(folder.path(), fs::perms::owner_read | fs::perms::owner_exec);
        if (what == "a read-only file") fs::permissions(path, fs::perms::owner_read);
        const std::vector<std::string> names = folder.Names();

        EXPECT_EQ(SaveFileAtomically(path, "[TITLE new]\r\n1. P-7f\r\n", failure.writer),
                  failure.error);
        fs::permissions(folder.path(), fs::perms::owner_all);
        EXPECT_EQ(folder.Names(), names);
        if (what != "a folder" && what != "a missing folder") {
            EXPECT_EQ(Read(path), "old contents");
        }
    }
}

}  // namespace
