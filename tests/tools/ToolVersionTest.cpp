// Every command the package puts in /usr/bin (packaging/commands.txt) answers --version with the
// project's one version number and --help with its Italian usage on stdout, without a display and
// without touching its options.

#include "ProgramRun.h"
#include "ShippedCommands.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace {

ToolRun ask(const QString& command, const QStringList& arguments) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // The program itself must answer before it looks for a display.
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    return runProgram(command, arguments, environment);
}

TEST(ShippedCommands, AnswerVersionWithTheProjectVersionAndHelpWithTheirUsage) {
    const QStringList commands = shippedCommands();
    ASSERT_TRUE(commands.contains(QStringLiteral("veltrano-statistiche")))
        << commands.join(' ').toStdString();
    for (const QString& command : commands) {
        const std::string name = command.toStdString();
        SCOPED_TRACE(name);
        // Options before --version do not matter; a missing --output is not complained about.
        for (const QStringList& arguments :
             {QStringList{QStringLiteral("--version")},
              QStringList{QStringLiteral("--help"), QStringLiteral("--version")}}) {
            const ToolRun version = ask(command, arguments);
            EXPECT_EQ(version.exitCode, 0) << version.err.toStdString();
            EXPECT_EQ(version.out, command + QStringLiteral(" (Veltrano) " VELTRANO_VERSION "\n"));
            EXPECT_EQ(version.err, QString());
        }
        const ToolRun help = ask(command, {QStringLiteral("--help")});
        EXPECT_EQ(help.exitCode, 0) << help.err.toStdString();
        EXPECT_TRUE(help.out.startsWith(QStringLiteral("Uso: ") + command + QLatin1Char(' ')))
            << help.out.left(80).toStdString();
        EXPECT_TRUE(help.out.contains(QStringLiteral("--version"))) << name;
        EXPECT_EQ(help.err, QString());
    }
}

} // namespace
