#include "cli/CollaudoOptions.h"

#include "cli/MethodCommandLine.h"
#include "cli/MethodOptionValues.h"
#include "core/DrawArchive.h"
#include "core/DrawRange.h"
#include "core/SettingsCheck.h"

#include <QCommandLineParser>
#include <tuple>

namespace {

std::optional<QDate> readDate(const QString& text) {
    for (const char* format : {"yyyy-MM-dd", "dd/MM/yyyy", "d/M/yyyy"}) {
        const QDate d = QDate::fromString(text.trimmed(), QLatin1String(format));
        if (d.isValid())
            return d;
    }
    return std::nullopt;
}

QString readStakes(const QString& value, Stakes& stakes) {
    for (const QString& item : value.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QStringList parts = item.split(QLatin1Char('='));
        const QString key = parts.first().trimmed().toLower();
        bool ok = parts.size() == 2;
        const double amount = ok ? parts[1].trimmed().toDouble(&ok) : 0.0;
        if (!ok || amount < 0.0 || !std::isfinite(amount))
            return QStringLiteral("--poste vuole voce=importo, con un importo non negativo: \"%1\"")
                .arg(item);
        if (key == QLatin1String("ambata"))
            stakes.ambata = amount;
        else if (key == QLatin1String("ambo"))
            stakes.ambo = amount;
        else if (key == QLatin1String("terno"))
            stakes.terno = amount;
        else if (key == QLatin1String("quaterna"))
            stakes.quaterna = amount;
        else
            return QStringLiteral("--poste: voce sconosciuta \"%1\" (ambata, ambo, terno, quaterna)")
                .arg(key);
    }
    return {};
}

// The options only veltrano-collaudo has.
struct OwnOptions {
    static QCommandLineOption valued(const char* name, const char* value) {
        return QCommandLineOption(QLatin1String(name), {}, QLatin1String(value));
    }
    QCommandLineOption dal = valued("dal", "data");
    QCommandLineOption al = valued("al", "data");
    QCommandLineOption poste = valued("poste", "poste");
    QCommandLineOption formato = valued("formato", "formato");
    QCommandLineOption elenco{QStringLiteral("elenco")};
    QCommandLineOption esplora{QStringLiteral("esplora")};
    QCommandLineOption ordina = valued("ordina", "ordine");
    QCommandLineOption primi = valued("primi", "N");
    QCommandLineOption fuori = valued("fuori-campione", "data");
};

QString readOwnOptions(const QCommandLineParser& parser, const OwnOptions& own, CollaudoOptions& o) {
    for (auto [option, target] :
         {std::pair{&own.dal, &o.dal}, std::pair{&own.al, &o.al}, std::pair{&own.fuori, &o.fuoriCampione}}) {
        if (!parser.isSet(*option))
            continue;
        *target = readDate(parser.value(*option));
        if (!*target)
            return QStringLiteral("--%1 vuole una data (AAAA-MM-GG o GG/MM/AAAA): \"%2\"")
                .arg(option->names().first(), parser.value(*option));
    }
    if ((o.inizio || o.fine) && (o.dal || o.al))
        return QStringLiteral(
            "l'intervallo va dato con --inizio/--fine oppure con --dal/--al, non con entrambi");
    if (parser.isSet(own.poste))
        if (QString error = readStakes(parser.value(own.poste), o.settings.stakes); !error.isEmpty())
            return error;
    if (parser.isSet(own.formato))
        if (QString error =
                readFormatOption(parser.value(own.formato),
                                 {TableFormat::Tsv, TableFormat::Csv, TableFormat::Json}, o.formato);
            !error.isEmpty())
            return error;
    o.elenco = parser.isSet(own.elenco);
    o.esplora = parser.isSet(own.esplora);
    if (parser.isSet(own.ordina)) {
        const QString v = parser.value(own.ordina).trimmed().toLower();
        if (v == QLatin1String("p"))
            o.ordina = SweepSettings::Order::P;
        else if (v == QLatin1String("resa"))
            o.ordina = SweepSettings::Order::Resa;
        else
            return QStringLiteral("--ordina vuole p o resa: \"%1\"").arg(parser.value(own.ordina));
    }
    if (parser.isSet(own.primi))
        if (QString error =
                readBoundedOption(QStringLiteral("primi"), parser.value(own.primi), 0, 1000000, o.primi);
            !error.isEmpty())
            return error;
    if (!o.esplora && (parser.isSet(own.ordina) || parser.isSet(own.primi) || parser.isSet(own.fuori)))
        return QStringLiteral("--ordina, --primi e --fuori-campione valgono solo con --esplora");
    if (o.esplora && o.elenco)
        return QStringLiteral("--elenco non vale con --esplora");
    return {};
}

} // namespace

QString collaudoUsage() {
    // The method's options, with their defaults, are written once for both tools.
    const QString usage = QStringLiteral(
        "Uso: veltrano-collaudo [opzioni] ARCHIVIO.mdb\n"
        "\n"
        "Collauda il metodo dell'ambo uguale su due ruote su tutto un intervallo di estrazioni: cerca\n"
        "ogni caso, lo verifica come \"VERIFICA\", lo confronta con il caso e ne fa il bilancio in denaro.\n"
        "\n"
        "Metodo (come veltrano-analisi):\n"
        "%1"
        "Intervallo (ogni estrazione è cercata, senza limite di casi):\n"
        "  --inizio N --fine N     numeri di estrazione (predefiniti: 1 e l'ultima)\n"
        "  --dal DATA --al DATA    date (AAAA-MM-GG o GG/MM/AAAA): la prima estrazione dal giorno,\n"
        "                          l'ultima fino al giorno\n"
        "Bilancio:\n"
        "  --poste ambata=1,ambo=1,terno=1,quaterna=1\n"
        "                          poste di ogni giocata (quelle non indicate valgono 1; 0 = non giocata)\n"
        "Uscita:\n"
        "  --formato tsv|csv|json  formato (predefinito: tsv; decimali con il punto; UTF-8)\n"
        "  --elenco                anche l'elenco dei casi, dal più recente\n"
        "Esplorazione:\n"
        "  --esplora               prova ogni combinazione di tipi (ogni insieme dei sei tipi, e "
        "\"tutte\"),\n"
        "                          posizioni (due o più), posizioni adiacenti e colpi da 1 a 18, con le\n"
        "                          ruote, gli esiti, le poste e l'intervallo scelti\n"
        "  --ordina p|resa         ordine delle combinazioni (predefinito: p)\n"
        "  --primi N               quante combinazioni stampare (predefinito: 30; 0 = tutte)\n"
        "  --fuori-campione DATA   misura e ordina sui casi prima di DATA e mostra ogni combinazione\n"
        "                          anche sui casi da DATA in poi: la prova onesta di una combinazione\n"
        "  --help                  mostra questo aiuto\n"
        "  --version               mostra la versione del programma\n"
        "\n"
        "Definizioni:\n"
        "  Esito e colpo: ogni caso è verificato come fa \"VERIFICA\", con gli stessi esiti e colpi:\n"
        "    positivo, negativo o in gioco, e il colpo del primo esito.\n"
        "  Caso completo: tutti i suoi colpi cadono nell'archivio (estrazione + colpi <= ultima).\n"
        "  Probabilità a caso: la probabilità che il caso sia positivo nei suoi colpi presenti\n"
        "    nell'archivio (tutti, anche dopo il primo esito) se in ogni estrazione i cinque numeri di\n"
        "    ogni ruota fossero estratti a caso (5 diversi su 90), ruote ed estrazioni indipendenti; una\n"
        "    ruota non estratta (cella senza numeri) non dà esito. Calcolata esattamente: su una ruota,\n"
        "    la probabilità di contenere proprio il sottoinsieme S degli m numeri diversi della\n"
        "    previsione è C(90-m, 5-|S|) / C(90, 5); le regole degli esiti dicono quali S sono positivi.\n"
        "  Confronto con il caso, sui soli casi completi: positivi X, attesi E = somma delle\n"
        "    probabilità, deviazione = radice della somma di p(1-p), z = (X-E)/deviazione (\"-\" o null\n"
        "    se la deviazione è 0), p = probabilità di avere per caso almeno X positivi (legge di\n"
        "    Poisson-binomiale, calcolo esatto).\n"
        "  Per colpo k: casi completi positivi entro il colpo k e quanti lo sarebbero per caso, cumulati.\n"
        "  Bilancio a paghe di oggi: a ogni colpo, dal primo fino al primo esito (compreso) o all'ultima\n"
        "    estrazione dell'archivio, le giocate degli esiti scelti, mai su una ruota non estratta:\n"
        "    ambata = estratto su R1 e R2 (paga 11,23); 3 ambi = gli ambi diversi ambata-A1, ambata-A2,\n"
        "    ambata-A3 su R1 e R2 (paga 250); quartina = ambo, terno e quaterna sui suoi n numeri diversi\n"
        "    su R1 e R2 tranne Nazionale, oppure con \"tutte\" una giocata per sorte sulle dieci ruote\n"
        "    (un decimo di vincita per ruota); una ruota con k degli n numeri paga C(k,2)/C(n,2) x 250,\n"
        "    C(k,3)/C(n,3) x 4500, C(k,4)/C(n,4) x 120000 volte la posta. Ritenuta dell'8% su ogni\n"
        "    vincita; saldo = vincite - ritenuta - spesa; resa = saldo / spesa.\n"
        "  Esplorazione: p viene da un'approssimazione normale raffinata della stessa legge (con il\n"
        "    termine di asimmetria), p_esatto è il valore esatto delle righe stampate, p_holm è p\n"
        "    corretto con il metodo di Holm su tutte le combinazioni: dopo migliaia di prove un p piccolo\n"
        "    capita per caso, va letto p_holm.\n"
        "\n"
        "Uscita: 0 eseguito, 1 archivio illeggibile, 2 opzioni errate.\n");
    return usage.arg(MethodCommandLine::methodUsage() + MethodCommandLine::outcomeUsage());
}

CollaudoParse parseCollaudoOptions(const QStringList& arguments) {
    CollaudoParse result;
    QCommandLineParser parser;
    const MethodCommandLine method(parser);
    const OwnOptions own;
    parser.addOptions(
        {own.dal, own.al, own.poste, own.formato, own.elenco, own.esplora, own.ordina, own.primi, own.fuori});
    if (!parser.parse(QStringList{QStringLiteral("veltrano-collaudo")} + arguments)) {
        result.error = parserErrorText(parser);
        return result;
    }
    if (method.help()) {
        result.options.help = true;
        return result;
    }
    MethodCommandLine::Values v;
    result.error =
        method.read({&own.dal, &own.al, &own.poste, &own.formato, &own.ordina, &own.primi, &own.fuori}, v);
    if (!result.error.isEmpty())
        return result;
    CollaudoOptions& o = result.options;
    CollaudoSettings& s = o.settings;
    o.archivePath = v.archivePath;
    o.inizio = v.inizio;
    o.fine = v.fine;
    static_cast<MethodSettings&>(s) = v;
    result.error = readOwnOptions(parser, own, o);
    if (result.error.isEmpty() && o.esplora && method.combinationChosen())
        result.error = QStringLiteral("--esplora prova da sé tipi, posizioni, posizioni adiacenti e colpi: "
                                      "non vanno indicati");
    if (result.error.isEmpty())
        result.error = o.esplora ? twoWheelsError(s.wheels) : equalAmboWheelsError(s.wheels, s.types);
    return result;
}

QString resolveCollaudoRange(CollaudoOptions& options, const DrawArchive& archive) {
    CollaudoSettings& s = options.settings;
    if (options.dal || options.al) {
        const auto draws = drawsBetween(archive, options.dal, options.al);
        if (!draws)
            return QStringLiteral("nessuna estrazione nell'intervallo di date");
        std::tie(s.first, s.last) = *draws;
        return {};
    }
    if (QString error = drawBoundsError(options.inizio, options.fine, archive.drawCount()); !error.isEmpty())
        return error;
    s.first = options.inizio.value_or(1);
    s.last = options.fine.value_or(archive.drawCount());
    if (s.first > s.last) // an archive without draws
        return reversedBoundsError(s.first, s.last);
    return {};
}
