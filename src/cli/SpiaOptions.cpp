#include "cli/SpiaOptions.h"

#include "cli/MethodCommandLine.h"
#include "cli/MethodOptionValues.h"
#include "cli/ToolCommandLine.h"
#include "core/WheelNames.h"

#include <QCommandLineParser>

namespace {

// One wheel of the eleven, by code or name in any case, or TU for the ten together.
QString readOneWheel(const QCommandLineParser& parser, const QCommandLineOption& option, int& wheel) {
    if (!parser.isSet(option))
        return {};
    const QString value = parser.value(option).trimmed();
    if (value.compare(QLatin1String(AllWheelsCode.data()), Qt::CaseInsensitive) == 0) {
        wheel = TutteWheel;
        return {};
    }
    if (const std::optional<int> w = wheelFromName(value.toStdString())) {
        wheel = *w;
        return {};
    }
    QStringList codes;
    for (const WheelNaming& n : WheelNames)
        codes << QString::fromLatin1(n.code.data(), static_cast<qsizetype>(n.code.size()));
    return QStringLiteral("--%1 vuole una ruota (%2 o TU): \"%3\"")
        .arg(option.names().first(), codes.join(QStringLiteral(", ")), parser.value(option));
}

} // namespace

QString spiaUsage() {
    return QStringLiteral(
               "Uso: veltrano-spia --spia X --ruota R --colpi N [opzioni] ARCHIVIO.mdb\n"
               "     veltrano-spia --tutte-le-spie --ruota R --colpi N [opzioni] ARCHIVIO.mdb\n"
               "\n"
               "I numeri spia: quali numeri escono nelle N estrazioni che seguono l'uscita di X sulla ruota R,\n"
               "ciascuno accanto a quanto dà il puro caso.\n"
               "\n"
               "Scelte:\n"
               "  --spia X                la spia, da 1 a 90\n"
               "  --tutte-le-spie         ogni spia da 1 a 90 contro ogni numero (8.100 coppie)\n"
               "  --ruota R               la ruota della spia: BA ... VE, NZ, o TU (una delle dieci da Bari\n"
               "                          a Venezia)\n"
               "  --ruota-seguenti R      la ruota dei numeri che seguono (predefinita: quella della spia)\n"
               "  --colpi N               le estrazioni che seguono ogni uscita, da 1 a 18\n"
               "Intervallo (delle uscite della spia):\n") +
           drawRangeUsage() +
           QStringLiteral(
               "Uscita:\n"
               "  --primi K               quante righe stampare, dal p più piccolo (predefinito: 20; 0 = tutte)\n"
               "  --formato tsv|csv|json  formato (predefinito: tsv; decimali con il punto; UTF-8)\n"
               "  --help                  mostra questo aiuto\n"
               "  --version               mostra la versione del programma\n"
               "\n"
               "Definizioni:\n"
               "  Un'estrazione d dell'intervallo è un evento quando la spia esce sulla sua ruota (TU: su una\n"
               "    qualsiasi delle dieci, una volta sola) e d viene dopo la finestra dell'evento precedente:\n"
               "    un'uscita dentro una finestra non conta e non la allunga. La finestra sono le N\n"
               "    estrazioni dell'archivio dopo d, anche oltre la fine dell'intervallo. Un evento è\n"
               "    completo quando la sua finestra sta tutta nell'archivio: contano solo questi.\n"
               "  Un numero è presente in un evento quando esce sulla ruota dei seguenti (TU: su una delle\n"
               "    dieci) in almeno un'estrazione della finestra. presenze = eventi completi con una\n"
               "    presenza; uscite = le coppie (estrazione, ruota) delle finestre in cui è uscito.\n"
               "  Caso: una ruota è estratta quando la sua cella contiene almeno un numero da 1 a 90; in\n"
               "    ogni estrazione della finestra q = 5/90 se la ruota dei seguenti è estratta (TU:\n"
               "    1 - (85/90)^m con m delle dieci estratte), 0 se no. Probabilità di una presenza in un\n"
               "    evento: 1 - prodotto di (1 - q). attese = la loro somma; deviazione = radice della\n"
               "    somma di p(1 - p); z = (presenze - attese) / deviazione (vuoto o null se è 0).\n"
               "  p = probabilità esatta di almeno tante presenze per puro caso (1 senza eventi completi).\n"
               "    p_holm = p corretto con il metodo di Holm su tutte le righe della tabella (90 numeri,\n"
               "    o le 8.100 coppie con --tutte-le-spie), stampate o no: tra tante coppie un p piccolo\n"
               "    capita per caso, va letto questo.\n"
               "  ultima_presenza = la data dell'uscita della spia che ha aperto l'ultimo evento con una\n"
               "    presenza; ritardo_presenza = gli eventi completi dopo quello (tutti, se mai presente).\n"
               "\n"
               "Riepilogo: spia (vuota o null con --tutte-le-spie), ruota, ruota_seguenti, colpi, eventi,\n"
               "  eventi_completi (le somme sulle 90 spie con --tutte-le-spie), dal, al (le date della prima\n"
               "  e dell'ultima estrazione dell'intervallo). tsv e csv: le righe del riepilogo (voce,\n"
               "  valore), una riga vuota, l'intestazione e una riga per numero.\n"
               "\n"
               "Uscita: 0 eseguito, 1 archivio illeggibile, 2 opzioni errate.\n");
}

SpiaParse parseSpiaOptions(const QStringList& arguments) {
    SpiaParse result;
    SpiaOptions& o = result.options;
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption spia = valuedOption("spia", "X");
    const QCommandLineOption tutte(QStringLiteral("tutte-le-spie"));
    const QCommandLineOption ruota = valuedOption("ruota", "R");
    const QCommandLineOption seguenti = valuedOption("ruota-seguenti", "R");
    const QCommandLineOption colpi = valuedOption("colpi", "N");
    const DrawRangeCommandLine range;
    const QCommandLineOption primi = valuedOption("primi", "K");
    const QCommandLineOption formato = valuedOption("formato", "formato");
    const QCommandLineOption help(QStringLiteral("help"));
    parser.addOptions({spia, tutte, ruota, seguenti, colpi, primi, formato, help});
    range.addTo(parser);
    parser.addPositionalArgument(QStringLiteral("archivio"), {});
    if (!parser.parse(QStringList{QStringLiteral("veltrano-spia")} + arguments)) {
        result.error = parserErrorText(parser);
        return result;
    }
    if (parser.isSet(help)) {
        o.help = true;
        return result;
    }
    QString& error = result.error;
    error = repeatedOptionError(parser,
                                {&spia, &tutte, &ruota, &seguenti, &colpi, &range.inizio, &range.fine, &range.dal, &range.al,
                                 &primi, &formato});
    if (error.isEmpty())
        error = readArchiveArgument(parser, o.archivePath);
    o.tutteLeSpie = parser.isSet(tutte);
    if (error.isEmpty() && o.tutteLeSpie && parser.isSet(spia))
        error = QStringLiteral("--spia e --tutte-le-spie non vanno insieme");
    if (error.isEmpty() && !o.tutteLeSpie && !parser.isSet(spia))
        error = QStringLiteral("manca la spia: --spia X (da 1 a 90), o --tutte-le-spie");
    if (error.isEmpty() && parser.isSet(spia))
        error = readBoundedOption(QStringLiteral("spia"), parser.value(spia), 1, 90, o.settings.spia);
    if (error.isEmpty() && !parser.isSet(ruota))
        error = QStringLiteral("manca la ruota della spia: --ruota R");
    if (error.isEmpty())
        error = readOneWheel(parser, ruota, o.settings.ruota);
    o.settings.ruotaSeguenti = o.settings.ruota;
    if (error.isEmpty())
        error = readOneWheel(parser, seguenti, o.settings.ruotaSeguenti);
    if (error.isEmpty() && !parser.isSet(colpi))
        error = QStringLiteral("mancano i colpi: --colpi N (da 1 a 18)");
    if (error.isEmpty())
        error = readBoundedOption(QStringLiteral("colpi"), parser.value(colpi), 1, 18, o.settings.colpi);
    if (error.isEmpty())
        error = range.read(parser, o.range);
    if (error.isEmpty())
        error = readPrimiOption(parser, primi, o.primi);
    if (error.isEmpty() && parser.isSet(formato))
        error = readFormatOption(parser.value(formato), {TableFormat::Tsv, TableFormat::Csv, TableFormat::Json},
                                 o.formato);
    return result;
}

QString resolveSpiaRange(SpiaOptions& options, const DrawArchive& archive) {
    return resolveDrawRange(options.range, archive, options.settings.first, options.settings.last);
}
