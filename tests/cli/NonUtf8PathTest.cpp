#include "ToolOnArchive.h"

#include <QProcess>
#include <QUtf8StringView>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

// A run whose last argument is a file name that is not UTF-8: the shell makes its bytes from printf's
// octal escapes, since a QProcess argument would be turned into UTF-8 on the way.
struct RawRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

RawRun runWithRawName(const char* tool, const QStringList& args, const QString& printfName) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
    environment.insert(QStringLiteral("NOME"), printfName);
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral("/bin/sh"),
                  QStringList{QStringLiteral("-c"), QStringLiteral("exec \"$@\" \"$(printf \"$NOME\")\""),
                              QStringLiteral("sh"),
                              QStringLiteral(VELTRANO_PROGRAM_DIR "/") + QLatin1String(tool)} +
                      args);
    RawRun run;
    if (!process.waitForFinished(120'000))
        return run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

class NonUtf8Path : public ToolOnArchive {
protected:
    static void SetUpTestSuite() {
        writeRandomArchive(80, 21, QDate(2005, 3, 1), [](int, int) { return false; });
    }
};

// Every tool that reads an archive opens it under a name that is not UTF-8, as it opens any other, and
// says a missing one is missing with its name escaped, in valid UTF-8.
TEST_F(NonUtf8Path, EveryToolOpensAnArchiveWhoseNameIsNotUtf8) {
    const QByteArray folder = QFile::encodeName(dir->path());
    const std::string named = folder.toStdString() + "/archivio\xe9.mdb";
    std::filesystem::copy_file(path.toStdString(), named);
    const QString printfName = dir->path() + QStringLiteral("/archivio\\351.mdb");
    const QString missing = dir->path() + QStringLiteral("/manca\\351.mdb");

    const struct {
        const char* tool;
        QStringList args;
        const char* output;
    } tools[] = {
        {"veltrano-statistiche", {"--primi", "1"}, "estrazioni\t80\n"},
        {"veltrano-collaudo", {"--colpi", "3"}, "casi\t"},
        {"veltrano-analisi", {}, "\n"},
    };
    for (const auto& t : tools) {
        SCOPED_TRACE(t.tool);
        const RawRun plain = runWithRawName(t.tool, t.args, path);
        ASSERT_EQ(plain.exitCode, 0) << plain.err.toStdString();
        const RawRun raw = runWithRawName(t.tool, t.args, printfName);
        EXPECT_EQ(raw.exitCode, 0) << raw.err.toStdString();
        EXPECT_TRUE(raw.out.contains(t.output)) << raw.out.left(200).toStdString();
        EXPECT_EQ(raw.out, plain.out);

        const RawRun absent = runWithRawName(t.tool, t.args, missing);
        EXPECT_EQ(absent.exitCode, 1);
        EXPECT_TRUE(absent.err.contains("Archivio illeggibile: " + QFile::encodeName(dir->path()) +
                                        "/manca\\xe9.mdb"))
            << absent.err.toStdString();
        EXPECT_TRUE(QUtf8StringView(absent.err).isValidUtf8());
        EXPECT_TRUE(absent.out.isEmpty());
    }
}

} // namespace
