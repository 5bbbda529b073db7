// The archive reader helper: reads one table of an Access file through libmdb and streams the rows on
// standard output in the line protocol of ArchiveWire.h. libmdb can crash or loop on a damaged file,
// which is why it runs here, in a process of its own, and never inside the program.

#include "DamagedFile.h"
#include "MdbTableReader.h"
#include "SelectQuery.h"
#include "io/jet/ArchiveWire.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <fcntl.h>
#include <new>
#include <signal.h>
#include <stdexcept>
#include <string>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#define VELTRANO_LETTORE_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VELTRANO_LETTORE_ASAN 1
#endif
#endif

namespace {

constexpr rlim_t kCpuSeconds = 60;
constexpr rlim_t kAddressSpace = rlim_t{2} << 30;

void guardResources() {
    // Die with the program rather than linger reading a file nobody waits for.
    const pid_t parent = getppid();
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent)
        _exit(3);

    rlimit cpu{kCpuSeconds, kCpuSeconds + 5};
    setrlimit(RLIMIT_CPU, &cpu);
#ifndef VELTRANO_LETTORE_ASAN
    // AddressSanitizer reserves terabytes of address space, so the cap applies to normal builds only.
    rlimit memory{kAddressSpace, kAddressSpace};
    setrlimit(RLIMIT_AS, &memory);
#endif
}

// libmdb prints its warnings straight to stderr, and a debug build of it prints to stdout: both go to
// /dev/null, and the protocol travels on a private copy of the original stdout.
FILE* takeOverOutput() {
    std::fflush(stdout);
    const int wire = fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 3);
    const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (null >= 0) {
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        close(null);
    }
    FILE* out = wire >= 0 ? fdopen(wire, "w") : nullptr;
    if (!out)
        _exit(4);
    static char buffer[1 << 16];
    std::setvbuf(out, buffer, _IOFBF, sizeof buffer);
    return out;
}

FILE* g_wire = nullptr;

bool emit(const std::string& line) {
    return std::fwrite(line.data(), 1, line.size(), g_wire) == line.size();
}

// News of the reading goes out at once and then at most every tenth of a second: the program hears
// from the reader while a large table is read, and its silence limit measures silence only.
class ReadingNews {
public:
    void operator()(std::size_t rowsRead, std::size_t rowsExpected) {
        const auto now = std::chrono::steady_clock::now();
        if (m_sent && now - m_last < kEvery)
            return;
        m_sent = true;
        m_last = now;
        emit(jet::wire::progressLine(static_cast<long long>(rowsRead), static_cast<long long>(rowsExpected)));
        std::fflush(g_wire);
    }

private:
    static constexpr std::chrono::milliseconds kEvery{100};
    bool m_sent = false;
    std::chrono::steady_clock::time_point m_last;
};

int reportError(const std::string& message) {
    emit(jet::wire::errorLine(message));
    std::fflush(g_wire);
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    guardResources();
    g_wire = takeOverOutput();
    // Text must come out as UTF-8 and libmdb must not skip memos, whatever the caller's environment.
    unsetenv("MDBICONV");
    unsetenv("MDBOPTS");

    if (argc != 3)
        return reportError("uso: veltrano-lettore DATABASE SQL");

    SelectQuery query;
    try {
        query = SelectQuery::parse(argv[2]);
    } catch (const std::invalid_argument& error) {
        return reportError(std::string("interrogazione non riconosciuta: ") + error.what());
    }

    std::vector<MdbTableReader::Row> rows;
    try {
        rows = MdbTableReader::read(argv[1], query, ReadingNews());
    } catch (const DamagedFile& damage) {
        emit(jet::wire::damageLine(damage.what()));
        std::fflush(g_wire);
        return 1;
    } catch (const std::bad_alloc&) {
        return reportError("memoria insufficiente leggendo " + std::string(argv[1]));
    } catch (const std::exception& error) {
        return reportError(error.what());
    }

    bool written = emit(
        jet::wire::countLine(static_cast<long long>(rows.size()), static_cast<int>(query.columns.size())));
    for (const MdbTableReader::Row& row : rows) {
        if (!written)
            break;
        written = emit(jet::wire::rowLine(row.fields));
    }
    written = written && emit(jet::wire::endLine());
    return written && std::fflush(g_wire) == 0 ? 0 : 1;
}
