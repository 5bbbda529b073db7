#include "io/jet/ArchiveQuery.h"

#include "io/jet/ArchiveWire.h"
#include "io/jet/JetError.h"
#include "io/jet/SystemReason.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <string_view>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace jet {

namespace {

using Clock = std::chrono::steady_clock;

// A line longer than this cannot come from a table of Access rows: the reader is misbehaving.
constexpr std::size_t kMaxLineLength = std::size_t{64} << 20;

std::string systemError(const std::string& what, int error) {
    return what + ": " + systemReason(error);
}

// Owns the reader process: whatever way runArchiveQuery leaves (error, timeout, a callback that
// throws), the process is killed if still running and always reaped, so no zombie is left.
class ReaderProcess {
public:
    ReaderProcess(const std::string& program, const std::string& databasePath, const std::string& sql) {
        int fds[2];
        if (pipe2(fds, O_CLOEXEC) != 0)
            throw JetError(systemError("impossibile creare il canale verso il programma di lettura", errno));
        m_output = fds[0];

        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 34))
        // The program's other descriptors (database files, sockets) are none of the reader's business.
        posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
#endif
        std::string programArg = program;
        std::string pathArg = databasePath;
        std::string sqlArg = sql;
        char* argv[] = {programArg.data(), pathArg.data(), sqlArg.data(), nullptr};
        const int error = posix_spawn(&m_pid, program.c_str(), &actions, nullptr, argv, environ);
        posix_spawn_file_actions_destroy(&actions);
        close(fds[1]);
        if (error != 0) {
            close(m_output);
            throw JetError(systemError("impossibile avviare il programma di lettura " + program, error));
        }
    }

    ReaderProcess(const ReaderProcess&) = delete;
    ReaderProcess& operator=(const ReaderProcess&) = delete;

    ~ReaderProcess() {
        closeOutput();
        if (m_pid > 0) {
            kill(m_pid, SIGKILL);
            reap(0);
        }
    }

    int output() const {
        return m_output;
    }

    void closeOutput() {
        if (m_output >= 0) {
            close(m_output);
            m_output = -1;
        }
    }

    void killNow() {
        if (m_pid > 0)
            kill(m_pid, SIGKILL);
    }

    // Waits for the reader to end, at most until deadline; kills it then. Returns the wait status.
    int waitUntil(Clock::time_point deadline, bool& timedOut) {
        timedOut = false;
        for (;;) {
            int status = 0;
            const pid_t done = waitpid(m_pid, &status, WNOHANG);
            if (done == m_pid) {
                m_pid = -1;
                return status;
            }
            if (done < 0 && errno == ECHILD) {
                // Someone else reaped it (SIGCHLD ignored by the host program): its status is lost,
                // so the reply alone decides.
                m_pid = -1;
                return 0;
            }
            if (done < 0 && errno != EINTR) {
                m_pid = -1;
                throw JetError(systemError("attesa del programma di lettura fallita", errno));
            }
            if (Clock::now() >= deadline) {
                timedOut = true;
                kill(m_pid, SIGKILL);
                return reap(0);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }

private:
    int reap(int status) {
        while (waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
        }
        m_pid = -1;
        return status;
    }

    pid_t m_pid = -1;
    int m_output = -1;
};

// Splits the reader's output into lines and checks that they come in protocol order.
class ReplyParser {
public:
    explicit ReplyParser(const QueryCallbacks& callbacks) : m_callbacks(callbacks) {}

    // Returns true when a whole record was completed (the silence clock restarts then).
    bool feed(std::string_view bytes) {
        m_pending.append(bytes);
        bool progressed = false;
        std::size_t start = 0;
        for (;;) {
            const std::size_t end = m_pending.find('\n', start);
            if (end == std::string::npos)
                break;
            handle(std::string_view(m_pending).substr(start, end - start));
            start = end + 1;
            progressed = true;
        }
        m_pending.erase(0, start);
        if (m_pending.size() > kMaxLineLength)
            malformed("riga troppo lunga");
        return progressed;
    }

    void finish() {
        if (!m_pending.empty())
            malformed("l'ultima riga è incompleta");
    }

    bool ended() const { return m_ended; }
    bool failed() const { return m_failed; }
    bool damaged() const { return m_damaged; }
    const std::string& errorMessage() const { return m_errorMessage; }

private:
    [[noreturn]] static void malformed(const std::string& what) {
        throw JetError("risposta non valida dal programma di lettura: " + what);
    }

    void handle(std::string_view text) {
        if (m_ended || m_failed)
            malformed("dati dopo la fine");
        wire::Line line = wire::decodeLine(text);
        switch (line.kind) {
        case wire::LineKind::Error:
        case wire::LineKind::Damage:
            m_failed = true;
            m_damaged = line.kind == wire::LineKind::Damage;
            m_errorMessage = std::move(line.message);
            return;
        case wire::LineKind::Progress:
            if (m_started)
                malformed("avanzamento dopo il conteggio");
            if (m_callbacks.reading)
                m_callbacks.reading(line.rowsRead, line.rowsExpected);
            return;
        case wire::LineKind::Count:
            if (m_started)
                malformed("conteggio ripetuto");
            if (line.rowCount > std::numeric_limits<int>::max())
                malformed("troppe righe");
            m_started = true;
            m_expectedRows = line.rowCount;
            m_columns = line.columnCount;
            if (m_callbacks.started)
                m_callbacks.started(static_cast<int>(m_expectedRows));
            return;
        case wire::LineKind::Row:
            if (!m_started)
                malformed("riga prima del conteggio");
            if (m_rows == m_expectedRows)
                malformed("più righe di quelle annunciate");
            if (line.fields.size() != static_cast<std::size_t>(m_columns))
                malformed("numero di campi errato in una riga");
            ++m_rows;
            if (m_callbacks.row)
                m_callbacks.row(line.fields);
            return;
        case wire::LineKind::End:
            if (!m_started)
                malformed("fine senza conteggio");
            if (m_rows != m_expectedRows)
                malformed("meno righe di quelle annunciate");
            m_ended = true;
            return;
        }
    }

    const QueryCallbacks& m_callbacks;
    std::string m_pending;
    bool m_started = false;
    bool m_ended = false;
    bool m_failed = false;
    bool m_damaged = false;
    long long m_expectedRows = 0;
    long long m_rows = 0;
    int m_columns = 0;
    std::string m_errorMessage;
};

std::string describeStatus(int status) {
    if (WIFSIGNALED(status))
        return "è terminato in modo anomalo (segnale " + std::to_string(WTERMSIG(status)) + ")";
    if (WIFEXITED(status))
        return "è terminato con codice " + std::to_string(WEXITSTATUS(status));
    return "è terminato in modo anomalo";
}

std::string silenceMessage(std::chrono::milliseconds limit, const std::string& databasePath) {
    return "il programma di lettura non ha risposto per " + std::to_string(limit.count()) + " ms leggendo " +
           databasePath + ": lettura interrotta";
}

} // namespace

void runArchiveQuery(const std::string& readerProgram, const std::string& databasePath,
                     const std::string& sql, const QueryCallbacks& callbacks,
                     std::chrono::milliseconds silenceLimit) {
    ReaderProcess process(readerProgram, databasePath, sql);
    ReplyParser parser(callbacks);

    Clock::time_point deadline = Clock::now() + silenceLimit;
    char buffer[1 << 16];
    for (;;) {
        // The limit is checked on the clock itself and the wait rounded up: truncating to whole
        // milliseconds would give up to a millisecond before the limit.
        const Clock::time_point now = Clock::now();
        if (now >= deadline) {
            process.killNow();
            throw JetError(silenceMessage(silenceLimit, databasePath));
        }
        const auto remaining = std::chrono::ceil<std::chrono::milliseconds>(deadline - now).count();
        pollfd watched{process.output(), POLLIN, 0};
        const int ready = poll(&watched, 1, static_cast<int>(std::min<long long>(remaining, 60'000)));
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            throw JetError(systemError("lettura dal programma di lettura fallita", errno));
        }
        if (ready == 0)
            continue;
        const ssize_t got = read(process.output(), buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR || errno == EAGAIN)
                continue;
            throw JetError(systemError("lettura dal programma di lettura fallita", errno));
        }
        if (got == 0)
            break;
        if (parser.feed(std::string_view(buffer, static_cast<std::size_t>(got))))
            deadline = Clock::now() + silenceLimit;
        if (parser.ended() || parser.failed())
            break;
    }
    parser.finish();
    process.closeOutput();

    bool timedOut = false;
    const int status = process.waitUntil(Clock::now() + silenceLimit, timedOut);
    if (parser.damaged())
        throw DamagedArchiveError(parser.errorMessage());
    if (parser.failed())
        throw JetError(parser.errorMessage());
    if (timedOut)
        throw JetError(silenceMessage(silenceLimit, databasePath));
    if (!parser.ended()) {
        const bool cleanExit = WIFEXITED(status) && WEXITSTATUS(status) == 0;
        throw JetError("il programma di lettura " + describeStatus(status) + " leggendo " + databasePath +
                       (cleanExit ? " senza completare i dati" : ""));
    }
    if (!(WIFEXITED(status) && WEXITSTATUS(status) == 0))
        throw JetError("il programma di lettura " + describeStatus(status) + " dopo aver letto " +
                       databasePath);
}

} // namespace jet
