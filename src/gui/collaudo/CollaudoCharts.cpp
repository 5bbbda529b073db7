#include "gui/collaudo/CollaudoCharts.h"

#include "gui/kit/ItalianFormat.h"

#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QDateTimeAxis>
#include <QLineSeries>
#include <QLocale>
#include <QPen>
#include <QValueAxis>
#include <algorithm>
#include <array>
#include <cmath>
#include <span>

namespace {

const QColor Observed(29, 53, 87);  // the icon set's dark blue
const QColor Chance(214, 40, 40);   // its red, dashed: what luck alone gives
const QColor Positive(42, 157, 75); // its green

constexpr std::size_t MostBalancePoints = 1600;

QChart* newChart(const QString& title) {
    auto* chart = new QChart;
    chart->setTitle(title);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setMargins(QMargins(4, 4, 4, 4));
    chart->setLocale(QLocale(QLocale::Italian, QLocale::Italy));
    chart->setLocalizeNumbers(true);
    return chart;
}

QLineSeries* line(const QString& name, const QColor& colour, bool dashed) {
    auto* series = new QLineSeries;
    series->setName(name);
    QPen pen(colour, 2);
    if (dashed)
        pen.setStyle(Qt::DashLine);
    series->setPen(pen);
    return series;
}

QValueAxis* valueAxis(const QString& title, double low, double high) {
    auto* axis = new QValueAxis;
    axis->setTitleText(title);
    if (high <= low)
        high = low + 1.0;
    axis->setRange(low, high);
    axis->applyNiceNumbers();
    return axis;
}

// A day as the time axis reads it: noon UTC. A local time would ask the C library for the time zone,
// which reads /etc/localtime on every conversion (tens of thousands per back-test); noon keeps the local
// date in every zone within twelve hours of UTC.
QDateTime dayOnAxis(const QDate& day) {
    return QDateTime(day, QTime(12, 0), Qt::UTC);
}

// Whole numbers on a value axis, with the Italian thousands separator the chart's locale gives them. The
// ticks fall on whole numbers too: fixed ticks over a short range would round to "0, 0, 1, 1".
void wholeLabels(QValueAxis* axis) {
    axis->setLabelFormat(QStringLiteral("%.0f"));
    if (axis->tickType() == QValueAxis::TicksDynamic)
        return;
    const double rough = (axis->max() - axis->min()) / 6.0;
    double step = 1.0;
    if (rough > 1.0) {
        const double magnitude = std::pow(10.0, std::floor(std::log10(rough)));
        step = magnitude * 10.0;
        for (double factor : {1.0, 2.0, 5.0})
            if (magnitude * factor >= rough) {
                step = magnitude * factor;
                break;
            }
    }
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0.0);
    axis->setTickInterval(step);
}

} // namespace

namespace collaudoCharts {

QChart* positivesByColpo(const std::vector<ColpoShare>& points) {
    QChart* chart = newChart(QStringLiteral("Positivi per colpo (cumulati)"));
    if (std::all_of(points.begin(), points.end(),
                    [](const ColpoShare& p) { return p.observed == 0.0 && p.expected == 0.0; })) {
        // No complete case: lines at zero on a 0-1 axis would only look like a result.
        chart->legend()->hide();
        return chart;
    }
    QLineSeries* observed = line(QStringLiteral("Casi positivi"), Observed, false);
    QLineSeries* expected = line(QStringLiteral("Attesi per puro caso"), Chance, true);
    QList<QPointF> seen;
    QList<QPointF> chance;
    double top = 0.0;
    for (const ColpoShare& p : points) {
        seen.append(QPointF(p.colpo, p.observed * 100.0));
        chance.append(QPointF(p.colpo, p.expected * 100.0));
        top = std::max({top, p.observed * 100.0, p.expected * 100.0});
    }
    // One replace instead of a change signal per point.
    observed->replace(seen);
    expected->replace(chance);
    chart->addSeries(observed);
    chart->addSeries(expected);
    auto* x = valueAxis(QStringLiteral("Colpo"), 1, points.empty() ? 1 : points.back().colpo);
    x->setTickType(QValueAxis::TicksDynamic);
    x->setTickAnchor(1);
    x->setTickInterval(points.size() > 12 ? 2 : 1);
    wholeLabels(x);
    auto* y = valueAxis(QStringLiteral("% dei casi completi"), 0, std::max(top, 1.0));
    wholeLabels(y);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    for (QLineSeries* s : {observed, expected}) {
        s->attachAxis(x);
        s->attachAxis(y);
    }
    return chart;
}

TimeAxisLayout timeAxisLayout(const QDate& first, const QDate& last) {
    const int days = static_cast<int>(first.daysTo(last));
    if (days > 90) {
        // Ticks are spread evenly, and years and months differ in length: anchored in the middle of a year
        // (of a month) a tick never slips into the next one, so no label shows twice.
        const bool years = days > 3 * 365;
        const QDate mid = years ? QDate(first.year(), 7, 1) : QDate(first.year(), first.month(), 15);
        const QDate from = mid <= first ? mid : years ? mid.addYears(-1) : mid.addMonths(-1);
        const auto after = [&from, years](int units) {
            return years ? from.addYears(units) : from.addMonths(units);
        };
        int units = 1;
        while (after(units) < last)
            ++units;
        int step = 1;
        static constexpr std::array<int, 8> yearSteps{1, 2, 5, 10, 20, 25, 50, 100};
        static constexpr std::array<int, 5> monthSteps{1, 2, 3, 6, 12};
        for (int candidate : years ? std::span<const int>(yearSteps) : std::span<const int>(monthSteps)) {
            step = candidate;
            // A third of a chart's width holds about six year labels side by side.
            if ((units + step - 1) / step <= 5)
                break;
        }
        const int ticks = (units + step - 1) / step + 1;
        return {from, after((ticks - 1) * step), ticks,
                years ? QStringLiteral("yyyy") : QStringLiteral("MM/yyyy")};
    }
    // Days: never more ticks than days, so that two ticks never fall on the same date.
    const QDate to = days > 0 ? last : first.addDays(1);
    const int ticks = std::min(7, static_cast<int>(first.daysTo(to)) + 1);
    return {first, to, ticks, QStringLiteral("dd/MM/yyyy")};
}

QChart* balanceOverTime(const std::vector<BalanceStep>& steps, std::optional<double> yield) {
    if (!yield) {
        // Nothing was played: a line at zero on an axis of zeros would only look like a result.
        QChart* empty = newChart(steps.empty() ? QStringLiteral("Saldo nel tempo: nessun caso")
                                               : QStringLiteral("Saldo nel tempo: nessuna giocata, tutte "
                                                                "le poste sono a zero"));
        empty->legend()->hide();
        return empty;
    }
    QChart* chart = newChart(QStringLiteral("Saldo nel tempo (resa %1)").arg(italian::percent(*yield)));
    QLineSeries* balance = line(QStringLiteral("Saldo cumulato"), Observed, false);
    double low = 0.0;
    double high = 0.0;
    // A chart is a few hundred pixels wide: over thousands of dates each group of neighbouring steps is
    // drawn by its first, lowest, highest and last step, in their order, which keeps the line's ends and
    // its every swing.
    const std::size_t groups = MostBalancePoints / 4;
    const std::size_t group = std::max<std::size_t>(1, (steps.size() + groups - 1) / groups);
    QList<QPointF> line;
    line.reserve(static_cast<qsizetype>(std::min(steps.size(), MostBalancePoints)));
    for (std::size_t from = 0; from < steps.size(); from += group) {
        const auto first = steps.begin() + static_cast<std::ptrdiff_t>(from);
        const auto end = steps.begin() + static_cast<std::ptrdiff_t>(std::min(from + group, steps.size()));
        const auto [lowest, highest] = std::minmax_element(
            first, end, [](const BalanceStep& a, const BalanceStep& b) { return a.balance < b.balance; });
        std::array kept{first, std::min(lowest, highest), std::max(lowest, highest), end - 1};
        for (std::size_t k = 0; k < kept.size(); ++k)
            if (k == 0 || kept[k] != kept[k - 1])
                line.append(QPointF(static_cast<double>(dayOnAxis(kept[k]->date).toMSecsSinceEpoch()),
                                    kept[k]->balance));
        low = std::min(low, lowest->balance);
        high = std::max(high, highest->balance);
    }
    balance->replace(line);
    chart->addSeries(balance);
    chart->legend()->hide();
    auto* x = new QDateTimeAxis;
    x->setTitleText(QStringLiteral("Data"));
    if (!steps.empty()) {
        // Years are what a long history is read by; a shorter range needs the month, a few weeks the day.
        const TimeAxisLayout layout = timeAxisLayout(steps.front().date, steps.back().date);
        x->setFormat(layout.format);
        x->setTickCount(layout.ticks);
        x->setRange(dayOnAxis(layout.from), dayOnAxis(layout.to));
    }
    auto* y = valueAxis(QStringLiteral("Saldo (poste)"), low, high);
    wholeLabels(y);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    balance->attachAxis(x);
    balance->attachAxis(y);
    return chart;
}

QChart* positivesPerYear(const std::vector<YearPositives>& years) {
    QChart* chart = newChart(QStringLiteral("Positivi per anno"));
    if (years.empty()) {
        // No case: no axis of years to draw (the panel says "nessun dato").
        chart->legend()->hide();
        return chart;
    }
    // The positives as bars, what chance expects as a dashed line over them: two bars a year would be
    // too thin to read over decades.
    auto* observed = new QBarSet(QStringLiteral("Positivi"));
    observed->setColor(Positive);
    observed->setBorderColor(Positive);
    QLineSeries* expected = line(QStringLiteral("Attesi per puro caso"), Chance, true);
    QList<qreal> seen;
    QList<QPointF> chance;
    double top = 0.0;
    for (const YearPositives& y : years) {
        chance.append(QPointF(static_cast<double>(seen.size()), y.expected));
        seen.append(y.positives);
        top = std::max({top, static_cast<double>(y.positives), y.expected});
    }
    observed->append(seen);
    expected->replace(chance);
    auto* bars = new QBarSeries;
    bars->append(observed);
    bars->setBarWidth(0.9);
    chart->addSeries(bars);
    chart->addSeries(expected);
    // Decades of bars leave no room for a label each: a bare axis of the bars' places carries them, and a
    // value axis of years beneath it is labelled every few years. (An axis of categories would make a
    // label for every year, shown or not, at a cost each time the chart is built.)
    auto* x = new QValueAxis;
    x->setRange(-0.5, static_cast<double>(seen.size()) - 0.5);
    x->setLabelsVisible(false);
    x->setGridLineVisible(false);
    x->setLineVisible(false);
    x->setTickCount(2);
    auto* yearAxis = new QValueAxis;
    yearAxis->setTitleText(QStringLiteral("Anno"));
    const int firstYear = years.empty() ? 0 : years.front().year;
    const int lastYear = years.empty() ? 1 : years.back().year;
    yearAxis->setRange(firstYear - 0.5, lastYear + 0.5);
    yearAxis->setLabelFormat(QStringLiteral("%.0f"));
    yearAxis->setTickType(QValueAxis::TicksDynamic);
    const int span = lastYear - firstYear + 1;
    const int step = span > 60 ? 20 : span > 30 ? 10 : span > 12 ? 5 : span > 6 ? 2 : 1;
    yearAxis->setTickAnchor(firstYear - firstYear % step);
    yearAxis->setTickInterval(step);
    yearAxis->setGridLineVisible(false);
    auto* y = valueAxis(QStringLiteral("Casi positivi"), 0, std::max(top, 1.0));
    wholeLabels(y);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(yearAxis, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    for (QAbstractSeries* series :
         {static_cast<QAbstractSeries*>(bars), static_cast<QAbstractSeries*>(expected)}) {
        series->attachAxis(x);
        series->attachAxis(y);
    }
    // Years read without a thousands separator; the counts here stay below a thousand a year.
    chart->setLocalizeNumbers(false);
    return chart;
}

} // namespace collaudoCharts
