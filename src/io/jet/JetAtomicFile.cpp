#include "io/jet/JetAtomicFile.h"

#include "io/jet/JetError.h"
#include "io/jet/SystemReason.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace jet {

namespace {

std::string directoryOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool writeAll(int fd, const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

void writeFileAtomically(const std::string& path, const std::vector<Bytes>& chunks) {
    std::string temp = path + ".tmp-XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        throw JetError("Impossibile creare il file \"" + path + "\": " + systemReason(errno) + ".");
    ::fchmod(fd, 0644);
    const auto fail = [&](const std::string& what) {
        const int error = errno;
        ::close(fd);
        ::unlink(temp.c_str());
        throw JetError("Impossibile scrivere il file \"" + path + "\" (" + what +
                       "): " + systemReason(error) + ".");
    };
    for (const Bytes& chunk : chunks)
        if (!writeAll(fd, chunk.data(), chunk.size()))
            fail("scrittura");
    if (::fsync(fd) != 0)
        fail("sincronizzazione");
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        throw JetError("Impossibile scrivere il file \"" + path + "\": " + systemReason(error) + ".");
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        throw JetError("Impossibile scrivere il file \"" + path + "\": " + systemReason(error) + ".");
    }
    // The rename itself reaches the disk with the directory.
    const int dir = ::open(directoryOf(path).c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

} // namespace jet
