// A bad command line of any tool ends in exit code 2, its one line on stderr in Italian and the line that
// says where the help is; nothing on stdout and never the whole usage.

#include "ArchiveFixtures.h"
#include "ProgramRun.h"

#include <QDate>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Twenty draws, one every three or four days from 02/01/2001, every wheel drawn.
std::vector<fixtures::Draw> twentyDraws() {
    std::vector<fixtures::Draw> draws;
    QDate date(2001, 1, 2);
    for (int i = 0; i < 20; ++i, date = date.addDays(i % 2 == 0 ? 3 : 4)) {
        fixtures::Draw d;
        d.year = date.year();
        d.month = date.month();
        d.day = date.day();
        for (int w = 0; w < 11; ++w) {
            QStringList cell;
            for (int p = 0; p < 5; ++p)
                cell << QString::number(1 + (i * 7 + w * 11 + p * 17) % 90);
            d.cells[static_cast<std::size_t>(w)] = cell.join(QLatin1Char(' '));
        }
        draws.push_back(d);
    }
    return draws;
}

struct BadLine {
    const char* tool;
    QStringList arguments; // "ARCHIVIO" stands for the test's archive
    QString message;       // the one line after "<tool>: "
};

TEST(BadCommandLines, EveryToolPrintsItsOneLineAndWhereTheHelpIs) {
    QTemporaryDir dir;
    const QString archive = dir.filePath(QStringLiteral("Dbarcomax.mdb"));
    const std::vector<fixtures::Draw> draws = twentyDraws();
    fixtures::writeArchive(archive, draws);
    const auto day = [&draws](std::size_t i) {
        return QDate(draws[i].year, draws[i].month, draws[i].day).toString(QStringLiteral("dd/MM/yyyy"));
    };
    const QDate afterTenth = QDate(draws[9].year, draws[9].month, draws[9].day).addDays(1);
    const QString twoWheels =
        QStringLiteral("Selezionare almeno due ruote: l'ambo uguale si cerca su una coppia di ruote.");
    const QString outOfSample = QStringLiteral(
        "La data fuori campione (%1) deve cadere dopo il primo giorno del periodo (%2) e non dopo l'ultimo "
        "(%3): solo così restano casi su cui misurare e casi su cui verificare.");

    const std::vector<BadLine> cases{
        {"veltrano-collaudo", {"--gioca", "ARCHIVIO"}, "Opzione sconosciuta: --gioca"},
        {"veltrano-collaudo", {"ARCHIVIO", "--colpi"}, "Manca il valore di --colpi"},
        {"veltrano-collaudo", {"--colpi", "0", "ARCHIVIO"}, "--colpi vuole un numero da 1 a 18: \"0\""},
        {"veltrano-collaudo", {}, "Manca l'archivio delle estrazioni"},
        {"veltrano-collaudo", {"--ruote", "", "ARCHIVIO"}, twoWheels},
        {"veltrano-collaudo", {"--ruote", "BA", "ARCHIVIO"}, twoWheels},
        {"veltrano-collaudo", {"--esplora", "--ruote", "NZ", "ARCHIVIO"}, twoWheels},
        {"veltrano-collaudo",
         {"--ruote", "BA,NZ", "--tipi", "gemelle", "ARCHIVIO"},
         "Nessuna coppia delle ruote selezionate è del tipo scelto (Gemelle): selezionare altre ruote o "
         "altri "
         "tipi di ruote."},
        // The out-of-sample date on the range's first day, and after its last one.
        {"veltrano-collaudo",
         {"--esplora", "--fuori-campione", QDate(2001, 1, 2).toString(Qt::ISODate), "ARCHIVIO"},
         outOfSample.arg(day(0), day(0), day(19))},
        {"veltrano-collaudo",
         {"--esplora", "--inizio", "3", "--fine", "10", "--fuori-campione", afterTenth.toString(Qt::ISODate),
          "ARCHIVIO"},
         outOfSample.arg(afterTenth.toString(QStringLiteral("dd/MM/yyyy")), day(2), day(9))},
        {"veltrano-collaudo",
         {"--inizio", "21", "ARCHIVIO"},
         "--inizio 21 fuori dall'archivio (estrazioni da 1 a 20)"},
        {"veltrano-analisi", {"--ruote", "", "ARCHIVIO"}, twoWheels},
        {"veltrano-analisi", {"ARCHIVIO", "altro.mdb"}, "Un solo archivio, non 2"},
        {"veltrano-importa", {"-x"}, "Opzione sconosciuta: -x"},
        {"veltrano-importa", {}, "--output o --aggiorna è obbligatorio"},
        {"veltrano-campione", {"--seed"}, "Manca il valore di --seed"},
        {"veltrano-campione", {"--output", "x.mdb", "--seed", "x1"}, "Seme non valido: x1"},
        {"veltrano-crea-db",
         {"--archivio", "a.mdb", "--output", "b.mdb", "--altro"},
         "Opzione sconosciuta: --altro"},
        {"veltrano-crea-db", {"--output", "b.mdb"}, "Manca --archivio"},
    };
    for (const BadLine& c : cases) {
        QStringList arguments = c.arguments;
        arguments.replaceInStrings(QStringLiteral("ARCHIVIO"), archive);
        SCOPED_TRACE(
            QStringLiteral("%1 %2").arg(QString::fromLatin1(c.tool), arguments.join(' ')).toStdString());
        const QString tool = QString::fromLatin1(c.tool);
        const ToolRun run = runProgram(tool, arguments);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.err, QStringLiteral("%1: %2\nUsare %1 --help per l'aiuto.\n").arg(tool, c.message));
        EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
    }
}

} // namespace
