#include "AnalisiOptions.h"

#include "AmboRange.h"
#include "AmboState.h"
#include "DrawArchive.h"
#include "MethodOptionValues.h"

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
        "  --intervallo            cerca esattamente nell'intervallo, senza limite di casi\n"
        "  --esiti E,...           esiti verificati: ambata,3ambi,quartina,tutte (predefiniti: tutti)\n"
        "  --formato tsv|csv       formato dell'uscita (predefinito: tsv)\n"
        "  --help                  mostra questo aiuto\n"
        "\n"
        "Uscita: 0 eseguito, 1 archivio illeggibile, 2 opzioni errate.\n");
}

AnalisiParse parseAnalisiOptions(const QStringList& arguments) {
    AnalisiParse result;
    AnalisiOptions& o = result.options;
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption inizio(QStringLiteral("inizio"), {}, QStringLiteral("N"));
    const QCommandLineOption fine(QStringLiteral("fine"), {}, QStringLiteral("N"));
    const QCommandLineOption ruote(QStringLiteral("ruote"), {}, QStringLiteral("ruote"));
    const QCommandLineOption posizioni(QStringLiteral("posizioni"), {}, QStringLiteral("posizioni"));
    const QCommandLineOption tipi(QStringLiteral("tipi"), {}, QStringLiteral("tipi"));
    const QCommandLineOption adiacenti(QStringLiteral("posizioni-adiacenti"));
    const QCommandLineOption colpi(QStringLiteral("colpi"), {}, QStringLiteral("N"));
    const QCommandLineOption casi(QStringLiteral("casi"), {}, QStringLiteral("N"));
    const QCommandLineOption intervallo(QStringLiteral("intervallo"));
    const QCommandLineOption esiti(QStringLiteral("esiti"), {}, QStringLiteral("esiti"));
    const QCommandLineOption formato(QStringLiteral("formato"), {}, QStringLiteral("formato"));
    const QCommandLineOption help(QStringLiteral("help"));
    parser.addOptions(
        {inizio, fine, ruote, posizioni, tipi, adiacenti, colpi, casi, intervallo, esiti, formato, help});
    parser.addPositionalArgument(QStringLiteral("archivio"), {});

    if (!parser.parse(QStringList{QStringLiteral("veltrano-analisi")} + arguments)) {
        result.error = parser.errorText();
        return result;
    }
    if (parser.isSet(help)) {
        o.help = true;
        return result;
    }
    for (const QCommandLineOption* single :
         {&inizio, &fine, &ruote, &posizioni, &tipi, &colpi, &casi, &esiti, &formato}) {
        if (parser.values(*single).size() > 1) {
            result.error = QStringLiteral("--%1 indicata più volte").arg(single->names().first());
            return result;
        }
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 1) {
        result.error = positional.isEmpty()
                           ? QStringLiteral("manca l'archivio delle estrazioni")
                           : QStringLiteral("un solo archivio, non %1").arg(positional.size());
        return result;
    }
    o.archivePath = positional.first();

    auto fail = [&](const QString& error) {
        result.error = error;
        return !error.isEmpty();
    };
    for (auto [option, target] : {std::pair{&inizio, &o.inizio}, std::pair{&fine, &o.fine}}) {
        if (!parser.isSet(*option))
            continue;
        const auto n = optionWholeNumber(parser.value(*option));
        if (!n) {
            result.error = QStringLiteral("--%1 vuole un numero di estrazione: \"%2\"")
                               .arg(option->names().first(), parser.value(*option));
            return result;
        }
        *target = *n;
    }
    if (parser.isSet(ruote) && fail(readWheelOption(parser.value(ruote), o.ruote)))
        return result;
    if (parser.isSet(posizioni) && fail(readPositionOption(parser.value(posizioni), o.posizioni)))
        return result;
    if (parser.isSet(tipi)) {
        WheelRelations::Types types{};
        if (fail(readTypeOption(parser.value(tipi), types)))
            return result;
        for (std::size_t i = 0; i < types.size(); ++i)
            o.tipi[i] = types[i] ? 1 : 0;
    }
    o.posizioniAdiacenti = parser.isSet(adiacenti);
    if (parser.isSet(colpi) &&
        fail(readBoundedOption(QStringLiteral("colpi"), parser.value(colpi), 1, 18, o.colpi)))
        return result;
    if (parser.isSet(casi) &&
        fail(readBoundedOption(QStringLiteral("casi"), parser.value(casi), 1, 200, o.casi)))
        return result;
    o.intervallo = parser.isSet(intervallo);
    if (parser.isSet(esiti)) {
        OutcomeBoxes boxes;
        if (fail(readOutcomeOption(parser.value(esiti), boxes)))
            return result;
        o.ambata = boxes.ambata;
        o.treAmbi = boxes.treAmbi;
        o.quartina = boxes.quartina;
        o.tutte = boxes.tutte;
    }
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
