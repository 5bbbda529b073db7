#include "cli/StatisticheOptions.h"

#include "cli/MethodCommandLine.h"
#include "cli/MethodOptionValues.h"
#include "cli/ToolCommandLine.h"

#include <QCommandLineParser>

namespace {

// One of a few words, case aside: the index of the word, or an error naming them.
template <std::size_t N>
QString readStatisticheChoice(const QCommandLineParser& parser, const QCommandLineOption& option,
                              const char* const (&words)[N], const char* listed, std::size_t& chosen) {
    if (!parser.isSet(option))
        return {};
    const QString value = parser.value(option).trimmed().toLower();
    for (std::size_t i = 0; i < N; ++i) {
        if (value == QLatin1String(words[i])) {
            chosen = i;
            return {};
        }
    }
    return QStringLiteral("--%1 vuole %2: \"%3\"")
        .arg(option.names().first(), QString::fromUtf8(listed), parser.value(option));
}

const char* const SorteWords[] = {"estratto", "ambo"};
const char* const OrderWords[] = {"ritardo", "ritardo_massimo", "frequenza", "p"};

} // namespace

QString statisticheUsage() {
    return QStringLiteral(
               "Uso: veltrano-statistiche [opzioni] ARCHIVIO.mdb\n"
               "\n"
               "Ritardi e frequenze dei numeri o degli ambi su ogni ruota scelta, ciascuno accanto a quanto\n"
               "dà il puro caso.\n"
               "\n"
               "Scelte:\n"
               "  --sorte estratto|ambo   i 90 numeri o i 4.005 ambi (predefinita: estratto)\n"
               "  --ruote BA,...,NZ,TU    ruote (predefinite: le undici e TU, cioè Tutte: le dieci\n"
               "                          ruote da Bari a Venezia insieme)\n"
               "Intervallo:\n") +
           drawRangeUsage() +
           QStringLiteral(
               "Uscita:\n"
               "  --ordina ritardo|ritardo_massimo|frequenza|p\n"
               "                          ordine (predefinito: ritardo); i primi tre dal più grande, p dal\n"
               "                          più piccolo; a pari valore per ruota (BA ... NZ, TU) e per numeri\n"
               "  --primi N               quante righe della tabella ordinata stampare (predefinito: 30;\n"
               "                          0 = tutte)\n"
               "  --formato tsv|csv|json  formato (predefinito: tsv; decimali con il punto; UTF-8)\n"
               "  --help                  mostra questo aiuto\n"
               "  --version               mostra la versione del programma\n"
               "\n"
               "Definizioni:\n"
               "  Una ruota è estratta in un'estrazione quando la sua cella contiene almeno un numero da 1\n"
               "    a 90. La sequenza di una ruota sono le estrazioni dell'intervallo in cui è estratta; "
               "quella\n"
               "    di TU le estrazioni in cui è estratta almeno una delle dieci. Un elemento esce in\n"
               "    un'estrazione della sequenza quando è tra i numeri della ruota (TU: un numero su una\n"
               "    qualsiasi delle dieci, un ambo con entrambi i numeri sulla stessa ruota).\n"
               "  N = lunghezza della sequenza. frequenza F = estrazioni con un'uscita. ritardo = "
               "estrazioni\n"
               "    della sequenza dopo l'ultima uscita (N se non è mai uscito). ritardo_massimo = la serie\n"
               "    più lunga di estrazioni senza uscita: prima della prima uscita, tra due uscite o quella\n"
               "    in corso. ritardo_medio = (N - F) / (F + 1), la media di quelle serie. ultima_uscita =\n"
               "    la data dell'ultima uscita (vuota o null se non è mai uscito).\n"
               "  Caso: q = 5/90 per un numero su una ruota, 2/801 per un ambo (C(88,3)/C(90,5)); su TU, in\n"
               "    un'estrazione in cui sono estratte k delle dieci ruote, 1 - (1 - q)^k.\n"
               "    frequenza_attesa E = somma di q sulle estrazioni della sequenza; z = (F - E) / radice\n"
               "    della somma di q(1 - q) (vuoto o null se questa è 0). p_ritardo = probabilità di un\n"
               "    ritardo attuale almeno così lungo = prodotto di (1 - q) sulle ultime \"ritardo\"\n"
               "    estrazioni della sequenza. p_ritardo_holm = p_ritardo corretto con il metodo di Holm su\n"
               "    tutti gli elementi della tabella (tutte le ruote scelte per tutti gli elementi, non "
               "solo\n"
               "    quelli stampati): tra migliaia di elementi un p piccolo capita per caso, va letto "
               "questo.\n"
               "  La probabilità di uscire alla prossima estrazione è la stessa per ogni elemento, "
               "qualunque\n"
               "    sia il suo ritardo: q su una ruota, 1 - (1 - q)^10 su TU.\n"
               "  Una ruota mai estratta nell'intervallo elenca comunque i suoi elementi, con N = 0: "
               "ritardo\n"
               "    0, ritardo massimo 0, ritardo medio 0, z vuoto, p_ritardo 1.\n"
               "\n"
               "Riepilogo: estrazioni nell'intervallo, date della prima e dell'ultima (dal, al), sorte,\n"
               "  elementi della tabella intera, probabilità di uscita alla prossima estrazione su una ruota "
               "e\n"
               "  su TU. tsv e csv: le righe del riepilogo (voce, valore), una riga vuota, l'intestazione e\n"
               "  una riga per elemento.\n"
               "\n"
               "Uscita: 0 eseguito, 1 archivio illeggibile, 2 opzioni errate.\n");
}

StatisticheParse parseStatisticheOptions(const QStringList& arguments) {
    StatisticheParse result;
    StatisticheOptions& o = result.options;
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption sorte = valuedOption("sorte", "sorte");
    const QCommandLineOption ruote = valuedOption("ruote", "ruote");
    const DrawRangeCommandLine range;
    const QCommandLineOption ordina = valuedOption("ordina", "ordine");
    const QCommandLineOption primi = valuedOption("primi", "N");
    const QCommandLineOption formato = valuedOption("formato", "formato");
    const QCommandLineOption help(QStringLiteral("help"));
    parser.addOptions({sorte, ruote, ordina, primi, formato, help});
    range.addTo(parser);
    parser.addPositionalArgument(QStringLiteral("archivio"), {});
    if (!parser.parse(QStringList{QStringLiteral("veltrano-statistiche")} + arguments)) {
        result.error = parserErrorText(parser);
        return result;
    }
    if (parser.isSet(help)) {
        o.help = true;
        return result;
    }
    QString& error = result.error;
    error =
        repeatedOptionError(parser, {&sorte, &ruote, &range.inizio, &range.fine, &range.dal, &range.al, &ordina, &primi,
                                         &formato});
    if (error.isEmpty())
        error = readArchiveArgument(parser, o.archivePath);
    std::size_t chosen = 0;
    if (error.isEmpty() &&
        (error = readStatisticheChoice(parser, sorte, SorteWords, "estratto o ambo", chosen)).isEmpty())
        o.settings.sorte = static_cast<Sorte>(chosen);
    if (error.isEmpty() && parser.isSet(ruote)) {
        error = readWheelOption(parser.value(ruote), o.settings.wheels);
        if (error.isEmpty() &&
            std::find(o.settings.wheels.begin(), o.settings.wheels.end(), true) == o.settings.wheels.end())
            error = QStringLiteral("--ruote vuole almeno una ruota");
    }
    if (error.isEmpty())
        error = range.read(parser, o.range);
    chosen = static_cast<std::size_t>(o.ordina);
    if (error.isEmpty() && (error = readStatisticheChoice(parser, ordina, OrderWords,
                                                          "ritardo, ritardo_massimo, frequenza o p", chosen))
                               .isEmpty())
        o.ordina = static_cast<DelayOrder>(chosen);
    if (error.isEmpty())
        error = readPrimiOption(parser, primi, o.primi);
    if (error.isEmpty() && parser.isSet(formato))
        error = readFormatOption(parser.value(formato),
                                 {TableFormat::Tsv, TableFormat::Csv, TableFormat::Json}, o.formato);
    return result;
}

QString resolveStatisticheRange(StatisticheOptions& options, const DrawArchive& archive) {
    return resolveDrawRange(options.range, archive, options.settings.first, options.settings.last);
}
