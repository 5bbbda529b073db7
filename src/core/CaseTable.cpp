#include "core/CaseTable.h"

#include "core/DrawArchive.h"

#include <QStringList>

namespace caseTable {

namespace {

// The header texts, separated by '|'.
const char* const HeaderTexts =
    "     |N° Estr|Data Estraz  |DEP |Inizio |Fine  |Fine A|r1|R1 |N1 |N2 |N3 |N4 |N5 "
    "|N° Estr|Data Estraz  |R2|R2 |N1 |N2 |N3 |N4 |N5 |1|2|3|4|5|Ambata|A1|A2|A3|Colpo"
    "|R1|R2|Quartina|A1|A2|A3";

const char* const SummaryLabels[SummaryLines] = {"N° casi", "Positivi", "Negativi", "In gioco",
                                                 "Ambate",  "Ambi",     "Terni",    "Quaterne"};

void writeNumbers(Row& row, int firstColumn, const std::array<std::int16_t, PositionCount>& numbers) {
    for (int p = 0; p < PositionCount; ++p)
        row[static_cast<std::size_t>(firstColumn + p)] =
            QString::number(numbers[static_cast<std::size_t>(p)]);
}

QString& cell(Row& row, int column) {
    return row[static_cast<std::size_t>(column)];
}

void appendText(QString& text, const QString& separator, const QString& entry) {
    text = text.isEmpty() ? entry : text + separator + entry;
}

} // namespace

QString headers() {
    return QString::fromUtf8(HeaderTexts);
}

QString header(int column) {
    static const QStringList texts = headers().split(QLatin1Char('|'));
    return column >= 0 && column < HeaderCount ? texts[column] : QString();
}

bool shown(int column) {
    if (column < 0 || column >= HeaderCount)
        return false;
    // "DEP", the draws played, "Fine A" and the first wheel's number; the second copy of the draw and its
    // date and the second wheel's number; the five columns after the second wheel's numbers.
    const bool hidden = (column >= Gap && column <= Wheel1) || (column >= Draw2 && column <= Wheel2) ||
                        (column >= Numbers2 + PositionCount && column < Ambata);
    return !hidden;
}

void writeCase(Row& row, const EqualAmboCase& c, int number, int colpi, const DrawArchive& archive) {
    const QString draw = QString::number(c.draw);
    const QString& date = archive.drawDate(c.draw);
    cell(row, Number) = QString::number(number);
    cell(row, Draw) = draw;
    cell(row, Date) = date;
    cell(row, PlayFirst) = QString::number(c.draw + 1);
    cell(row, PlayLast) = QString::number(static_cast<std::int32_t>(c.draw) + colpi);
    cell(row, Wheel1) = QString::number(c.wheel1);
    cell(row, Code1) = archive.wheelCode(c.wheel1);
    cell(row, Draw2) = draw;
    cell(row, Date2) = date;
    cell(row, Wheel2) = QString::number(c.wheel2);
    cell(row, Code2) = archive.wheelCode(c.wheel2);
    cell(row, Ambata) = QString::number(c.forecast.Ambata);
    cell(row, A1) = QString::number(c.forecast.A1);
    cell(row, A2) = QString::number(c.forecast.A2);
    cell(row, A3) = QString::number(c.forecast.A3);
    writeNumbers(row, Numbers1, c.numbers1);
    writeNumbers(row, Numbers2, c.numbers2);
}

void writeOutcome(Row& row, const EqualAmboCase& c, const CaseOutcome& o, const DrawArchive& archive) {
    if (!o.positive())
        return;
    cell(row, Colpo) = QString::number(o.colpo);
    const std::array<int, 2> wheels{c.wheel1, c.wheel2};
    const std::array<int, 2> ambataColumns{AmbataCode1, AmbataCode2};
    for (int i = 0; i < 2; ++i)
        if (o.ambata[static_cast<std::size_t>(i)] != 0)
            cell(row, ambataColumns[static_cast<std::size_t>(i)]) =
                archive.wheelCode(wheels[static_cast<std::size_t>(i)]);
    for (int q = 0; q < o.quartinaCount; ++q) {
        const QuartinaHit& hit = o.quartina[static_cast<std::size_t>(q)];
        QString collected;
        for (int k = 0; k < hit.count; ++k)
            collected += (k == 0 ? QString() : QStringLiteral(" ")) +
                         QString::number(hit.numbers[static_cast<std::size_t>(k)]);
        appendText(cell(row, Quartina), QStringLiteral("/"),
                   archive.wheelCode(hit.wheel) + QLatin1Char(' ') + collected);
    }
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 2; ++j)
            if (o.ambi[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)])
                appendText(cell(row, Ambi + i), QStringLiteral("-"),
                           archive.wheelCode(wheels[static_cast<std::size_t>(j)]));
}

QString summaryLabel(int line) {
    return QString::fromUtf8(SummaryLabels[line]);
}

std::int32_t summaryCount(const VerificationTotals& t, int line) {
    const std::array<std::int32_t, SummaryLines> counts{t.casi,   t.positivi, t.negativi(), t.inGioco,
                                                        t.ambate, t.ambi,     t.terni,      t.quaterne};
    return counts[static_cast<std::size_t>(line)];
}

std::optional<double> summaryShare(const VerificationTotals& t, int line) {
    if (t.casi <= 0 || line < 1 || line > 6)
        return std::nullopt;
    const std::int32_t hundredfold = summaryCount(t, line) * 100;
    return static_cast<double>(hundredfold) / t.casi;
}

} // namespace caseTable
