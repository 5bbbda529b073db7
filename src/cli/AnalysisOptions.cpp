#include "cli/AnalysisOptions.h"

#include "cli/DrawRangeOptions.h"
#include "cli/MethodCommandLine.h"
#include "cli/MethodOptionValues.h"
#include "core/CaseSearch.h"
#include "core/SettingsCheck.h"

#include <QCommandLineParser>

QString analysisUsage() {
    // The method's options, with their defaults, are written once for both tools.
    return QStringLiteral(
               "Uso: veltrano-analisi [opzioni] ARCHIVIO.mdb\n"
               "\n"
               "Cerca gli ambi uguali su due ruote nell'archivio delle estrazioni, verifica le previsioni\n"
               "e stampa i casi e il riepilogo, come la finestra \"Veltrano\".\n"
               "\n"
               "Opzioni:\n"
               "  --inizio N              prima estrazione dell'intervallo (predefinita: 500 prima "
               "dell'ultima)\n"
               "  --fine N                ultima estrazione da cui parte la ricerca (predefinita: l'ultima)\n"
               "%1"
               "  --casi N                numero di casi, da 1 a %2 (predefinito: %3)\n"
               "  --intervallo            cerca esattamente nell'intervallo, fino a %4 casi\n"
               "%5"
               "  --formato tsv|csv       formato dell'uscita (predefinito: tsv)\n"
               "  --help                  mostra questo aiuto\n"
               "  --version               mostra la versione del programma\n"
               "\n"
               "Uscita: 0 eseguito, 1 archivio illeggibile, 2 opzioni errate.\n")
        .arg(MethodCommandLine::methodUsage(), QString::number(MaxCases),
             QString::number(MethodSettings::Casi), QString::number(CaseCap),
             MethodCommandLine::outcomeUsage());
}

AnalysisParse parseAnalysisOptions(const QStringList& arguments) {
    AnalysisParse result;
    AnalysisOptions& o = result.options;
    QCommandLineParser parser;
    const MethodCommandLine method(parser);
    const QCommandLineOption casi(QStringLiteral("casi"), {}, QStringLiteral("N"));
    const QCommandLineOption intervallo(QStringLiteral("intervallo"));
    const QCommandLineOption formato(QStringLiteral("formato"), {}, QStringLiteral("formato"));
    parser.addOptions({casi, intervallo, formato});

    if (!parser.parse(QStringList{QStringLiteral("veltrano-analisi")} + arguments)) {
        result.error = parserErrorText(parser);
        return result;
    }
    if (method.help()) {
        o.help = true;
        return result;
    }
    MethodCommandLine::Values v;
    result.error = method.read({&casi, &formato}, v);
    if (!result.error.isEmpty())
        return result;
    o.archivePath = v.archivePath;
    o.inizio = v.inizio;
    o.fine = v.fine;
    o.ruote = v.wheels;
    o.posizioni = v.positions;
    o.tipi = v.types;
    o.posizioniAdiacenti = v.adjacentPositions;
    o.colpi = v.colpi;
    o.ambata = v.boxes.ambata;
    o.treAmbi = v.boxes.treAmbi;
    o.quartina = v.boxes.quartina;
    o.tutte = v.boxes.tutte;
    if (parser.isSet(casi)) {
        result.error = readBoundedOption(QStringLiteral("casi"), parser.value(casi), 1, MaxCases, o.casi);
        if (!result.error.isEmpty())
            return result;
    }
    o.intervallo = parser.isSet(intervallo);
    if (parser.isSet(formato))
        result.error =
            readFormatOption(parser.value(formato), {TableFormat::Tsv, TableFormat::Csv}, o.formato);
    if (result.error.isEmpty())
        result.error = twoWheelsError(o.ruote);
    return result;
}

QString resolveAnalysisRange(const AnalysisOptions& options, const DrawArchive& archive, DrawRange& range) {
    if (QString error = drawBoundsError(options.inizio, options.fine, archive.drawCount()); !error.isEmpty())
        return error;
    range = chosenRange(archive.drawCount(), options.inizio, options.fine);
    return {};
}
