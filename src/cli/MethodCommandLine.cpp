#include "cli/MethodCommandLine.h"

#include "cli/DrawRange.h"
#include "cli/MethodOptionValues.h"
#include "cli/ToolCommandLine.h"

#include <QCommandLineParser>

MethodCommandLine::MethodCommandLine(QCommandLineParser& parser)
    : m_parser(parser), m_ruote(valuedOption("ruote", "ruote")),
      m_posizioni(valuedOption("posizioni", "posizioni")), m_tipi(valuedOption("tipi", "tipi")),
      m_adiacenti(QStringLiteral("posizioni-adiacenti")), m_colpi(valuedOption("colpi", "N")),
      m_esiti(valuedOption("esiti", "esiti")), m_inizio(valuedOption("inizio", "N")),
      m_fine(valuedOption("fine", "N")), m_help(QStringLiteral("help")) {
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
