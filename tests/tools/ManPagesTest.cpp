// Every shipped command has a man page a user can read: the sections in their order, every option the
// command's --help offers and none it does not, two to four examples, the exit codes; rendered at 80
// columns by man without a warning and without a line past the edge.

#include "ProgramRun.h"
#include "ShippedCommands.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {

QString readText(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

// The long options a text names, "--name" in --help, "\-\-name" in a page.
QSet<QString> longOptions(QString text) {
    text.replace(QStringLiteral("\\-"), QStringLiteral("-"));
    QSet<QString> options;
    const QRegularExpression option(QStringLiteral("(?<![\\w-])--([a-z][a-z-]*[a-z])"));
    for (auto it = option.globalMatch(text); it.hasNext();)
        options.insert(it.next().captured(1));
    return options;
}

// A section of a page: from its .SH line to the next.
QString section(const QString& page, const QString& title) {
    const qsizetype start = page.indexOf(QStringLiteral("\n.SH ") + title + QLatin1Char('\n'));
    if (start < 0)
        return {};
    const qsizetype end = page.indexOf(QStringLiteral("\n.SH "), start + 1);
    return page.mid(start, end < 0 ? -1 : end - start);
}

const QStringList Sections{QStringLiteral("NOME"),        QStringLiteral("SINTASSI"),
                           QStringLiteral("DESCRIZIONE"), QStringLiteral("OPZIONI"),
                           QStringLiteral("ESEMPI"),      QStringLiteral("\"STATO DI USCITA\""),
                           QStringLiteral("FILE"),        QStringLiteral("\"VEDERE ANCHE\"")};

TEST(ManPages, EachCommandsPageHasItsSectionsOptionsExamplesAndExitCodes) {
    const QStringList commands = shippedCommands();
    ASSERT_FALSE(commands.isEmpty());
    for (const QString& command : commands) {
        SCOPED_TRACE(command.toStdString());
        const QString page =
            readText(QStringLiteral(VELTRANO_BUILD_DIR "/packaging/man/") + command + QStringLiteral(".1"));
        ASSERT_FALSE(page.isEmpty()) << "no page";
        EXPECT_FALSE(page.contains(QLatin1Char('@'))) << "a placeholder left unreplaced";

        QStringList found;
        const QRegularExpression heading(QStringLiteral("^\\.SH (.*)$"), QRegularExpression::MultilineOption);
        for (auto it = heading.globalMatch(page); it.hasNext();)
            found << it.next().captured(1);
        EXPECT_EQ(found, Sections);

        const ToolRun help = runProgram(command, {QStringLiteral("--help")});
        ASSERT_EQ(help.exitCode, 0);
        EXPECT_EQ(longOptions(section(page, QStringLiteral("OPZIONI"))), longOptions(help.out));
        // Every usage form of --help is in SINTASSI.
        for (const QString& line : help.out.split(QLatin1Char('\n'))) {
            const QString form =
                line.startsWith(QStringLiteral("Uso: ")) ? line.mid(5).trimmed()
                : line.startsWith(QStringLiteral("     ")) && line.trimmed().startsWith(command)
                    ? line.trimmed()
                    : QString();
            if (form.isEmpty())
                continue;
            const QSet<QString> formOptions = longOptions(form);
            for (const QString& option : formOptions)
                EXPECT_TRUE(section(page, QStringLiteral("SINTASSI"))
                                .contains(QStringLiteral("\\-\\-") + QString(option).replace('-', "\\-")))
                    << option.toStdString();
        }

        const qsizetype examples = section(page, QStringLiteral("ESEMPI")).count(QStringLiteral("\n$ "));
        EXPECT_GE(examples, 2);
        EXPECT_LE(examples, 4);
        const QString exits = section(page, QStringLiteral("\"STATO DI USCITA\""));
        EXPECT_TRUE(exits.contains(QStringLiteral("\n.B 0\n")));
        if (command != QStringLiteral("veltrano")) {
            for (const char* code : {"\n.B 1\n", "\n.B 2\n"})
                EXPECT_TRUE(exits.contains(QLatin1String(code))) << code;
        }
        EXPECT_TRUE(section(page, QStringLiteral("FILE")).contains(QStringLiteral("veltrano")));
    }
}

TEST(ManPages, RenderAtEightyColumnsWithoutWarningsOrLongLines) {
    if (QStandardPaths::findExecutable(QStringLiteral("man")).isEmpty())
        GTEST_SKIP() << "no man";
    for (const QString& command : shippedCommands()) {
        SCOPED_TRACE(command.toStdString());
        QProcess man;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("MANWIDTH"), QStringLiteral("80"));
        environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
        man.setProcessEnvironment(environment);
        man.start(QStringLiteral("man"),
                  {QStringLiteral("--warnings"), QStringLiteral("-E"), QStringLiteral("UTF-8"),
                   QStringLiteral("-P"), QStringLiteral("cat"), QStringLiteral("-l"),
                   QStringLiteral(VELTRANO_BUILD_DIR "/packaging/man/") + command + QStringLiteral(".1")});
        ASSERT_TRUE(man.waitForFinished(60'000));
        EXPECT_EQ(man.exitCode(), 0);
        EXPECT_EQ(QString::fromUtf8(man.readAllStandardError()), QString());
        const QString shown = QString::fromUtf8(man.readAllStandardOutput());
        EXPECT_GT(shown.size(), 500);
        for (const QString& line : shown.split(QLatin1Char('\n')))
            EXPECT_LE(line.size(), 80) << line.toStdString();
    }
}

} // namespace
