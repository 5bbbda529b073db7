#include "SafeFileReplace.h"

#include "JetError.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace jet::engine {

namespace {

[[noreturn]] void fail(const std::string& path, int error) {
    throw JetError("Impossibile scrivere il database \"" + path + "\": " + std::strerror(error) + ".");
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

} // namespace

void replaceFileSafely(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::error_code ec;
    std::filesystem::path target = std::filesystem::canonical(path, ec);
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
    if (error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(temporary.c_str());
        fail(path, error);
    }
    // The rename is done; flushing the folder makes it survive a power cut. A failure here cannot
    // undo anything, so it is not reported.
    const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (folderFd >= 0) {
        ::fsync(folderFd);
        ::close(folderFd);
    }
}

} // namespace jet::engine
