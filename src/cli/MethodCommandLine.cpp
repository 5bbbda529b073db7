#include "cli/MethodCommandLine.h"

#include "cli/CommandLineError.h"
#include "cli/DrawRangeOptions.h"
#include "cli/MethodOptionValues.h"
#include "cli/ToolCommandLine.h"

#include <QCommandLineParser>
#include <QRegularExpression>
#include <algorithm>
#include <functional>

namespace {
QCommandLineOption valued(const QString& name, const char* value) {
    return QCommandLineOption(name, {}, QLatin1String(value));
}

QCommandLineOption valued(const MethodSettings::Name& name, const char* value) {
    return valued(optionName(name), value);
}

// "  --colpi N               colpi di gioco, ...": every description starts in the same column.
constexpr int UsageColumn = 26;

// A list option's default: its word for every value when all are chosen, else the values.
template <std::size_t N>
QString listDefault(const std::array<bool, N>& chosen, const char* all, const QString& values) {
    return std::ranges::all_of(chosen, std::identity{}) ? QString::fromUtf8(all) : values;
}
} // namespace

MethodCommandLine::MethodCommandLine(QCommandLineParser& parser)
    : m_parser(parser), m_ruote(valued(MethodSettings::WheelsName, "ruote")),
      m_posizioni(valued(MethodSettings::PositionsName, "posizioni")),
      m_tipi(valued(MethodSettings::TypesName, "tipi")),
      m_adiacenti(optionName(MethodSettings::AdjacentName)), m_colpi(valued(MethodSettings::ColpiName, "N")),
      m_esiti(valued(MethodSettings::OutcomesName, "esiti")), m_inizio(valued(QStringLiteral("inizio"), "N")),
      m_fine(valued(QStringLiteral("fine"), "N")), m_help(QStringLiteral("help")) {
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions(
        {m_inizio, m_fine, m_ruote, m_posizioni, m_tipi, m_adiacenti, m_colpi, m_esiti, m_help});
    parser.addPositionalArgument(QStringLiteral("archivio"), {});
}

bool MethodCommandLine::help() const {
    return m_parser.isSet(m_help);
}

bool MethodCommandLine::combinationChosen() const {
    return m_parser.isSet(m_tipi) || m_parser.isSet(m_posizioni) || m_parser.isSet(m_adiacenti) ||
           m_parser.isSet(m_colpi);
}

bool MethodCommandLine::colpiChosen() const {
    return m_parser.isSet(m_colpi);
}

QStringList MethodCommandLine::equalAmboOptionsGiven() const {
    QStringList given;
    for (const QCommandLineOption* option : {&m_posizioni, &m_tipi, &m_adiacenti, &m_esiti})
        if (m_parser.isSet(*option))
            given << QStringLiteral("--") + option->names().first();
    return given;
}

QString MethodCommandLine::usageLine(const QString& option, const QString& text) {
    return (QStringLiteral("  --") + option).leftJustified(UsageColumn) + text + QLatin1Char('\n');
}

QString MethodCommandLine::methodUsage() {
    const MethodSettings d;
    QStringList wheels;
    for (std::size_t w = 0; w < d.wheels.size(); ++w)
        if (d.wheels[w])
            wheels << QString::fromLatin1(WheelNames[w].code);
    WheelRelations::Types everyType;
    everyType.fill(true);
    return usageLine(optionName(MethodSettings::WheelsName) + QStringLiteral(" BA,CA,..."),
                     QStringLiteral("ruote selezionate (predefinite: %1)")
                         .arg(listDefault(d.wheels, "tutte le undici", wheels.join(QLatin1Char(','))))) +
           usageLine(optionName(MethodSettings::PositionsName) + QStringLiteral(" 1,2,..."),
                     QStringLiteral("posizioni selezionate (predefinite: %1)")
                         .arg(listDefault(d.positions, "tutte", positionOptionValue(d.positions)))) +
           usageLine(optionName(MethodSettings::TypesName) + QStringLiteral(" T,..."),
                     QStringLiteral("tipi di ruote: %1").arg(typeOptionValue(everyType))) +
           QString(UsageColumn, QLatin1Char(' ')) +
           QStringLiteral("(predefiniti: %1)\n").arg(typeOptionValue(d.types)) +
           usageLine(optionName(MethodSettings::AdjacentName),
                     QStringLiteral("solo ambi su posizioni adiacenti")) +
           usageLine(optionName(MethodSettings::ColpiName) + QStringLiteral(" N"),
                     QStringLiteral("colpi di gioco, da 1 a %1 (predefinito: %2)")
                         .arg(MethodSettings::MaxColpi)
                         .arg(d.colpi));
}

QString MethodCommandLine::outcomeUsage() {
    const MethodSettings d;
    return usageLine(optionName(MethodSettings::OutcomesName) + QStringLiteral(" E,..."),
                     QStringLiteral("esiti verificati: %1 (predefiniti: %2)")
                         .arg(outcomeOptionValue(OutcomeBoxes{true, true, true, true}),
                              listDefault(d.boxes.flags(), "tutti", outcomeOptionValue(d.boxes))));
}

QString MethodCommandLine::read(std::initializer_list<const QCommandLineOption*> single, Values& v) const {
    const QCommandLineParser& parser = m_parser;
    QString error = repeatedOptionError(
        parser, {&m_inizio, &m_fine, &m_ruote, &m_posizioni, &m_tipi, &m_colpi, &m_esiti});
    if (error.isEmpty())
        error = repeatedOptionError(parser, single);
    if (error.isEmpty())
        error = readArchiveArgument(parser, v.archivePath);
    if (!error.isEmpty())
        return error;
    error = readDrawNumberOption(parser, m_inizio, v.inizio);
    if (error.isEmpty())
        error = readDrawNumberOption(parser, m_fine, v.fine);
    if (error.isEmpty() && parser.isSet(m_ruote))
        error = readWheelOption(parser.value(m_ruote), v.wheels);
    if (error.isEmpty() && parser.isSet(m_posizioni)) {
        error = readPositionOption(parser.value(m_posizioni), v.positions);
        if (error.isEmpty() && std::ranges::none_of(v.positions, std::identity{}))
            error = QStringLiteral("--posizioni vuole almeno una posizione");
    }
    if (error.isEmpty() && parser.isSet(m_tipi))
        error = readTypeOption(parser.value(m_tipi), v.types);
    v.adjacentPositions = parser.isSet(m_adiacenti);
    if (error.isEmpty() && parser.isSet(m_colpi))
        error = readBoundedOption(optionName(MethodSettings::ColpiName), parser.value(m_colpi), 1,
                                  MethodSettings::MaxColpi, v.colpi);
    if (error.isEmpty() && parser.isSet(m_esiti))
        error = readOutcomeOption(parser.value(m_esiti), v.boxes);
    return error;
}

QString parserErrorText(const QCommandLineParser& parser) {
    const QStringList unknown = parser.unknownOptionNames();
    if (!unknown.isEmpty()) {
        QStringList dashed;
        for (const QString& name : unknown)
            dashed << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
        return dashed.size() == 1
                   ? QString::fromStdString(unknownOptionError(dashed.first().toStdString()))
                   : QStringLiteral("Opzioni sconosciute: %1").arg(dashed.join(QStringLiteral(", ")));
    }
    // The option's name is what Qt quotes; the rest of its sentence is replaced.
    static const QRegularExpression quoted(QStringLiteral("'([^']*)'"));
    const QString text = parser.errorText();
    const QString option = quoted.match(text).captured(1);
    if (text.startsWith(QLatin1String("Missing value")))
        return QString::fromStdString(missingValueError(option.toStdString()));
    if (text.startsWith(QLatin1String("Unexpected value")))
        return QStringLiteral("%1 non vuole un valore").arg(option);
    return QStringLiteral("Riga di comando non valida");
}
