#include "cli/MethodCommandLine.h"

#include "cli/MethodOptionValues.h"

#include <QCommandLineParser>

namespace {
QCommandLineOption valued(const char* name, const char* value) {
    return QCommandLineOption(QLatin1String(name), {}, QLatin1String(value));
}
} // namespace

MethodCommandLine::MethodCommandLine(QCommandLineParser& parser)
    : m_parser(parser), m_ruote(valued("ruote", "ruote")), m_posizioni(valued("posizioni", "posizioni")),
      m_tipi(valued("tipi", "tipi")), m_adiacenti(QStringLiteral("posizioni-adiacenti")),
      m_colpi(valued("colpi", "N")), m_esiti(valued("esiti", "esiti")), m_inizio(valued("inizio", "N")),
      m_fine(valued("fine", "N")), m_help(QStringLiteral("help")) {
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

QString MethodCommandLine::read(std::initializer_list<const QCommandLineOption*> single, Values& v) const {
    const QCommandLineParser& parser = m_parser;
    using Options = std::initializer_list<const QCommandLineOption*>;
    const Options shared{&m_inizio, &m_fine, &m_ruote, &m_posizioni, &m_tipi, &m_colpi, &m_esiti};
    for (const Options& options : {shared, single})
        for (const QCommandLineOption* option : options)
            if (parser.values(*option).size() > 1)
                return QStringLiteral("--%1 indicata più volte").arg(option->names().first());
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 1)
        return positional.isEmpty() ? QStringLiteral("manca l'archivio delle estrazioni")
                                    : QStringLiteral("un solo archivio, non %1").arg(positional.size());
    v.archivePath = positional.first();

    for (auto [option, target] : {std::pair{&m_inizio, &v.inizio}, std::pair{&m_fine, &v.fine}}) {
        if (!parser.isSet(*option))
            continue;
        const auto n = optionWholeNumber(parser.value(*option));
        if (!n)
            return QStringLiteral("--%1 vuole un numero di estrazione: \"%2\"")
                .arg(option->names().first(), parser.value(*option));
        *target = *n;
    }
    QString error;
    if (parser.isSet(m_ruote))
        error = readWheelOption(parser.value(m_ruote), v.wheels);
    if (error.isEmpty() && parser.isSet(m_posizioni))
        error = readPositionOption(parser.value(m_posizioni), v.positions);
    if (error.isEmpty() && parser.isSet(m_tipi))
        error = readTypeOption(parser.value(m_tipi), v.types);
    v.adjacentPositions = parser.isSet(m_adiacenti);
    if (error.isEmpty() && parser.isSet(m_colpi))
        error = readBoundedOption(QStringLiteral("colpi"), parser.value(m_colpi), 1, 18, v.colpi);
    if (error.isEmpty() && parser.isSet(m_esiti))
        error = readOutcomeOption(parser.value(m_esiti), v.boxes);
    return error;
}

QString drawBoundsError(const std::optional<int>& inizio, const std::optional<int>& fine, int drawCount) {
    for (auto [name, bound] : {std::pair{"inizio", inizio}, std::pair{"fine", fine}}) {
        if (bound && (*bound < 1 || *bound > drawCount))
            return QStringLiteral("--%1 %2 fuori dall'archivio (estrazioni da 1 a %3)")
                .arg(QLatin1String(name))
                .arg(*bound)
                .arg(drawCount);
    }
    if (inizio && fine && *inizio > *fine)
        return reversedBoundsError(*inizio, *fine);
    return {};
}

QString reversedBoundsError(int inizio, int fine) {
    return QStringLiteral("--inizio %1 dopo --fine %2").arg(inizio).arg(fine);
}
