#include "io/jet/SafeFileReplace.h"

#include "io/jet/JetError.h"
#include "io/jet/SystemReason.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace jet::engine {

namespace {

[[noreturn]] void fail(const std::string& path, int error) {
    throw JetError("Impossibile scrivere il database \"" + path + "\": " + systemReason(error) + ".");
}

bool writeAll(int fd, const std::vector<std::uint8_t>& bytes) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        written += static_cast<std::size_t>(n);
    }
    return true;
}

// Once a rename is done, flushing the folder makes it survive a power cut; a failure there cannot undo
// anything, so it is not reported.
void flushFolderOf(const std::string& path) {
    std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (folder.empty()) {
        folder = ".";
    }
    const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (folderFd >= 0) {
        ::fsync(folderFd);
        ::close(folderFd);
    }
}

// 0, or the errno of a failed rename.
int renameAndFlushFolder(const std::string& from, const std::string& to) {
    if (::rename(from.c_str(), to.c_str()) != 0) {
        return errno;
    }
    flushFolderOf(to);
    return 0;
}

// 0, or the errno of a failed rename (EEXIST: something is at `to`). A file system that cannot rename
// without replacing gets a hard link, which never replaces either, and the new name's removal.
int renameWithoutReplacing(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return 0;
    }
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) {
        return errno;
    }
    if (::link(from.c_str(), to.c_str()) != 0) {
        return errno;
    }
    ::unlink(from.c_str());
    return 0;
}

} // namespace

std::string replaceableTarget(const std::string& path) {
    std::error_code ec;
    const std::filesystem::path target = std::filesystem::canonical(path, ec);
    if (ec) {
        fail(path, ec.value());
    }
    struct stat original {};
    if (::stat(target.c_str(), &original) != 0) {
        fail(path, errno);
    }
    // Renaming over the file would get past its read-only mark: honour it as the engine would.
    if ((original.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(target.c_str(), W_OK) != 0) {
        throw JetError("Il database \"" + path + "\" è di sola lettura: impossibile aggiornarlo.");
    }
    return target.string();
}

void renameIntoPlace(const std::string& newFile, const std::string& target) {
    if (const int error = renameAndFlushFolder(newFile, target); error != 0) {
        fail(target, error);
    }
}

bool renameIntoFreeName(const std::string& newFile, const std::string& target) {
    const int error = renameWithoutReplacing(newFile, target);
    if (error == EEXIST) {
        return false;
    }
    if (error != 0) {
        fail(target, error);
    }
    flushFolderOf(target);
    return true;
}

void replaceFileSafely(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    const std::filesystem::path target = replaceableTarget(path);
    struct stat original {};
    if (::stat(target.c_str(), &original) != 0) {
        fail(path, errno);
    }
    const std::filesystem::path folder = target.parent_path();
    std::string temporary = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        fail(path, errno);
    }
    // Keeping the owner needs privileges we may not have; the new file then stays ours, which is harmless.
    [[maybe_unused]] const int ownerKept = ::fchown(fd, original.st_uid, original.st_gid);
    int error = 0;
    if (!writeAll(fd, bytes) || ::fchmod(fd, original.st_mode & 07777) != 0 || ::fsync(fd) != 0) {
        error = errno;
    }
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    if (error == 0) {
        error = renameAndFlushFolder(temporary, target.string());
    }
    if (error != 0) {
        ::unlink(temporary.c_str());
        fail(path, error);
    }
}

} // namespace jet::engine
