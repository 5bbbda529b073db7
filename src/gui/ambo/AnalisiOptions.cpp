#include "gui/ambo/AnalisiOptions.h"

#include "cli/MethodCommandLine.h"
#include "cli/MethodOptionValues.h"
#include "core/DrawArchive.h"
#include "gui/ambo/AmboRange.h"
#include "gui/ambo/AmboState.h"

#include <QCommandLineParser>

QString analisiUsage() {
    return QStringLiteral(
        "Uso: veltrano-analisi [opzioni] ARCHIVIO.mdb\n"
        "\n"
        "Cerca gli ambi uguali su due ruote nell'archivio delle estrazioni, verifica le previsioni\n"
        "e stampa i casi e il riepilogo, come la finestra \"Veltrano\".\n"
        "\n"
        "Opzioni:\n"
        "  --inizio N              prima estrazione dell'intervallo (predefinita: 500 prima dell'ultima)\n"
        "  --fine N                ultima estrazione da cui parte la ricerca (predefinita: l'ultima)\n"
        "  --ruote BA,CA,...       ruote selezionate (predefinite: tutte le undici)\n"
        "  --posizioni 1,2,...     posizioni selezionate (predefinite: tutte)\n"
        "  --tipi T,...            tipi di ruote: tutte,adiacenti,diametrali,gemelle,gmtv,cfrz,bnp\n"
        "                          (predefiniti: adiacenti,diametrali)\n"
        "  --posizioni-adiacenti   solo ambi su posizioni adiacenti\n"
        "  --colpi N               colpi di gioco, da 1 a 18 (predefinito: 9)\n"
        "  --casi N                numero di casi, da 1 a 200 (predefinito: 10)\n"
        "  --intervallo            cerca esattamente nell'intervallo, fino a 1000 casi\n"
        "  --esiti E,...           esiti verificati: ambata,3ambi,quartina,tutte (predefiniti: tutti)\n"
        "  --formato tsv|csv       formato dell'uscita (predefinito: tsv)\n"
        "  --help                  mostra questo aiuto\n"
        "  --version               mostra la versione del programma\n"
        "\n"
        "Uscita: 0 eseguito, 1 archivio illeggibile, 2 opzioni errate.\n");
}

AnalisiParse parseAnalisiOptions(const QStringList& arguments) {
    AnalisiParse result;
    AnalisiOptions& o = result.options;
    QCommandLineParser parser;
    const MethodCommandLine method(parser);
    const QCommandLineOption casi(QStringLiteral("casi"), {}, QStringLiteral("N"));
    const QCommandLineOption intervallo(QStringLiteral("intervallo"));
    const QCommandLineOption formato(QStringLiteral("formato"), {}, QStringLiteral("formato"));
    parser.addOptions({casi, intervallo, formato});

    if (!parser.parse(QStringList{QStringLiteral("veltrano-analisi")} + arguments)) {
        result.error = parser.errorText();
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
    for (std::size_t i = 0; i < v.types.size(); ++i)
        o.tipi[i] = v.types[i] ? 1 : 0;
    o.posizioniAdiacenti = v.adjacentPositions;
    o.colpi = v.colpi;
    o.ambata = v.boxes.ambata;
    o.treAmbi = v.boxes.treAmbi;
    o.quartina = v.boxes.quartina;
    o.tutte = v.boxes.tutte;
    if (parser.isSet(casi)) {
        result.error = readBoundedOption(QStringLiteral("casi"), parser.value(casi), 1, 200, o.casi);
        if (!result.error.isEmpty())
            return result;
    }
    o.intervallo = parser.isSet(intervallo);
    if (parser.isSet(formato)) {
        const QString f = parser.value(formato).trimmed().toLower();
        if (f == QLatin1String("tsv"))
            o.formato = AnalisiOptions::Format::Tsv;
        else if (f == QLatin1String("csv"))
            o.formato = AnalisiOptions::Format::Csv;
        else
            result.error = QStringLiteral("--formato vuole tsv o csv: \"%1\"").arg(parser.value(formato));
    }
    return result;
}

QString applyAnalisiRange(const AnalisiOptions& options, const DrawArchive& archive, AmboState& state) {
    const int count = archive.drawCount();
    for (auto [name, bound] : {std::pair{"inizio", options.inizio}, std::pair{"fine", options.fine}}) {
        if (bound && (*bound < 1 || *bound > count))
            return QStringLiteral("--%1 %2 fuori dall'archivio (estrazioni da 1 a %3)")
                .arg(QLatin1String(name))
                .arg(*bound)
                .arg(count);
    }
    if (options.inizio && options.fine && *options.inizio > *options.fine)
        return QStringLiteral("--inizio %1 dopo --fine %2").arg(*options.inizio).arg(*options.fine);
    const auto drawCount = static_cast<std::int16_t>(count);
    setRange(state, loadRangeStart(drawCount), drawCount);
    setRange(state, static_cast<std::int16_t>(options.inizio.value_or(state.IndiceInizio)),
             static_cast<std::int16_t>(options.fine.value_or(state.IndiceFine)));
    return {};
}
