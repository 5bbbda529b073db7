#include "cli/CollaudoOptions.h"

#include "cli/DrawRangeOptions.h"
#include "cli/MethodCommandLine.h"
#include "cli/MethodOptionValues.h"
#include "cli/ToolCommandLine.h"
#include "core/DrawArchive.h"
#include "core/SettingsCheck.h"
#include "core/WheelNames.h"

#include <QCommandLineParser>
#include <QRegularExpression>
#include <algorithm>
#include <functional>
#include <optional>

namespace {

// An amount in euro with at most two decimals, from 0 to MaxStake: "2", "0.5", "1000000.00".
std::optional<double> stakeAmount(const QString& text) {
    static const QRegularExpression amount(
        QStringLiteral("^[0-9]{1,7}(\\.[0-9]{1,%1})?$").arg(StakeDecimals));
    if (!amount.match(text).hasMatch())
        return std::nullopt;
    const double value = text.toDouble();
    return isValidStake(value) ? std::optional<double>(value) : std::nullopt;
}

QString readStakes(const QString& value, Stakes& stakes) {
    for (const QString& item : value.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QStringList parts = item.split(QLatin1Char('='));
        const QString key = parts.first().trimmed().toLower();
        const auto amount = parts.size() == 2 ? stakeAmount(parts[1].trimmed()) : std::nullopt;
        if (!amount)
            return QStringLiteral("--poste vuole voce=importo, con un importo da 0 a un milione e al più due "
                                  "decimali dopo il punto (per esempio ambo=2.50): \"%1\"")
                .arg(item);
        if (key == QLatin1String("ambata"))
            stakes.ambata = *amount;
        else if (key == QLatin1String("ambo"))
            stakes.ambo = *amount;
        else if (key == QLatin1String("terno"))
            stakes.terno = *amount;
        else if (key == QLatin1String("quaterna"))
            stakes.quaterna = *amount;
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
    QCommandLineOption metodo = valued(MethodSettings::MetodoName.option.data(), "metodo");
    QCommandLineOption soglia = valued(MethodSettings::SogliaName.option.data(), "R");
};

QString readMetodo(const QString& value, MethodSettings::Metodo& metodo) {
    const QString v = value.trimmed().toLower();
    for (std::size_t m = 0; m < MethodSettings::MetodoNames.size(); ++m)
        if (v == optionName(MethodSettings::MetodoNames[m])) {
            metodo = static_cast<MethodSettings::Metodo>(m);
            return {};
        }
    return QStringLiteral("--metodo vuole %1 o %2: \"%3\"")
        .arg(optionName(MethodSettings::MetodoNames[0]), optionName(MethodSettings::MetodoNames[1]), value);
}

// The overdue number plays one wheel at a time, and has none of the equal ambo's own options.
QString overdueRefusals(const QCommandLineParser& parser, const MethodCommandLine& method) {
    const QString wheels = optionName(MethodSettings::WheelsName);
    const QString tutte =
        QString::fromLatin1(AllWheelsCode.data(), static_cast<qsizetype>(AllWheelsCode.size()));
    if (parser.isSet(wheels))
        for (const QString& item : parser.value(wheels).split(QLatin1Char(',')))
            if (item.trimmed().toUpper() == tutte)
                return QStringLiteral("--ruote: il ritardatario si gioca su una ruota alla volta, non su %1")
                    .arg(tutte);
    if (const QStringList given = method.equalAmboOptionsGiven(); !given.isEmpty())
        return QStringLiteral("%1 non vale con --metodo ritardatario: è un'opzione dell'ambo uguale")
            .arg(given.first());
    return {};
}

QString readOwnOptions(const QCommandLineParser& parser, const OwnOptions& own, CollaudoOptions& o) {
    if (QString error = readDateRangeOptions(parser, own.dal, own.al, o.range); !error.isEmpty())
        return error;
    if (QString error = readDateOption(parser, own.fuori, o.fuoriCampione); !error.isEmpty())
        return error;
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
    const bool overdue = o.settings.metodo == MethodSettings::Metodo::Ritardatario;
    if (parser.isSet(own.soglia)) {
        if (!overdue)
            return QStringLiteral("--soglia vale solo con --metodo ritardatario");
        if (QString error =
                readBoundedOption(optionName(MethodSettings::SogliaName), parser.value(own.soglia), 1,
                                  MethodSettings::MaxSoglia, o.settings.soglia);
            !error.isEmpty())
            return error;
        if (o.esplora)
            return QStringLiteral("--esplora prova da sé soglie e colpi: non vanno indicati");
    }
    if (QString error = readPrimiOption(parser, own.primi, o.primi); !error.isEmpty())
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
        "Collauda un metodo su tutto un intervallo di estrazioni: cerca ogni caso, lo verifica, lo\n"
        "confronta con il caso e ne fa il bilancio in denaro. I metodi: l'ambo uguale su due ruote (come\n"
        "veltrano-analisi; ogni caso verificato come fa \"VERIFICA\") e il ritardatario (il numero più in\n"
        "ritardo di una ruota, giocato come estratto finché esce, per i colpi scelti).\n"
        "\n"
        "Metodo:\n"
        "%2"
        "Ambo uguale (come veltrano-analisi; --ruote e --colpi valgono per entrambi i metodi):\n"
        "%1"
        "Ritardatario (una ruota alla volta, TU esclusa; le opzioni proprie dell'ambo uguale non valgono):\n"
        "%3"
        "Intervallo (ogni estrazione è cercata, senza limite di casi):\n"
        "  --inizio N --fine N     numeri di estrazione (predefiniti: 1 e l'ultima)\n"
        "  --dal DATA --al DATA    date (AAAA-MM-GG o GG/MM/AAAA): la prima estrazione dal giorno,\n"
        "                          l'ultima fino al giorno\n"
        "Bilancio:\n"
        "  --poste ambata=1,ambo=1,terno=1,quaterna=1\n"
        "                          poste di ogni giocata (quelle non indicate valgono 1; 0 = non giocata),\n"
        "                          in euro, da 0 a un milione, con due decimali al più\n"
        "Uscita:\n"
        "  --formato tsv|csv|json  formato (predefinito: tsv; decimali con il punto; UTF-8)\n"
        "  --elenco                anche l'elenco dei casi, dal più recente\n"
        "Esplorazione:\n"
        "  --esplora               prova ogni combinazione di tipi (ogni insieme dei sei tipi, e "
        "\"tutte\"),\n"
        "                          posizioni (due o più), posizioni adiacenti e colpi da 1 a 18, con le\n"
        "                          ruote, gli esiti, le poste e l'intervallo scelti; con il ritardatario,\n"
        "                          le soglie %4 e i colpi da 1 a 18 sulle ruote scelte\n"
        "                          insieme (%5 combinazioni)\n"
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
        "  Ritardatario: il ritardo di un numero su una ruota conta le estrazioni dell'archivio, dalla\n"
        "    prima, in cui la ruota è estratta (cella con almeno un numero da 1 a 90) da quando il numero "
        "vi\n"
        "    è uscito l'ultima volta; un numero mai uscito ha per ritardo tutte quelle estrazioni. Dopo\n"
        "    un'estrazione d dell'intervallo in cui la ruota è estratta, se su quella ruota nessun caso è "
        "in\n"
        "    gioco e il ritardo più lungo raggiunge la soglia, si apre un caso: il numero più piccolo con\n"
        "    quel ritardo si gioca come estratto sulla ruota nelle estrazioni da d+1 a d+colpi\n"
        "    dell'archivio (il colpo j è l'estrazione d+j, anche dopo la fine dell'intervallo; dove la\n"
        "    ruota non è estratta non si gioca e non c'è esito). Positivo al primo colpo in cui il numero\n"
        "    esce sulla ruota, negativo se i colpi passano senza, in gioco se l'archivio finisce prima. Il\n"
        "    caso è in gioco dall'estrazione d fino all'ultima giocata (il colpo dell'uscita o l'ultimo\n"
        "    colpo): il caso seguente sulla ruota si apre solo dopo. Probabilità a caso: 1 - (1 - 5/90)^k,\n"
        "    k = estrazioni dei suoi colpi in cui la ruota è estratta. Bilancio: la posta dell'ambata a\n"
        "    ogni colpo giocato fino all'uscita compresa (paga 11,23 volte la posta, ritenuta dell'8%);\n"
        "    le altre poste non si giocano. Nell'elenco e in json: ruota, numero giocato e \"ritardo\", il\n"
        "    suo ritardo all'apertura del caso.\n"
        "  Esplorazione: p viene dall'approssimazione di punto di sella (Lugannani-Rice, con la correzione\n"
        "    di continuità) della stessa legge, entro l'1% del valore esatto; p_esatto è il valore esatto\n"
        "    delle righe stampate, p_holm è p corretto con il metodo di Holm su tutte le combinazioni: dopo\n"
        "    migliaia di prove un p piccolo capita per caso, va letto p_holm.\n"
        "\n"
        "Uscita: 0 eseguito, 1 archivio illeggibile, 2 opzioni errate.\n");
    const MethodSettings d;
    QStringList soglie;
    for (int i = 1; i <= MethodSettings::SweepSoglie; ++i)
        if (i <= 2 || i == MethodSettings::SweepSoglie)
            soglie << QString::number(i * MethodSettings::SogliaStep);
    const QString metodo = MethodCommandLine::usageLine(
        optionName(MethodSettings::MetodoName) + QStringLiteral(" M"),
        QStringLiteral("%1 o %2 (predefinito: %3)")
            .arg(optionName(MethodSettings::MetodoNames[0]), optionName(MethodSettings::MetodoNames[1]),
                 optionName(MethodSettings::MetodoNames[static_cast<std::size_t>(d.metodo)])));
    const QString soglia =
        MethodCommandLine::usageLine(optionName(MethodSettings::SogliaName) + QStringLiteral(" R"),
                                     QStringLiteral("ritardo che apre un caso, da 1 a %1 (predefinito: %2)")
                                         .arg(MethodSettings::MaxSoglia)
                                         .arg(d.soglia));
    return usage.arg(MethodCommandLine::methodUsage() + MethodCommandLine::outcomeUsage(), metodo, soglia,
                     soglie.mid(0, 2).join(QStringLiteral(", ")) + QStringLiteral(", ..., ") + soglie.last(),
                     QString::number(MethodSettings::SweepSoglie * MethodSettings::MaxColpi));
}

CollaudoParse parseCollaudoOptions(const QStringList& arguments) {
    CollaudoParse result;
    QCommandLineParser parser;
    const MethodCommandLine method(parser);
    const OwnOptions own;
    parser.addOptions({own.dal, own.al, own.poste, own.formato, own.elenco, own.esplora, own.ordina,
                       own.primi, own.fuori, own.metodo, own.soglia});
    if (!parser.parse(QStringList{QStringLiteral("veltrano-collaudo")} + arguments)) {
        result.error = parserErrorText(parser);
        return result;
    }
    if (method.help()) {
        result.options.help = true;
        return result;
    }
    MethodSettings::Metodo metodo = MethodSettings::Metodo::AmboUguale;
    if (parser.values(own.metodo).size() == 1)
        result.error = readMetodo(parser.value(own.metodo), metodo);
    const bool overdue = metodo == MethodSettings::Metodo::Ritardatario;
    if (result.error.isEmpty() && overdue)
        result.error = overdueRefusals(parser, method);
    MethodCommandLine::Values v;
    if (result.error.isEmpty())
        result.error = method.read({&own.dal, &own.al, &own.poste, &own.formato, &own.ordina, &own.primi,
                                    &own.fuori, &own.metodo, &own.soglia},
                                   v);
    if (!result.error.isEmpty())
        return result;
    CollaudoOptions& o = result.options;
    CollaudoSettings& s = o.settings;
    o.archivePath = v.archivePath;
    o.range.inizio = v.inizio;
    o.range.fine = v.fine;
    static_cast<MethodSettings&>(s) = v;
    s.metodo = metodo;
    result.error = readOwnOptions(parser, own, o);
    // Without an outcome every case would count as negative: the analysis may show no outcome, the
    // back-test must verify one.
    if (result.error.isEmpty() && std::ranges::none_of(s.boxes.flags(), std::identity{}))
        result.error = QStringLiteral("--esiti vuole almeno un esito");
    if (result.error.isEmpty() && o.esplora && overdue && method.colpiChosen())
        result.error = QStringLiteral("--esplora prova da sé soglie e colpi: non vanno indicati");
    if (result.error.isEmpty() && o.esplora && !overdue && method.combinationChosen())
        result.error = QStringLiteral("--esplora prova da sé tipi, posizioni, posizioni adiacenti e colpi: "
                                      "non vanno indicati");
    if (result.error.isEmpty())
        result.error = methodWheelsError(metodo, s.wheels, s.types, o.esplora);
    return result;
}

QString resolveCollaudoRange(CollaudoOptions& options, const DrawArchive& archive) {
    return resolveDrawRange(options.range, archive, options.settings.first, options.settings.last);
}
