#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {

// The libraries the dynamic loader gives a program of the program folder, as ldd lists them.
QString loadedLibraries(const QString& name) {
    QProcess ldd;
    ldd.start(QStringLiteral("ldd"), {QDir(QStringLiteral(VELTRANO_PROGRAM_DIR)).filePath(name)});
    if (!ldd.waitForFinished(30000) || ldd.exitCode() != 0)
        return {};
    return QString::fromLocal8Bit(ldd.readAllStandardOutput());
}

// The command-line tools run on plain data: neither Qt Gui nor Qt Widgets is loaded to start them.
TEST(ToolLinks, CommandLineToolsLoadNeitherQtGuiNorWidgets) {
    if (QStandardPaths::findExecutable(QStringLiteral("ldd")).isEmpty())
        GTEST_SKIP() << "no ldd";
    for (const char* tool : {"veltrano-analisi", "veltrano-collaudo", "veltrano-importa", "veltrano-crea-db",
                             "veltrano-lettore"}) {
        const QString libraries = loadedLibraries(QLatin1String(tool));
        ASSERT_FALSE(libraries.isEmpty()) << tool;
        EXPECT_FALSE(libraries.contains(QStringLiteral("libQt6Gui"))) << tool;
        EXPECT_FALSE(libraries.contains(QStringLiteral("libQt6Widgets"))) << tool;
    }
}

} // namespace
