// The launcher as `cmake --install` puts it in place: the entry passes the freedesktop validator and
// names the installed program, and the icon is there in every size the entry's menu may ask for.

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString run(const QString& program, const QStringList& arguments, int& exitCode) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(120'000)) {
        exitCode = -1;
        return process.errorString();
    }
    exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return QString::fromUtf8(process.readAll());
}

TEST(LauncherInstall, EntryValidatesAndNamesTheInstalledProgramAndIconsComeInEverySize) {
    QTemporaryDir prefix;
    ASSERT_TRUE(prefix.isValid());
    int code = 0;
    const QString installed =
        run(QStringLiteral(VELTRANO_CMAKE_COMMAND),
            {QStringLiteral("--install"), QStringLiteral(VELTRANO_BUILD_DIR), QStringLiteral("--prefix"),
             prefix.path(), QStringLiteral("--component"), QStringLiteral("launcher")},
            code);
    ASSERT_EQ(code, 0) << installed.toStdString();

    const QDir root(prefix.path());
    const QString entry = root.filePath(QStringLiteral("share/applications/veltrano.desktop"));
    QFile file(entry);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << entry.toStdString();
    const QString text = QString::fromUtf8(file.readAll());
    const QString exec = QStringLiteral("Exec=\"%1\"\n").arg(root.filePath(QStringLiteral("bin/veltrano")));
    EXPECT_TRUE(text.contains(exec)) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("\nIcon=veltrano\n"))) << text.toStdString();

    for (int side : {16, 24, 32, 48, 64, 128, 256}) {
        const QString png =
            root.filePath(QStringLiteral("share/icons/hicolor/%1x%1/apps/veltrano.png").arg(side));
        const QImage image(png);
        EXPECT_EQ(image.size(), QSize(side, side)) << png.toStdString();
        // Drawn, not blank: the logo covers the middle of the square.
        EXPECT_GT(image.pixelColor(side / 2, side / 4).alpha(), 200) << side;
    }
    EXPECT_TRUE(
        QFile::exists(root.filePath(QStringLiteral("share/icons/hicolor/scalable/apps/veltrano.svg"))));

    const QString validator = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    if (validator.isEmpty())
        GTEST_SKIP() << "desktop-file-validate is not installed (package desktop-file-utils)";
    const QString report = run(validator, {entry}, code);
    EXPECT_EQ(code, 0) << report.toStdString();
    EXPECT_EQ(report.trimmed(), QString()) << report.toStdString();
}

} // namespace
