#include "gui/statistiche/StatisticheCharts.h"

#include <QAreaSeries>
#include <QCategoryAxis>
#include <QChart>
#include <QFont>
#include <QLineSeries>
#include <QLocale>
#include <QLogValueAxis>
#include <QPen>
#include <QScatterSeries>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace {

const QColor Observed(29, 53, 87); // the icon set's dark blue
const QColor Chance(214, 40, 40);  // its red, dashed: what luck alone gives

// The upper bounds of the classes but the last.
constexpr std::array<double, statisticheCharts::PClasses - 1> ClassBounds{0.001, 0.01, 0.05, 0.25};

QChart* newChart(const QString& title) {
    auto* chart = new QChart;
    chart->setTitle(title);
    QFont titleFont = chart->titleFont();
    titleFont.setPointSizeF(std::max(titleFont.pointSizeF() - 1.0, 7.0));
    chart->setTitleFont(titleFont);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setMargins(QMargins(4, 4, 4, 4));
    chart->setLocale(QLocale(QLocale::Italian, QLocale::Italy));
    chart->setLocalizeNumbers(true);
    return chart;
}

// A power of ten at or below a positive value, and one at or above it.
double decadeBelow(double v) {
    return std::pow(10.0, std::floor(std::log10(v)));
}
double decadeAbove(double v) {
    return std::pow(10.0, std::ceil(std::log10(v)));
}

} // namespace

namespace statisticheCharts {

QChart* runsAgainstChance(const std::vector<RunBin>& bins) {
    QChart* chart = newChart(QStringLiteral("Serie di estrazioni senza uscita (scala logaritmica)"));
    if (std::none_of(bins.begin(), bins.end(), [](const RunBin& b) { return b.observed > 0 && b.to > 0; })) {
        // No run longer than nothing (a period without draws): no axes to draw (the panel says "nessun dato").
        chart->legend()->hide();
        return chart;
    }
    auto* observed = new QScatterSeries;
    observed->setName(QStringLiteral("Osservate"));
    observed->setMarkerSize(6.0);
    observed->setColor(Observed);
    observed->setBorderColor(Observed);
    auto* expected = new QLineSeries;
    expected->setName(QStringLiteral("Attese per puro caso (legge geometrica)"));
    QPen pen(Chance, 2);
    pen.setStyle(Qt::DashLine);
    expected->setPen(pen);
    // A logarithmic scale has no room for nothing: empty bins are left out.
    QList<QPointF> seen;
    QList<QPointF> chance;
    double low = 1.0;
    double high = 1.0;
    for (const RunBin& b : bins) {
        const double x = (b.from + b.to) / 2.0;
        if (b.observed > 0) {
            seen.append(QPointF(x, b.observed));
            low = std::min(low, b.observed);
            high = std::max(high, b.observed);
        }
        if (b.expected >= 0.01) {
            chance.append(QPointF(x, b.expected));
            low = std::min(low, b.expected);
            high = std::max(high, b.expected);
        }
    }
    observed->replace(seen);
    expected->replace(chance);
    chart->addSeries(expected);
    chart->addSeries(observed);
    auto* x = new QValueAxis;
    x->setTitleText(QStringLiteral("Estrazioni senza uscita"));
    x->setRange(0, bins.empty() ? 1 : std::max(bins.back().to, 1));
    x->applyNiceNumbers();
    x->setLabelFormat(QStringLiteral("%.0f"));
    auto* y = new QLogValueAxis;
    y->setTitleText(QStringLiteral("Serie"));
    // A label every decade while they fit, every second one over a wider span.
    const double bottom = decadeBelow(low);
    const double top = decadeAbove(high * 1.01);
    y->setBase(std::log10(top / bottom) > 5.0 ? 100.0 : 10.0);
    y->setRange(bottom, top);
    // Up to a million runs written out whole, and the fractions chance gives at the far end.
    y->setLabelFormat(QStringLiteral("%.7g"));
    y->setMinorTickCount(0);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    for (QAbstractSeries* s :
         {static_cast<QAbstractSeries*>(observed), static_cast<QAbstractSeries*>(expected)}) {
        s->attachAxis(x);
        s->attachAxis(y);
    }
    return chart;
}

int pClass(double p) {
    const auto bound = std::upper_bound(ClassBounds.begin(), ClassBounds.end(), p);
    return static_cast<int>(bound - ClassBounds.begin());
}

QString pClassName(int c) {
    static const char* const names[PClasses] = {"p &lt; 0,001", "0,001 – 0,01", "0,01 – 0,05", "0,05 – 0,25",
                                                "p ≥ 0,25"};
    return QString::fromUtf8(names[std::clamp(c, 0, PClasses - 1)]);
}

QColor pClassColour(int c) {
    static const QColor colours[PClasses] = {QColor(128, 0, 38), QColor(214, 40, 40), QColor(244, 140, 60),
                                             QColor(253, 219, 138), QColor(226, 234, 242)};
    return colours[std::clamp(c, 0, PClasses - 1)];
}

QChart* delayMap(const std::vector<MapRow>& rows) {
    QChart* chart = newChart(QStringLiteral("Ritardi attuali dei numeri, colorati secondo il p ritardo"));
    // The legend beside the map leaves its height to the eleven rows.
    chart->legend()->setAlignment(Qt::AlignRight);
    auto* x = new QValueAxis;
    x->setRange(0.5, 90.5);
    x->setTickType(QValueAxis::TicksDynamic);
    x->setTickAnchor(10.0);
    x->setTickInterval(10.0);
    x->setLabelFormat(QStringLiteral("%.0f"));
    x->setGridLineVisible(false);
    // Each code stands on its row's middle line: labels centred between the category bounds lose the
    // first and the last at the axis' ends.
    auto* y = new QCategoryAxis;
    y->setStartValue(-1.0);
    for (std::size_t i = 0; i < rows.size(); ++i)
        y->append(rows[i].wheel, static_cast<double>(i));
    y->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    y->setRange(-0.5, std::max<double>(static_cast<double>(rows.size()) - 0.5, 0.5));
    y->setReverse(true); // Bari on top, as the wheels are listed everywhere
    // Eleven rows share a short height: a smaller type keeps every wheel's code whole.
    QFont codes = y->labelsFont();
    codes.setPointSizeF(std::max(codes.pointSizeF() - 2.0, 6.0));
    y->setLabelsFont(codes);
    y->setGridLineVisible(false);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);

    // Each class is one area: along each wheel's row, up to its upper edge over the numbers of the class
    // and back to its lower edge under the others, then back along the lower edge; the strokes that go
    // back over themselves enclose nothing, so only the class's cells are filled.
    for (int c = 0; c < PClasses; ++c) {
        QList<QPointF> outline;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const double low = static_cast<double>(i) - 0.42;
            const double high = static_cast<double>(i) + 0.42;
            outline.append(QPointF(0.5, low));
            for (int n = 1; n <= 90; ++n) {
                const double edge =
                    pClass(rows[i].pRitardo[static_cast<std::size_t>(n - 1)]) == c ? high : low;
                outline.append(QPointF(n - 0.5, edge));
                outline.append(QPointF(n + 0.5, edge));
            }
            outline.append(QPointF(90.5, low));
            outline.append(QPointF(0.5, low));
        }
        auto* area = new QAreaSeries;
        auto* upper = new QLineSeries(area);
        upper->replace(outline);
        auto* lower = new QLineSeries(area);
        if (!outline.isEmpty())
            lower->append(outline.front());
        area->setUpperSeries(upper);
        area->setLowerSeries(lower);
        area->setName(pClassName(c));
        area->setBrush(pClassColour(c));
        area->setPen(Qt::NoPen);
        chart->addSeries(area);
        area->attachAxis(x);
        area->attachAxis(y);
    }
    return chart;
}

} // namespace statisticheCharts
