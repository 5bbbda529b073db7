#include "ArchiveExport.h"

#include <ImportCommand.h>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
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

} // namespace

// Kills the updating process at every system call it makes once it has started, and checks the archive
// each time: either the old file or the new one, byte for byte, both of which mdbtools reads.
TEST(ArchiveKill, AKilledUpdateLeavesTheOldArchiveOrTheNewOneWhole) {
    const QString strace = QStandardPaths::findExecutable(QStringLiteral("strace"));
    if (strace.isEmpty() || QProcess::execute(strace, {"-o", "/dev/null", "true"}) != 0)
        GTEST_SKIP() << "strace is missing or cannot trace here";
    ASSERT_FALSE(mdbExportProgram().isEmpty());
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString archive = dir.filePath("Dbarcomax.mdb");
    const QString old = dir.filePath("old.txt");
    const QString fresh = dir.filePath("nuove.txt");
    writeAll(old, oldHistory().toUtf8());
    writeAll(fresh, "2020/02/10\tBA\t10\t40\t70\t88\t85\n" // a correction
                    "2020/03/02\tBA\t1\t2\t3\t4\t5\n2020/03/02\tCA\t6\t7\t8\t9\t10\n"
                    "2020/03/05\tBA\t11\t12\t13\t14\t15\n2020/03/05\tRN\t16\t17\t18\t19\t20\n");

    std::ostringstream out, err;
    ASSERT_EQ(storico::runImport({"--output", archive.toStdString(), old.toStdString()}, out, err), 0)
        << err.str();
    const QByteArray oldBytes = readAll(archive);
    const QStringList update{"--aggiorna", archive, fresh};
    const auto environment = [] {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("ASAN_OPTIONS", "detect_leaks=0");
        return env;
    }();
    const auto runTraced = [&](const QStringList& straceArgs) {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(strace, straceArgs + QStringList{Importer} + update);
        EXPECT_TRUE(process.waitForFinished(30000));
        return process.exitCode();
    };
    const auto restoreOld = [&] {
        for (const QString& name :
             QDir(dir.path()).entryList({"*.bak", ".Dbarcomax.mdb.*"}, QDir::Files | QDir::Hidden))
            QFile::remove(dir.filePath(name));
        writeAll(archive, oldBytes);
    };

    const QString trace = dir.filePath("trace.txt");
    EXPECT_EQ(runTraced({"-o", trace}), 0);
    const QByteArray newBytes = readAll(archive);
    ASSERT_NE(newBytes, oldBytes);
    for (const QByteArray* whole : {&oldBytes, &newBytes}) {
        const QString copy = dir.filePath("copy.mdb");
        writeAll(copy, *whole);
        const Export exported = exportArchive(copy);
        ASSERT_TRUE(exported.ok) << exported.error;
        EXPECT_EQ(exported.rows.size(), whole == &oldBytes ? 28u : 30u);
    }

    const std::vector<KillPoint> points = killPoints(trace, fresh);
    ASSERT_GE(points.size(), 200u);
    int endedOld = 0, endedNew = 0;
    for (const KillPoint& point : points) {
        restoreOld();
        const QString inject = QStringLiteral("%1:signal=KILL:when=%2").arg(point.call).arg(point.n);
        runTraced({"-o", "/dev/null", "-e", "trace=" + point.call, "-e", "inject=" + inject});
        const QByteArray after = readAll(archive);
        const bool isOld = after == oldBytes;
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
TEST(ArchiveKill, FullDiskOrFailedFlushIsReportedAndTheOldArchiveStays) {
    const QString strace = QStandardPaths::findExecutable(QStringLiteral("strace"));
    if (strace.isEmpty() || QProcess::execute(strace, {"-o", "/dev/null", "true"}) != 0)
        GTEST_SKIP() << "strace is missing or cannot trace here";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString archive = dir.filePath("Dbarcomax.mdb");
    const QString old = dir.filePath("old.txt");
    const QString fresh = dir.filePath("nuove.txt");
    writeAll(old, oldHistory().toUtf8());
    writeAll(fresh, "2020/03/02\tBA\t1\t2\t3\t4\t5\n2020/03/02\tCA\t6\t7\t8\t9\t10\n");
    std::ostringstream out, err;
    ASSERT_EQ(storico::runImport({"--output", archive.toStdString(), old.toStdString()}, out, err), 0);
    const QByteArray oldBytes = readAll(archive);

    const auto environment = [] {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("ASAN_OPTIONS", "detect_leaks=0");
        return env;
    }();
    const auto runStraced = [&](QProcess& process, const QStringList& straceArgs) {
        process.setProcessEnvironment(environment);
        process.start(strace, straceArgs + QStringList{Importer, "--aggiorna", archive, fresh});
        EXPECT_TRUE(process.waitForFinished(30000));
    };
    // The helper process and the pipes to it write too: the fault goes to the call that writes or
    // flushes the new archive, found in a first traced run.
    const QString trace = dir.filePath("trace.txt");
    {
        QProcess traced;
        runStraced(traced, {"-o", trace, "-e", "trace=write,fsync"});
        writeAll(archive, oldBytes);
        for (const QString& name : QDir(dir.path()).entryList({"*.bak"}, QDir::Files))
            QFile::remove(dir.filePath(name));
    }
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
         {Fault{"write", callNumber("write", "Standard Jet DB"), "ENOSPC", "No space left on device"},
          Fault{"fsync", callNumber("fsync", {}), "EIO", "Input/output error"}}) {
        SCOPED_TRACE(fault.call.toStdString());
        ASSERT_GT(fault.n, 0);
        QProcess process;
        runStraced(
            process,
            {"-o", "/dev/null", "-e", "trace=" + fault.call, "-e",
             QStringLiteral("inject=%1:error=%2:when=%3").arg(fault.call).arg(fault.error).arg(fault.n)});
        EXPECT_EQ(process.exitCode(), 1);
        const QString errors = QString::fromUtf8(process.readAllStandardError());
        EXPECT_TRUE(errors.contains(fault.says)) << errors.toStdString();
        EXPECT_EQ(readAll(archive), oldBytes);
        EXPECT_EQ(QDir(dir.path()).entryList({"*.bak", ".Dbarcomax.mdb.*"}, QDir::Files | QDir::Hidden),
                  QStringList());
    }
}
