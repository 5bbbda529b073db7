#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// One run of a program of the build's program folder: exit code (-1 when it crashed or hung) and what it
// printed.
struct ToolRun {
    int exitCode = -1;
    QString out;
    QString err;
};

inline ToolRun runProgram(const QString& name, const QStringList& arguments,
                          QProcessEnvironment environment = QProcessEnvironment::systemEnvironment()) {
    environment.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(VELTRANO_PROGRAM_DIR "/") + name, arguments);
    ToolRun run;
    if (!process.waitForFinished(120'000))
        return run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}
