#include "gui/spia/SpiaCharts.h"

#include <QAreaSeries>
#include <QChart>
#include <QLineSeries>
#include <QPen>
#include <QScatterSeries>
#include <QValueAxis>
#include <algorithm>

namespace spiaCharts {

QChart* presencesAgainstChance(const std::array<int, 90>& presenze, double attese, double deviazione) {
    auto* chart = new QChart;
    chart->setTitle(QStringLiteral("Presenze dei 90 numeri e la fascia del caso (attese ± 2 deviazioni)"));
    chart->legend()->setAlignment(Qt::AlignBottom);

    auto* upper = new QLineSeries;
    auto* lower = new QLineSeries;
    const double high = attese + 2.0 * deviazione;
    const double low = std::max(0.0, attese - 2.0 * deviazione);
    upper->append(0.5, high);
    upper->append(90.5, high);
    lower->append(0.5, low);
    lower->append(90.5, low);
    auto* band = new QAreaSeries(upper, lower);
    band->setName(QStringLiteral("Fascia del caso"));
    band->setColor(QColor(200, 220, 255));
    band->setBorderColor(QColor(200, 220, 255));
    chart->addSeries(band);

    auto* expected = new QLineSeries;
    expected->setName(QStringLiteral("Attese"));
    expected->append(0.5, attese);
    expected->append(90.5, attese);
    QPen dashed(QColor(40, 80, 200));
    dashed.setStyle(Qt::DashLine);
    dashed.setWidth(2);
    expected->setPen(dashed);
    chart->addSeries(expected);

    auto* observed = new QScatterSeries;
    observed->setName(QStringLiteral("Presenze"));
    observed->setMarkerSize(7.0);
    observed->setColor(QColor(200, 40, 40));
    int most = 0;
    for (int n = 1; n <= 90; ++n) {
        const int count = presenze[static_cast<std::size_t>(n - 1)];
        observed->append(n, count);
        most = std::max(most, count);
    }
    chart->addSeries(observed);

    auto* x = new QValueAxis;
    x->setRange(0.5, 90.5);
    x->setTickType(QValueAxis::TicksDynamic);
    x->setTickAnchor(10.0);
    x->setTickInterval(10.0);
    x->setLabelFormat(QStringLiteral("%d"));
    x->setTitleText(QStringLiteral("Numero che segue"));
    auto* y = new QValueAxis;
    y->setRange(0.0, std::max({1.0, high, static_cast<double>(most)}) * 1.08);
    y->setLabelFormat(QStringLiteral("%d"));
    y->setTitleText(QStringLiteral("Presenze"));
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    for (QAbstractSeries* s : chart->series()) {
        s->attachAxis(x);
        s->attachAxis(y);
    }
    return chart;
}

} // namespace spiaCharts
