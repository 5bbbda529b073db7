// Every command-line tool answers alike, as the README says: 0 with --version (one line) and --help (the
// usage on stdout); 2 with one line on stderr and where the help is for a bad command line (an unknown
// option, a missing value, a bad value), the first two in the same words everywhere; 1 with one line
// naming the file when the archive it is given is a folder or an empty file. Nothing on stdout but the
// answer asked for.

#include "ArchiveFixtures.h"
#include "ProgramRun.h"

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

enum class Answer { Version, Help, BadLine, Failure };

struct Call {
    const char* tool;
    const char* what;
    QStringList arguments; // ARCHIVIO, CARTELLA, VUOTO, STORICO, NUOVO: the test's files
    Answer answer;
    QString message;             // a bad line's one line after "<tool>: ", when every tool says it alike
    const char* named = nullptr; // the file a failure names
};

std::vector<Call> calls() {
    std::vector<Call> c;
    for (const char* tool : {"veltrano-importa", "veltrano-analisi", "veltrano-collaudo",
                             "veltrano-statistiche", "veltrano-crea-db", "veltrano-campione"}) {
        c.push_back({tool, "--version", {"--version"}, Answer::Version, {}});
        c.push_back({tool, "--help", {"--help"}, Answer::Help, {}});
        c.push_back({tool,
                     "unknown option",
                     {"--sconosciuta", "ARCHIVIO"},
                     Answer::BadLine,
                     "Opzione sconosciuta: --sconosciuta"});
    }
    for (const char* tool : {"veltrano-analisi", "veltrano-collaudo", "veltrano-statistiche"}) {
        c.push_back({tool,
                     "missing value",
                     {"ARCHIVIO", "--inizio"},
                     Answer::BadLine,
                     "Manca il valore di --inizio"});
        c.push_back({tool, "archive a folder", {"CARTELLA"}, Answer::Failure, {}, "CARTELLA"});
        c.push_back({tool, "archive an empty file", {"VUOTO"}, Answer::Failure, {}, "VUOTO"});
    }
    const std::vector<Call> own{
        {"veltrano-analisi", "bad value", {"--colpi", "0", "ARCHIVIO"}, Answer::BadLine, {}},
        {"veltrano-collaudo", "bad value", {"--formato", "xml", "ARCHIVIO"}, Answer::BadLine, {}},
        {"veltrano-statistiche", "bad value", {"--sorte", "terno", "ARCHIVIO"}, Answer::BadLine, {}},
        {"veltrano-importa", "missing value", {"--output"}, Answer::BadLine, "Manca il valore di --output"},
        {"veltrano-importa",
         "bad value",
         {"--sostituisci", "--aggiorna", "ARCHIVIO", "STORICO"},
         Answer::BadLine,
         {}},
        {"veltrano-importa",
         "archive a folder",
         {"--aggiorna", "CARTELLA", "STORICO"},
         Answer::Failure,
         {},
         "CARTELLA"},
        {"veltrano-importa",
         "archive an empty file",
         {"--aggiorna", "VUOTO", "STORICO"},
         Answer::Failure,
         {},
         "VUOTO"},
        {"veltrano-crea-db",
         "missing value",
         {"--archivio"},
         Answer::BadLine,
         "Manca il valore di --archivio"},
        {"veltrano-crea-db", "bad value", {"--archivio", "", "--output", "NUOVO"}, Answer::BadLine, {}},
        {"veltrano-crea-db",
         "output a folder",
         {"--archivio", "ARCHIVIO", "--output", "CARTELLA"},
         Answer::Failure,
         {},
         "CARTELLA"},
        {"veltrano-campione", "missing value", {"--output"}, Answer::BadLine, "Manca il valore di --output"},
        {"veltrano-campione", "bad value", {"--output", "NUOVO", "--seed", "zz"}, Answer::BadLine, {}},
        {"veltrano-campione", "output a folder", {"--output", "CARTELLA"}, Answer::Failure, {}, "CARTELLA"},
    };
    c.insert(c.end(), own.begin(), own.end());
    return c;
}

TEST(EveryTool, AnswersVersionHelpBadLinesAndUnreadableArchivesAlike) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString archive = dir.filePath(QStringLiteral("Dbarcomax.mdb"));
    fixtures::Draw draw;
    draw.year = 2001;
    draw.month = 1;
    draw.day = 2;
    for (std::size_t w = 0; w < draw.cells.size(); ++w)
        draw.cells[w] = QStringLiteral("1 2 3 4 %1").arg(5 + w);
    fixtures::writeArchive(archive, {draw});
    const QString folder = dir.filePath(QStringLiteral("cartella.mdb"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString empty = dir.filePath(QStringLiteral("vuoto.mdb"));
    const QString history = dir.filePath(QStringLiteral("storico.txt"));
    for (const auto& [path, text] : {std::pair{empty, QByteArray()},
                                     std::pair{history, QByteArray("2001/01/09\tBA\t1\t2\t3\t4\t5\n")}}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    const std::vector<std::pair<QString, QString>> files{
        {QStringLiteral("ARCHIVIO"), archive},
        {QStringLiteral("CARTELLA"), folder},
        {QStringLiteral("VUOTO"), empty},
        {QStringLiteral("STORICO"), history},
        {QStringLiteral("NUOVO"), dir.filePath("nuovo.mdb")}};
    const auto real = [&files](const QString& argument) {
        for (const auto& [name, path] : files)
            if (argument == name)
                return path;
        return argument;
    };

    for (const Call& call : calls()) {
        const QString tool = QString::fromLatin1(call.tool);
        SCOPED_TRACE(testing::Message() << call.tool << ": " << call.what);
        QStringList arguments;
        for (const QString& a : call.arguments)
            arguments << real(a);
        const ToolRun run = runProgram(tool, arguments);
        switch (call.answer) {
        case Answer::Version:
            EXPECT_EQ(run.exitCode, 0);
            EXPECT_EQ(run.out, tool + QStringLiteral(" (Veltrano) " VELTRANO_VERSION "\n"));
            EXPECT_EQ(run.err, QString());
            break;
        case Answer::Help:
            EXPECT_EQ(run.exitCode, 0);
            EXPECT_TRUE(run.out.startsWith(QStringLiteral("Uso: ") + tool + QLatin1Char(' ')));
            EXPECT_EQ(run.err, QString());
            break;
        case Answer::BadLine: {
            EXPECT_EQ(run.exitCode, 2);
            EXPECT_EQ(run.out, QString());
            const QStringList lines = run.err.split(QLatin1Char('\n'));
            ASSERT_EQ(lines.size(), 3) << run.err.toStdString();
            EXPECT_TRUE(lines[0].startsWith(tool + QStringLiteral(": "))) << lines[0].toStdString();
            if (!call.message.isEmpty()) {
                EXPECT_EQ(lines[0], tool + QStringLiteral(": ") + call.message);
            }
            EXPECT_EQ(lines[1], QStringLiteral("Usare %1 --help per l'aiuto.").arg(tool));
            EXPECT_EQ(lines[2], QString());
            break;
        }
        case Answer::Failure: {
            EXPECT_EQ(run.exitCode, 1);
            EXPECT_EQ(run.out, QString());
            const QStringList lines = run.err.split(QLatin1Char('\n'));
            ASSERT_EQ(lines.size(), 2) << run.err.toStdString();
            EXPECT_TRUE(lines[0].startsWith(tool + QStringLiteral(": "))) << lines[0].toStdString();
            EXPECT_TRUE(lines[0].contains(real(QString::fromLatin1(call.named)))) << lines[0].toStdString();
            break;
        }
        }
    }
}

} // namespace
