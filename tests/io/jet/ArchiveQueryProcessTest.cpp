// How runArchiveQuery treats the reader process itself, with small shell scripts standing in for the
// reader: silence, crashes, broken output, streaming, and callbacks that throw.

#include "io/jet/ArchiveQuery.h"
#include "io/jet/JetError.h"

#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <sys/types.h>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// The scripted readers sleep 30 s when they hang: an answer within this bound shows the reader was
// stopped, with room for a machine busy building in parallel.
constexpr auto kStopped = 10s;
// For readers that answer and end: a silence limit that only a hang reaches.
constexpr auto kPatient = 10s;

class FakeReader : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    std::string path(const char* name) const { return m_dir.filePath(name).toStdString(); }

    // A reader script; $PIDFILE and $DIR are set for it. It records its pid first.
    std::string script(const std::string& body) {
        const std::string file = path("reader.sh");
        QFile out(QString::fromStdString(file));
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        const std::string text =
            "#!/bin/sh\nDIR='" + m_dir.path().toStdString() + "'\necho $$ > \"$DIR/pid\"\n" + body;
        out.write(text.data(), static_cast<qint64>(text.size()));
        out.close();
        out.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        return file;
    }

    pid_t readerPid() const {
        QFile file(m_dir.filePath("pid"));
        if (!file.open(QIODevice::ReadOnly))
            return -1;
        return static_cast<pid_t>(file.readAll().trimmed().toLongLong());
    }

    // A zombie still answers kill(pid, 0); only a reaped process is gone.
    void expectReaped() const {
        const pid_t pid = readerPid();
        ASSERT_GT(pid, 0);
        errno = 0;
        EXPECT_EQ(kill(pid, 0), -1) << "reader " << pid << " is still there (running or a zombie)";
        EXPECT_EQ(errno, ESRCH);
    }

    struct Outcome {
        int started = -1;
        std::vector<std::vector<jet::QueryField>> rows;
        std::string error;
        Clock::duration elapsed{};
    };

    Outcome run(const std::string& reader, std::chrono::milliseconds silence) {
        Outcome outcome;
        jet::QueryCallbacks callbacks;
        callbacks.started = [&](int count) { outcome.started = count; };
        callbacks.row = [&](const std::vector<jet::QueryField>& row) { outcome.rows.push_back(row); };
        const auto start = Clock::now();
        try {
            jet::runArchiveQuery(reader, "archivio.mdb", "SELECT T.a From T ORDER BY T.a", callbacks,
                                 silence);
        } catch (const jet::JetError& error) {
            outcome.error = error.what();
            if (outcome.error.empty())
                outcome.error = "(empty message)";
        }
        outcome.elapsed = Clock::now() - start;
        return outcome;
    }

    QTemporaryDir m_dir;
};

TEST_F(FakeReader, WellFormedReplyReachesTheCallbacks) {
    const Outcome outcome =
        run(script("printf 'COUNT 2 2\\nROW\\tTx\\tN\\nROW\\tD3ff0000000000000\\tTy\\nEND\\n'\n"), kPatient);
    ASSERT_EQ(outcome.error, "");
    EXPECT_EQ(outcome.started, 2);
    ASSERT_EQ(outcome.rows.size(), 2u);
    EXPECT_EQ(outcome.rows[0][0].text, "x");
    EXPECT_TRUE(outcome.rows[0][1].isNull);
    EXPECT_TRUE(outcome.rows[1][0].isDate);
    EXPECT_EQ(outcome.rows[1][0].date, 1.0);
    EXPECT_EQ(outcome.rows[1][1].text, "y");
    expectReaped();
}

TEST_F(FakeReader, CompleteReplySucceedsWhenTheHostIgnoresSigchld) {
    // With SIGCHLD ignored the kernel reaps the reader itself and its exit status is lost.
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    struct sigaction previous {};
    ASSERT_EQ(sigaction(SIGCHLD, &ignore, &previous), 0);
    const Outcome complete = run(script("printf 'COUNT 1 1\\nROW\\tTa\\nEND\\n'\n"), kPatient);
    const Outcome cut = run(script("printf 'COUNT 2 1\\nROW\\tTa\\n'\n"), kPatient);
    sigaction(SIGCHLD, &previous, nullptr);
    EXPECT_EQ(complete.error, "");
    EXPECT_EQ(complete.rows.size(), 1u);
    EXPECT_NE(cut.error, "");
}

TEST_F(FakeReader, SilentReaderIsKilledAfterTheSilenceLimitAndReaped) {
    const Outcome outcome = run(script("exec sleep 30\n"), 300ms);
    EXPECT_NE(outcome.error.find("non ha risposto"), std::string::npos) << outcome.error;
    EXPECT_GE(outcome.elapsed, 300ms);
    EXPECT_LT(outcome.elapsed, kStopped);
    expectReaped();
}

TEST_F(FakeReader, ReaderThatStallsMidwayFailsAfterDeliveringWhatCame) {
    const Outcome outcome = run(script("printf 'COUNT 3 1\\nROW\\tTa\\n'\nexec sleep 30\n"), 1000ms);
    EXPECT_NE(outcome.error.find("non ha risposto"), std::string::npos) << outcome.error;
    EXPECT_EQ(outcome.started, 3);
    EXPECT_EQ(outcome.rows.size(), 1u);
    EXPECT_LT(outcome.elapsed, kStopped);
    expectReaped();
}

TEST_F(FakeReader, EachRowOrNewsOfTheReadingRestartsTheSilenceClock) {
    // Twelve lines 200 ms apart take longer than the two-second limit in all, but no gap comes near it:
    // rows, or news of a long reading before the rows.
    const std::string rows =
        "printf 'COUNT 12 1\\n'\n"
        "for i in 1 2 3 4 5 6 7 8 9 10 11 12; do sleep 0.2; printf 'ROW\\tT%s\\n' $i; done\n"
        "printf 'END\\n'\n";
    const std::string news =
        "for i in 1 2 3 4 5 6 7 8 9 10 11 12; do sleep 0.2; printf 'PROGRESS %s 12\\n' $i; done\n"
        "printf 'COUNT 1 1\\nROW\\tTa\\nEND\\n'\n";
    for (const bool withNews : {false, true}) {
        const std::string& body = withNews ? news : rows;
        std::vector<std::pair<long long, long long>> reading;
        const auto start = Clock::now();
        std::string error;
        jet::QueryCallbacks callbacks;
        callbacks.reading = [&](long long read, long long expected) { reading.emplace_back(read, expected); };
        try {
            jet::runArchiveQuery(script(body), "archivio.mdb", "x", callbacks, 2000ms);
        } catch (const jet::JetError& e) {
            error = e.what();
        }
        EXPECT_EQ(error, "") << body;
        EXPECT_GT(Clock::now() - start, 2000ms) << body;
        if (withNews) {
            ASSERT_EQ(reading.size(), 12u);
            EXPECT_EQ(reading.front(), std::make_pair(1LL, 12LL));
            EXPECT_EQ(reading.back(), std::make_pair(12LL, 12LL));
        } else {
            EXPECT_TRUE(reading.empty());
        }
    }
}

TEST_F(FakeReader, SilenceAfterTheLastRowWhileExitingIsAlsoBounded) {
    // The reader sends everything but never exits: the program must not wait forever for it.
    const Outcome outcome = run(script("printf 'COUNT 1 1\\nROW\\tTa\\nEND\\n'\nexec sleep 30 >&-\n"), 300ms);
    EXPECT_NE(outcome.error, "");
    EXPECT_LT(outcome.elapsed, kStopped);
    expectReaped();
}

TEST_F(FakeReader, RowsReachTheCallbackBeforeTheReaderFinishes) {
    // The reader sends the second row only after the first one has reached the callback (it waits
    // for a file that the callback creates); a client that buffered the whole reply would never see
    // the file appear and the reader would give up with exit code 7.
    const std::string reader = script("printf 'COUNT 2 1\\nROW\\tTfirst\\n'\n"
                                      "i=0\n"
                                      "while [ ! -e \"$DIR/go\" ]; do\n"
                                      "  i=$((i+1)); [ $i -gt 300 ] && exit 7; sleep 0.01\n"
                                      "done\n"
                                      "printf 'ROW\\tTsecond\\nEND\\n'\n");
    const std::string go = path("go");
    std::vector<std::string> seen;
    jet::QueryCallbacks callbacks;
    callbacks.row = [&](const std::vector<jet::QueryField>& row) {
        seen.push_back(row.at(0).text);
        QFile flag(QString::fromStdString(go));
        ASSERT_TRUE(flag.open(QIODevice::WriteOnly));
    };
    EXPECT_NO_THROW(jet::runArchiveQuery(reader, "a.mdb", "x", callbacks, 5s));
    EXPECT_EQ(seen, (std::vector<std::string>{"first", "second"}));
}

TEST_F(FakeReader, CallbackThatThrowsStopsTheReaderAndTheExceptionComesOut) {
    const std::string reader = script("printf 'COUNT 2 1\\nROW\\tTa\\n'\nexec sleep 30\n");
    jet::QueryCallbacks callbacks;
    callbacks.row = [](const std::vector<jet::QueryField>&) { throw std::logic_error("stop here"); };
    const auto start = Clock::now();
    try {
        jet::runArchiveQuery(reader, "a.mdb", "x", callbacks, 10s);
        FAIL() << "the callback's exception was swallowed";
    } catch (const std::logic_error& error) {
        EXPECT_STREQ(error.what(), "stop here");
    }
    EXPECT_LT(Clock::now() - start, kStopped);
    expectReaped();
}

TEST_F(FakeReader, StartedCallbackThatThrowsAlsoStopsTheReader) {
    const std::string reader = script("printf 'COUNT 2 1\\n'\nexec sleep 30\n");
    jet::QueryCallbacks callbacks;
    callbacks.started = [](int) { throw std::runtime_error("no room"); };
    EXPECT_THROW(jet::runArchiveQuery(reader, "a.mdb", "x", callbacks, 10s), std::runtime_error);
    expectReaped();
}

TEST_F(FakeReader, ReaderKilledBySignalIsAnError) {
    for (const char* signal : {"KILL", "SEGV", "ABRT"}) {
        const Outcome outcome =
            run(script(std::string("printf 'COUNT 2 1\\nROW\\tTa\\n'\nkill -") + signal + " $$\n"), kPatient);
        EXPECT_NE(outcome.error.find("segnale"), std::string::npos) << signal << ": " << outcome.error;
        expectReaped();
    }
}

TEST_F(FakeReader, ErrorLineBecomesTheMessage) {
    const Outcome outcome =
        run(script("printf 'ERROR\\tla tabella EstrazioniLotto non esiste\\n'\nexit 1\n"), kPatient);
    EXPECT_EQ(outcome.error, "la tabella EstrazioniLotto non esiste");
    EXPECT_EQ(outcome.started, -1);
}

TEST_F(FakeReader, OnlyADamageLineIsADamagedArchive) {
    const auto kindOf = [&](const std::string& reply) -> std::string {
        try {
            jet::runArchiveQuery(script(reply), "a.mdb", "x", {}, kPatient);
        } catch (const jet::DamagedArchiveError& e) {
            return std::string("damage: ") + e.what();
        } catch (const jet::JetError& e) {
            return std::string("error: ") + e.what();
        }
        return "read";
    };
    EXPECT_EQ(kindOf("printf 'DAMAGE\\tla pagina 7 è tutta a zero\\n'\nexit 1\n"),
              "damage: la pagina 7 è tutta a zero");
    EXPECT_EQ(kindOf("printf 'ERROR\\tla tabella X non esiste\\n'\nexit 1\n"),
              "error: la tabella X non esiste");
    EXPECT_EQ(kindOf("printf 'COUNT 0 1\\nEND\\n'\n"), "read");
}

TEST_F(FakeReader, ErrorAfterSomeRowsStillFails) {
    const Outcome outcome =
        run(script("printf 'COUNT 2 1\\nROW\\tTa\\nERROR\\triga danneggiata\\n'\nexit 1\n"), kPatient);
    EXPECT_EQ(outcome.error, "riga danneggiata");
    EXPECT_EQ(outcome.rows.size(), 1u);
}

TEST_F(FakeReader, MalformedRepliesAreErrors) {
    const std::vector<std::string> replies = {
        "printf 'hello\\n'",                                     // not the protocol
        "printf 'COUNT 2 1\\nROW\\tTa\\nEND\\n'",                // fewer rows than announced
        "printf 'COUNT 1 1\\nROW\\tTa\\nROW\\tTb\\nEND\\n'",     // more rows than announced
        "printf 'COUNT 1 2\\nROW\\tTa\\nEND\\n'",                // wrong number of fields
        "printf 'ROW\\tTa\\nCOUNT 1 1\\nEND\\n'",                // row before the count
        "printf 'COUNT 1 1\\nCOUNT 1 1\\nROW\\tTa\\nEND\\n'",    // count twice
        "printf 'COUNT 1 1\\nROW\\tTa\\nEND\\nROW\\tTb\\n'",     // data after the end
        "printf 'COUNT 1 1\\nROW\\tTa'",                         // cut in the middle of a line
        "printf 'COUNT 1 1\\nROW\\tQa\\nEND\\n'",                // unknown field kind
        "printf 'COUNT 1 1\\nPROGRESS 1 1\\nROW\\tTa\\nEND\\n'", // news of the reading after the count
        "printf ''",                                             // nothing at all
    };
    for (const std::string& reply : replies) {
        const Outcome outcome = run(script(reply + "\n"), kPatient);
        EXPECT_NE(outcome.error, "") << reply;
        expectReaped();
    }
}

TEST_F(FakeReader, NonZeroExitIsAnErrorEvenAfterACompleteReply) {
    const Outcome withoutEnd = run(script("printf 'COUNT 0 1\\n'\nexit 3\n"), kPatient);
    EXPECT_NE(withoutEnd.error.find("codice 3"), std::string::npos) << withoutEnd.error;
    const Outcome afterEnd = run(script("printf 'COUNT 0 1\\nEND\\n'\nexit 4\n"), kPatient);
    EXPECT_NE(afterEnd.error.find("codice 4"), std::string::npos) << afterEnd.error;
}

TEST_F(FakeReader, MissingReaderProgramIsAnErrorNamingIt) {
    const std::string missing = path("no-such-reader");
    const Outcome outcome = run(missing, 1s);
    EXPECT_NE(outcome.error.find(missing), std::string::npos) << outcome.error;
}

} // namespace
