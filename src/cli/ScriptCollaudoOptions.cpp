#include "cli/ScriptCollaudoOptions.h"

#include "cli/MethodCommandLine.h"
#include "cli/MethodOptionValues.h"
#include "cli/ToolCommandLine.h"

#include <QCommandLineParser>

namespace {

// The built-in method's own options: a player's method has parameters instead.
const char* const BuiltInOptions[] = {"ruote", "posizioni", "tipi", "posizioni-adiacenti", "colpi", "esiti",
                                      "metodo", "soglia", "poste"};

} // namespace

bool asksForScript(const QStringList& arguments) {
    for (const QString& a : arguments) {
        if (a == QLatin1String("--"))
            return false;
        if (a == QLatin1String("--script") || a.startsWith(QLatin1String("--script=")))
            return true;
    }
    return false;
}

QString scriptCollaudoUsage() {
    return QStringLiteral(
        "Metodo del giocatore:\n"
        "  veltrano-collaudo --script METODO.lua [--parametro nome=valore]... [opzioni] ARCHIVIO.mdb\n"
        "  --script FILE           il metodo, scritto in Lua (vedere la guida del programma: \"Metodi del\n"
        "                          giocatore\"); le opzioni del metodo del programma non valgono\n"
        "  --parametro nome=valore il valore di un parametro che il metodo dichiara (più volte)\n"
        "  Valgono l'intervallo, --formato, --elenco, --esplora, --ordina, --primi e --fuori-campione.\n"
        "  --esplora prova ogni combinazione dei valori che il metodo elenca per i suoi parametri (al\n"
        "  più 10.000); p è esatto. Nell'elenco, le puntate di ogni giocata e la nota del metodo.\n"
        "  Uscita: 1 anche per un errore del metodo (con la riga), 2 per un parametro non dichiarato.\n");
}

ScriptCollaudoParse parseScriptCollaudoOptions(const QStringList& arguments) {
    ScriptCollaudoParse result;
    ScriptCollaudoOptions& o = result.options;
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption script = valuedOption("script", "FILE");
    const QCommandLineOption parametro = valuedOption("parametro", "nome=valore");
    const DrawRangeCommandLine range;
    const QCommandLineOption formato = valuedOption("formato", "formato");
    const QCommandLineOption elenco(QStringLiteral("elenco"));
    const QCommandLineOption esplora(QStringLiteral("esplora"));
    const QCommandLineOption ordina = valuedOption("ordina", "ordine");
    const QCommandLineOption primi = valuedOption("primi", "N");
    const QCommandLineOption fuori = valuedOption("fuori-campione", "data");
    parser.addOptions({script, parametro, formato, elenco, esplora, ordina, primi, fuori});
    range.addTo(parser);
    std::vector<QCommandLineOption> builtIn;
    for (const char* name : BuiltInOptions)
        builtIn.push_back(valuedOption(name, "valore"));
    for (const QCommandLineOption& option : builtIn)
        parser.addOption(option);
    parser.addPositionalArgument(QStringLiteral("archivio"), {});
    if (!parser.parse(QStringList{QStringLiteral("veltrano-collaudo")} + arguments)) {
        result.error = parserErrorText(parser);
        return result;
    }
    QString& error = result.error;
    for (const QCommandLineOption& option : builtIn)
        if (error.isEmpty() && parser.isSet(option))
            error = QStringLiteral("--%1 non vale con --script: le impostazioni di un metodo del giocatore sono "
                                   "i suoi parametri (--parametro nome=valore)")
                        .arg(option.names().first());
    if (error.isEmpty())
        error = repeatedOptionError(parser, {&script, &range.inizio, &range.fine, &range.dal, &range.al, &formato, &elenco, &esplora,
                                             &ordina, &primi, &fuori});
    if (error.isEmpty())
        error = readArchiveArgument(parser, o.archivePath);
    o.scriptPath = parser.value(script);
    if (error.isEmpty() && o.scriptPath.trimmed().isEmpty())
        error = QStringLiteral("--script vuole il file del metodo");
    for (const QString& assignment : parser.values(parametro)) {
        const qsizetype equals = assignment.indexOf(QLatin1Char('='));
        if (error.isEmpty() && equals <= 0)
            error = QStringLiteral("--parametro vuole nome=valore: \"%1\"").arg(assignment);
        if (error.isEmpty()) {
            const QString name = assignment.left(equals).trimmed();
            for (const auto& given : o.parametri)
                if (error.isEmpty() && given.first == name)
                    error = QStringLiteral("--parametro %1 indicato più volte").arg(name);
            o.parametri.emplace_back(name, assignment.mid(equals + 1));
        }
    }
    if (error.isEmpty())
        error = range.read(parser, o.range);
    if (error.isEmpty())
        error = readDateOption(parser, fuori, o.fuoriCampione);
    if (error.isEmpty() && parser.isSet(formato))
        error = readFormatOption(parser.value(formato), {TableFormat::Tsv, TableFormat::Csv, TableFormat::Json},
                                 o.formato);
    o.elenco = parser.isSet(elenco);
    o.esplora = parser.isSet(esplora);
    if (error.isEmpty() && parser.isSet(ordina)) {
        const QString v = parser.value(ordina).trimmed().toLower();
        if (v == QLatin1String("p") || v == QLatin1String("resa"))
            o.ordina = v == QLatin1String("p") ? SweepSettings::Order::P : SweepSettings::Order::Resa;
        else
            error = QStringLiteral("--ordina vuole p o resa: \"%1\"").arg(parser.value(ordina));
    }
    if (error.isEmpty())
        error = readPrimiOption(parser, primi, o.primi);
    if (error.isEmpty() && !o.esplora && (parser.isSet(ordina) || parser.isSet(primi) || parser.isSet(fuori)))
        error = QStringLiteral("--ordina, --primi e --fuori-campione valgono solo con --esplora");
    if (error.isEmpty() && o.esplora && o.elenco)
        error = QStringLiteral("--elenco non vale con --esplora");
    return result;
}
