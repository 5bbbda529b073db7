#include "gui/spia/SpyHeatMap.h"

#include "gui/kit/ItalianFormat.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>
#include <cmath>

namespace {
constexpr double Limits[SpyHeatMap::Classes - 1] = {0.001, 0.01, 0.05, 0.2};
constexpr int LeftMargin = 28;
constexpr int TopMargin = 18;
constexpr int LegendHeight = 22;
} // namespace

SpyHeatMap::SpyHeatMap(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("GrMappaSpie"));
    setMouseTracking(true);
    setMinimumSize(300, 260);
}

void SpyHeatMap::setTables(const std::vector<SpyTable>& tables) {
    m_cells.assign(90 * 90, {});
    for (const SpyTable& t : tables)
        for (const SpyFollower& f : t.seguenti)
            m_cells[static_cast<std::size_t>((f.spia - 1) * 90 + f.numero - 1)] = {f.presenze, f.attese, f.p, f.pHolm};
    update();
}

void SpyHeatMap::clear() {
    m_cells.clear();
    update();
}

int SpyHeatMap::pClass(double p) {
    for (int c = 0; c < Classes - 1; ++c)
        if (p < Limits[c])
            return c;
    return Classes - 1;
}

QColor SpyHeatMap::classColour(int c) {
    static const QColor colours[Classes] = {QColor(150, 0, 0), QColor(220, 40, 30), QColor(250, 150, 60),
                                            QColor(255, 230, 150), QColor(236, 240, 236)};
    return colours[std::clamp(c, 0, Classes - 1)];
}

QString SpyHeatMap::className(int c) {
    static const char* const names[Classes] = {"p < 0,001", "p < 0,01", "p < 0,05", "p < 0,2", "p ≥ 0,2"};
    return QString::fromUtf8(names[std::clamp(c, 0, Classes - 1)]);
}

QRectF SpyHeatMap::mapArea() const {
    return QRectF(LeftMargin, TopMargin, std::max(1, width() - LeftMargin - 4),
                  std::max(1, height() - TopMargin - LegendHeight - 4));
}

std::pair<int, int> SpyHeatMap::cellAt(const QPoint& point) const {
    const QRectF area = mapArea();
    if (m_cells.empty() || !area.contains(point))
        return {0, 0};
    const int numero = 1 + static_cast<int>((point.x() - area.left()) * 90.0 / area.width());
    const int spia = 1 + static_cast<int>((point.y() - area.top()) * 90.0 / area.height());
    return {std::clamp(spia, 1, 90), std::clamp(numero, 1, 90)};
}

QString SpyHeatMap::cellText(int spia, int numero) const {
    if (m_cells.empty() || spia < 1 || spia > 90 || numero < 1 || numero > 90)
        return {};
    const Cell& c = m_cells[static_cast<std::size_t>((spia - 1) * 90 + numero - 1)];
    return QStringLiteral("Spia %1, segue %2: presenze %3, attese %4, p %5, p corretto %6")
        .arg(spia)
        .arg(numero)
        .arg(italian::integer(c.presenze), italian::decimal(c.attese, 1), italian::pValue(c.p),
             italian::pValue(c.pHolm));
}

void SpyHeatMap::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    const QRectF area = mapArea();
    if (m_cells.empty()) {
        painter.drawText(rect(), Qt::AlignCenter, QStringLiteral("nessun dato"));
        return;
    }
    const double w = area.width() / 90.0;
    const double h = area.height() / 90.0;
    for (int s = 0; s < 90; ++s)
        for (int n = 0; n < 90; ++n)
            painter.fillRect(QRectF(area.left() + n * w, area.top() + s * h, w + 0.5, h + 0.5),
                             classColour(pClass(m_cells[static_cast<std::size_t>(s * 90 + n)].p)));
    painter.setPen(palette().windowText().color());
    QFont small = font();
    small.setPointSizeF(std::max(6.0, small.pointSizeF() - 2.0));
    painter.setFont(small);
    for (int k = 10; k <= 90; k += 10) {
        painter.drawText(QRectF(area.left() + (k - 1) * w - 10, 0, w + 20, TopMargin), Qt::AlignCenter,
                         QString::number(k));
        painter.drawText(QRectF(0, area.top() + (k - 1) * h - 8, LeftMargin - 3, h + 16),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(k));
    }
    double x = area.left();
    const double y = area.bottom() + 6;
    for (int c = 0; c < Classes; ++c) {
        painter.fillRect(QRectF(x, y, 12, 12), classColour(c));
        painter.drawRect(QRectF(x, y, 12, 12));
        painter.drawText(QPointF(x + 16, y + 11), className(c));
        x += 90;
    }
    painter.drawText(QPointF(x + 10, y + 11), QStringLiteral("spia in verticale, numero che segue in orizzontale"));
}

bool SpyHeatMap::event(QEvent* e) {
    if (e->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(e);
        const auto [spia, numero] = cellAt(help->pos());
        if (spia > 0)
            QToolTip::showText(help->globalPos(), cellText(spia, numero), this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(e);
}
