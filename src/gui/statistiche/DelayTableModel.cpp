#include "gui/statistiche/DelayTableModel.h"

#include "core/DrawArchive.h"
#include "gui/kit/CellTable.h"
#include "gui/kit/ColumnHeader.h"
#include "gui/kit/ItalianFormat.h"
#include "gui/statistiche/StatisticheCharts.h"

#include <QColor>
#include <limits>

namespace {

const char* const Headers[DelayTableModel::Columns] = {
    "Ruota",      "Numeri",        "Ritardo",   "p ritardo", "p corretto", "Rit. massimo",
    "Rit. medio", "Ultima uscita", "Frequenza", "Attesa",    "z"};
const char* const Tips[DelayTableModel::Columns] = {
    "TU: le dieci ruote da Bari a Venezia insieme",
    "Il numero, o i due numeri dell'ambo",
    "Estrazioni della ruota dopo l'ultima uscita",
    "Probabilità di un ritardo almeno così lungo per puro caso",
    "p ritardo corretto con il metodo di Holm per tutti gli elementi della tabella: è lui da leggere",
    "La serie più lunga di estrazioni senza uscita",
    "Media delle serie senza uscita: (estrazioni - frequenza) / (frequenza + 1)",
    "Data dell'ultima uscita",
    "Estrazioni con un'uscita",
    "Uscite attese per puro caso",
    "Scarto della frequenza dall'attesa, in deviazioni standard"};

constexpr double None = std::numeric_limits<double>::quiet_NaN();

bool descendingFirst(int column) {
    switch (column) {
    case DelayTableModel::Ruota:
    case DelayTableModel::Numeri:
    case DelayTableModel::PRitardo:
    case DelayTableModel::PCorretto:
    case DelayTableModel::UltimaUscita:
        return false;
    default:
        return true;
    }
}

} // namespace

DelayTableModel::DelayTableModel(const DrawArchive& archive, QObject* parent)
    : QAbstractTableModel(parent), m_archive(archive) {}

void DelayTableModel::setStatistics(std::shared_ptr<const DelayStatistics> statistics) {
    beginResetModel();
    m_statistics = std::move(statistics);
    m_wheel = -1;
    m_sortColumn = -1;
    arrange();
    endResetModel();
}

void DelayTableModel::setWheelFilter(int wheel) {
    beginResetModel();
    m_wheel = wheel;
    arrange();
    endResetModel();
}

void DelayTableModel::sort(int column, Qt::SortOrder order) {
    emit layoutAboutToBeChanged();
    m_sortColumn = column;
    m_sortOrder = order;
    arrange();
    // Rows have moved: the views' persistent indices (the current cell) are dropped rather than followed.
    changePersistentIndexList(persistentIndexList(), QModelIndexList(persistentIndexList().size()));
    emit layoutChanged();
}

void DelayTableModel::arrange() {
    if (!m_statistics) {
        m_rows.filter(0);
        return;
    }
    const std::vector<DelayItem>& items = m_statistics->items;
    const int count = static_cast<int>(items.size());
    if (m_wheel < 0)
        m_rows.filter(count);
    else
        m_rows.filter(count, [&](int r) { return items[static_cast<std::size_t>(r)].wheel == m_wheel; });
    if (m_sortColumn >= 0 && m_sortColumn < Columns)
        m_rows.sort([&](int r) { return sortKey(items[static_cast<std::size_t>(r)], m_sortColumn); },
                    m_sortOrder);
}

const DelayItem& DelayTableModel::item(int row) const {
    return m_statistics->items.at(static_cast<std::size_t>(m_rows.source(row)));
}

int DelayTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows.size();
}

int DelayTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Columns;
}

double DelayTableModel::sortKey(const DelayItem& d, int column) const {
    switch (column) {
    case Ruota:
        return d.wheel;
    case Numeri:
        return d.item;
    case Ritardo:
        return d.ritardo;
    case PRitardo:
        return d.pRitardo;
    case PCorretto:
        return d.pRitardoHolm;
    case RitardoMassimo:
        return d.ritardoMassimo;
    case RitardoMedio:
        return d.ritardoMedio;
    case UltimaUscita:
        return d.ultimaUscita > 0 ? d.ultimaUscita : None;
    case Frequenza:
        return d.frequenza;
    case Attesa:
        return d.frequenzaAttesa;
    case Z:
        return d.z.value_or(None);
    default:
        return None;
    }
}

QString DelayTableModel::text(const DelayItem& d, int column) const {
    switch (column) {
    case Ruota:
        return m_archive.wheelCode(d.wheel);
    case Numeri: {
        const auto [a, b] = itemNumbers(m_statistics->sorte, d.item);
        return b == 0 ? QString::number(a) : QStringLiteral("%1-%2").arg(a).arg(b);
    }
    case Ritardo:
        return italian::integer(d.ritardo);
    case PRitardo:
        return italian::pValue(d.pRitardo);
    case PCorretto:
        return italian::pValue(d.pRitardoHolm);
    case RitardoMassimo:
        return italian::integer(d.ritardoMassimo);
    case RitardoMedio:
        return italian::decimal(d.ritardoMedio, 1);
    case UltimaUscita:
        return d.ultimaUscita > 0 ? m_archive.drawDate(d.ultimaUscita) : QStringLiteral("mai");
    case Frequenza:
        return italian::integer(d.frequenza);
    case Attesa:
        return italian::decimal(d.frequenzaAttesa, 1);
    case Z:
        return italian::orDash(d.z, 2);
    default:
        return {};
    }
}

QVariant DelayTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= Columns)
        return {};
    const DelayItem& d = item(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return text(d, index.column());
    case Qt::ToolTipRole:
        // The exact figure behind "< 0,0001".
        if (index.column() == PRitardo || index.column() == PCorretto) {
            const QString exact = italian::pExact(index.column() == PRitardo ? d.pRitardo : d.pRitardoHolm);
            if (!exact.isEmpty())
                return exact;
        }
        return {};
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(
            Qt::AlignVCenter |
            (index.column() <= Numeri || index.column() == UltimaUscita ? Qt::AlignHCenter : Qt::AlignRight));
    case Qt::BackgroundRole:
        // The delay's chance in the map's colours, so that table and map read alike.
        if (index.column() == PRitardo || index.column() == PCorretto) {
            const double p = index.column() == PRitardo ? d.pRitardo : d.pRitardoHolm;
            const int c = statisticheCharts::pClass(p);
            if (c < statisticheCharts::PClasses - 1)
                return statisticheCharts::pClassColour(c).lighter(c < 2 ? 100 : 110);
        }
        return {};
    case CellTable::ExactValueRole:
        // A p is shown to two digits; an export keeps all of it.
        if (index.column() == PRitardo || index.column() == PCorretto)
            return index.column() == PRitardo ? d.pRitardo : d.pRitardoHolm;
        return {};
    case Qt::ForegroundRole:
        if ((index.column() == PRitardo || index.column() == PCorretto) &&
            statisticheCharts::pClass(index.column() == PRitardo ? d.pRitardo : d.pRitardoHolm) < 2)
            return QColor(Qt::white);
        return {};
    default:
        return {};
    }
}

QVariant DelayTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= Columns)
        return QAbstractTableModel::headerData(section, orientation, role);
    return columnHeaderData(Headers[section], Tips[section], descendingFirst(section), role);
}
