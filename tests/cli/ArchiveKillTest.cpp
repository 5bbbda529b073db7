#include "ArchiveExport.h"
#include "cli/ImportCommand.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>
#include <initializer_list>
#include <map>
#include <sstream>

using namespace archive_export;

namespace {

const QString Importer = QStringLiteral(VELTRANO_PROGRAM_DIR "/veltrano-importa");

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

QString oldHistory() {
    QString text;
    const char* wheels[] = {"BA", "CA", "FI", "RM", "RN"};
    for (int day = 1; day <= 28; ++day)
        for (int w = 0; w < 5; ++w) {
            text += QStringLiteral("2020/02/%1\t%2")
                        .arg(day, 2, 10, QLatin1Char('0'))
                        .arg(QLatin1String(wheels[w]));
            // Five numbers 18 apart on the circle 1-90: always different.
            for (int k = 0; k < 5; ++k)
                text += QStringLiteral("\t%1").arg((day + 18 * k + w) % 90 + 1);
            text += QLatin1Char('\n');
        }
    return text;
}

// A kill point: the process dies on entering the n-th call of one system call.
struct KillPoint {
    QString call;
    int n = 0;
};

// The calls the importer makes after it starts reading its input, each numbered among the calls of
// the same name since the program began: every one is a place where a crash could strike.
std::vector<KillPoint> killPoints(const QString& traceFile, const QString& firstInput) {
    QFile file(traceFile);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QRegularExpression call(QStringLiteral("^([a-z0-9_]+)\\("));
    std::map<QString, int> seen;
    std::vector<KillPoint> points;
    bool started = false;
    for (const QByteArray& raw : file.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw);
        const auto match = call.match(line);
        if (!match.hasMatch())
            continue;
        const QString name = match.captured(1);
        const int n = ++seen[name];
        if (!started && name == QLatin1String("openat") && line.contains(firstInput))
            started = true;
        if (started && name != QLatin1String("exit_group"))
            points.push_back({name, n});
    }
    return points;
}

// The importer updating an archive of 28 draws with a correction and two new draws, run under strace,
// which stops it or fails one of its system calls on request.
class ArchiveKill : public ::testing::Test {
protected:
    QString m_strace;
    QTemporaryDir m_dir;
    QString m_archive;
    QString m_fresh;
    QByteArray m_oldBytes;

    void SetUp() override {
        m_strace = QStandardPaths::findExecutable(QStringLiteral("strace"));
        if (m_strace.isEmpty() || QProcess::execute(m_strace, {"-o", "/dev/null", "true"}) != 0)
            GTEST_SKIP() << "strace is missing or cannot trace here";
        ASSERT_TRUE(m_dir.isValid());
        m_archive = m_dir.filePath("Dbarcomax.mdb");
        m_fresh = m_dir.filePath("nuove.txt");
        const QString old = m_dir.filePath("old.txt");
        writeAll(old, oldHistory().toUtf8());
        writeAll(m_fresh, "2020/02/10\tBA\t10\t40\t70\t88\t85\n" // a correction
                          "2020/03/02\tBA\t1\t2\t3\t4\t5\n2020/03/02\tCA\t6\t7\t8\t9\t10\n"
                          "2020/03/05\tBA\t11\t12\t13\t14\t15\n2020/03/05\tRN\t16\t17\t18\t19\t20\n");
        std::ostringstream out, err;
        ASSERT_EQ(storico::runImport({"--output", m_archive.toStdString(), old.toStdString()}, out, err), 0)
            << err.str();
        m_oldBytes = readAll(m_archive);
    }

    // Runs the update under strace with the given options; returns the exit code, and what it printed on
    // standard error through errors.
    int runUpdate(const QStringList& straceArgs, QString* errors = nullptr) {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("ASAN_OPTIONS", "detect_leaks=0");
        process.setProcessEnvironment(env);
        process.start(m_strace, straceArgs + QStringList{Importer, "--aggiorna", m_archive, m_fresh});
        EXPECT_TRUE(process.waitForFinished(30000));
        if (errors)
            *errors = QString::fromUtf8(process.readAllStandardError());
        return process.exitCode();
    }

    QStringList leftBeside() const {
        return QDir(m_dir.path()).entryList({"*.bak", ".Dbarcomax.mdb.*"}, QDir::Files | QDir::Hidden);
    }

    void restoreOld() {
        for (const QString& name : leftBeside())
            QFile::remove(m_dir.filePath(name));
        writeAll(m_archive, m_oldBytes);
    }
};

} // namespace

// Kills the updating process at every system call it makes once it has started, and checks the archive
// each time: either the old file or the new one, byte for byte, both of which mdbtools reads.
TEST_F(ArchiveKill, AKilledUpdateLeavesTheOldArchiveOrTheNewOneWhole) {
    ASSERT_FALSE(mdbExportProgram().isEmpty());
    const QString trace = m_dir.filePath("trace.txt");
    EXPECT_EQ(runUpdate({"-o", trace}), 0);
    const QByteArray newBytes = readAll(m_archive);
    ASSERT_NE(newBytes, m_oldBytes);
    for (const QByteArray* whole : {static_cast<const QByteArray*>(&m_oldBytes), &newBytes}) {
        const QString copy = m_dir.filePath("copy.mdb");
        writeAll(copy, *whole);
        const Export exported = exportArchive(copy);
        ASSERT_TRUE(exported.ok) << exported.error;
        EXPECT_EQ(exported.rows.size(), whole == &m_oldBytes ? 28u : 30u);
    }

    const std::vector<KillPoint> points = killPoints(trace, m_fresh);
    // How many calls the update makes depends on the build (a Release build makes fewer); what must hold
    // in any build is that the points reach the moments that matter: writing the new file, flushing it and
    // renaming it over the archive.
    const auto reaches = [&](std::initializer_list<const char*> calls) {
        return std::any_of(points.begin(), points.end(), [&](const KillPoint& point) {
            return std::any_of(calls.begin(), calls.end(),
                               [&](const char* c) { return point.call == QLatin1String(c); });
        });
    };
    ASSERT_TRUE(reaches({"write", "pwrite64", "writev"}));
    ASSERT_TRUE(reaches({"fsync", "fdatasync"}));
    ASSERT_TRUE(reaches({"rename", "renameat", "renameat2"}));
    int endedOld = 0, endedNew = 0;
    for (const KillPoint& point : points) {
        restoreOld();
        const QString inject = QStringLiteral("%1:signal=KILL:when=%2").arg(point.call).arg(point.n);
        runUpdate({"-o", "/dev/null", "-e", "trace=" + point.call, "-e", "inject=" + inject});
        const QByteArray after = readAll(m_archive);
        const bool isOld = after == m_oldBytes;
        const bool isNew = after == newBytes;
        EXPECT_TRUE(isOld || isNew) << "killed at " << point.call.toStdString() << " #" << point.n;
        endedOld += isOld ? 1 : 0;
        endedNew += isNew ? 1 : 0;
    }
    // Kills before the rename leave the old archive, kills after it the new one: both must have happened,
    // or the points missed the moment that matters.
    EXPECT_GT(endedOld, 0);
    EXPECT_GT(endedNew, 0);
    std::cout << points.size() << " kill points: " << endedOld << " old archive, " << endedNew << " new\n";
}

// A full disk or a failed flush while the new file is written: a clear message, the old archive as it
// was, nothing left beside it.
TEST_F(ArchiveKill, FullDiskOrFailedFlushIsReportedAndTheOldArchiveStays) {
    // The helper process and the pipes to it write too: the fault goes to the call that writes or
    // flushes the new archive, found in a first traced run.
    const QString trace = m_dir.filePath("trace.txt");
    EXPECT_EQ(runUpdate({"-o", trace, "-e", "trace=write,fsync"}), 0);
    restoreOld();
    const auto callNumber = [&](const QString& call, const QString& marker) {
        QFile file(trace);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        int n = 0;
        for (const QByteArray& line : file.readAll().split('\n')) {
            if (!line.startsWith((call + "(").toUtf8()))
                continue;
            ++n;
            if (marker.isEmpty() || line.contains(marker.toUtf8()))
                return n;
        }
        return 0;
    };

    struct Fault {
        QString call;
        int n;
        const char* error;
        const char* says;
    };
    for (const Fault& fault :
         {Fault{"write", callNumber("write", "Standard Jet DB"), "ENOSPC", "spazio esaurito sul disco"},
          Fault{"fsync", callNumber("fsync", {}), "EIO", "errore di lettura o scrittura sul disco"}}) {
        SCOPED_TRACE(fault.call.toStdString());
        ASSERT_GT(fault.n, 0);
        QString errors;
        const QString inject =
            QStringLiteral("%1:error=%2:when=%3").arg(fault.call).arg(fault.error).arg(fault.n);
        EXPECT_EQ(
            runUpdate({"-o", "/dev/null", "-e", "trace=" + fault.call, "-e", "inject=" + inject}, &errors),
            1);
        EXPECT_TRUE(errors.contains(fault.says)) << errors.toStdString();
        EXPECT_EQ(readAll(m_archive), m_oldBytes);
        EXPECT_EQ(leftBeside(), QStringList());
    }
}
