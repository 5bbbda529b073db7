#include "cli/DrawRangeOptions.h"

#include "cli/MethodOptionValues.h"
#include "cli/ToolCommandLine.h"
#include "core/DrawArchive.h"
#include "core/DrawRange.h"

#include <QCommandLineParser>
#include <tuple>
#include <utility>

std::optional<QDate> commandLineDate(const QString& text) {
    for (const char* format : {"yyyy-MM-dd", "dd/MM/yyyy", "d/M/yyyy"}) {
        const QDate d = QDate::fromString(text.trimmed(), QLatin1String(format));
        if (d.isValid())
            return d;
    }
    return std::nullopt;
}

QString readDrawNumberOption(const QCommandLineParser& parser, const QCommandLineOption& option,
                             std::optional<int>& out) {
    if (!parser.isSet(option))
        return {};
    out = optionWholeNumber(parser.value(option));
    if (!out)
        return QStringLiteral("--%1 vuole un numero di estrazione: \"%2\"")
            .arg(option.names().first(), parser.value(option));
    return {};
}

QString readDateOption(const QCommandLineParser& parser, const QCommandLineOption& option,
                       std::optional<QDate>& out) {
    if (!parser.isSet(option))
        return {};
    out = commandLineDate(parser.value(option));
    if (!out)
        return QStringLiteral("--%1 vuole una data (AAAA-MM-GG o GG/MM/AAAA): \"%2\"")
            .arg(option.names().first(), parser.value(option));
    return {};
}

QString rangeGivenTwiceError() {
    return QStringLiteral("l'intervallo va dato con --inizio/--fine oppure con --dal/--al, non con entrambi");
}

QString readDateRangeOptions(const QCommandLineParser& parser, const QCommandLineOption& dal,
                             const QCommandLineOption& al, DrawRangeOptions& range) {
    for (auto [option, target] : {std::pair{&dal, &range.dal}, std::pair{&al, &range.al}})
        if (QString error = readDateOption(parser, *option, *target); !error.isEmpty())
            return error;
    if ((range.inizio || range.fine) && (range.dal || range.al))
        return rangeGivenTwiceError();
    return {};
}

DrawRangeCommandLine::DrawRangeCommandLine()
    : inizio(valuedOption("inizio", "N")), fine(valuedOption("fine", "N")), dal(valuedOption("dal", "data")),
      al(valuedOption("al", "data")) {}

void DrawRangeCommandLine::addTo(QCommandLineParser& parser) const {
    parser.addOptions({inizio, fine, dal, al});
}

QString DrawRangeCommandLine::read(const QCommandLineParser& parser, DrawRangeOptions& range) const {
    QString error = readDrawNumberOption(parser, inizio, range.inizio);
    if (error.isEmpty())
        error = readDrawNumberOption(parser, fine, range.fine);
    if (error.isEmpty())
        error = readDateRangeOptions(parser, dal, al, range);
    return error;
}

namespace {
QString reversedBoundsError(int inizio, int fine) {
    return QStringLiteral("--inizio %1 dopo --fine %2").arg(inizio).arg(fine);
}
} // namespace

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

QString resolveDrawRange(const DrawRangeOptions& range, const DrawArchive& archive, int& first, int& last) {
    if (range.dal || range.al) {
        const auto draws = drawsBetween(archive, range.dal, range.al);
        if (!draws)
            return QStringLiteral("nessuna estrazione nell'intervallo di date");
        std::tie(first, last) = *draws;
        return {};
    }
    if (QString error = drawBoundsError(range.inizio, range.fine, archive.drawCount()); !error.isEmpty())
        return error;
    first = range.inizio.value_or(1);
    last = range.fine.value_or(archive.drawCount());
    if (first > last) // an archive without draws
        return reversedBoundsError(first, last);
    return {};
}

QString drawRangeUsage() {
    return QStringLiteral(
        "  --inizio N --fine N     numeri di estrazione (predefiniti: 1 e l'ultima)\n"
        "  --dal DATA --al DATA    date (AAAA-MM-GG o GG/MM/AAAA): la prima estrazione dal giorno,\n"
        "                          l'ultima fino al giorno\n");
}
