#include "gui/spia/SpyTableModel.h"

#include "core/DrawArchive.h"
#include "gui/kit/ColumnHeader.h"
#include "gui/kit/ItalianFormat.h"

#include <limits>

namespace {

const char* const Headers[SpyTableModel::Columns] = {"Spia",       "Numero", "Presenze", "Attese",
                                                     "Deviazione", "z",      "p",        "p corretto",
                                                     "Uscite",     "Ultima presenza", "Rit. presenza"};
const char* const Tips[SpyTableModel::Columns] = {
    "Il numero la cui uscita apre un evento",
    "Il numero che segue",
    "Eventi completi in cui il numero è uscito sulla ruota dei seguenti entro i colpi",
    "Presenze attese per puro caso",
    "Lo scarto tipico delle presenze dal caso",
    "Scarto delle presenze dalle attese, in deviazioni standard",
    "Probabilità di almeno tante presenze per puro caso",
    "p corretto con il metodo di Holm per tutte le righe della tabella: è lui da leggere",
    "Uscite del numero (estrazione e ruota) nelle finestre degli eventi completi",
    "Data dell'uscita della spia che ha aperto l'ultimo evento con una presenza",
    "Eventi completi dopo l'ultima presenza"};

constexpr double None = std::numeric_limits<double>::quiet_NaN();

bool descendingFirst(int column) {
    switch (column) {
    case SpyTableModel::Presenze:
    case SpyTableModel::Z:
    case SpyTableModel::Uscite:
    case SpyTableModel::RitardoPresenza:
        return true;
    default:
        return false;
    }
}

} // namespace

SpyTableModel::SpyTableModel(const DrawArchive& archive, QObject* parent)
    : QAbstractTableModel(parent), m_archive(archive) {}

void SpyTableModel::setTables(std::shared_ptr<const std::vector<SpyTable>> tables) {
    beginResetModel();
    m_tables = std::move(tables);
    m_rows.filter(m_tables ? static_cast<int>(m_tables->size()) * 90 : 0);
    m_rows.sort([this](int r) { return atSource(r).p; }, Qt::AscendingOrder);
    endResetModel();
}

void SpyTableModel::sort(int column, Qt::SortOrder order) {
    if (!m_tables || column < 0 || column >= Columns)
        return;
    emit layoutAboutToBeChanged();
    m_rows.sort([&](int r) { return sortKey(atSource(r), column); }, order);
    changePersistentIndexList(persistentIndexList(), QModelIndexList(persistentIndexList().size()));
    emit layoutChanged();
}

const SpyFollower& SpyTableModel::atSource(int source) const {
    return (*m_tables)[static_cast<std::size_t>(source / 90)].seguenti[static_cast<std::size_t>(source % 90)];
}

const SpyFollower& SpyTableModel::follower(int row) const {
    return atSource(m_rows.source(row));
}

int SpyTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows.size();
}

int SpyTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Columns;
}

double SpyTableModel::sortKey(const SpyFollower& f, int column) const {
    switch (column) {
    case Spia:
        return f.spia;
    case Numero:
        return f.numero;
    case Presenze:
        return f.presenze;
    case Attese:
        return f.attese;
    case Deviazione:
        return f.deviazione;
    case Z:
        return f.z.value_or(None);
    case P:
        return f.p;
    case PCorretto:
        return f.pHolm;
    case Uscite:
        return f.uscite;
    case UltimaPresenza:
        return f.ultimaPresenza > 0 ? f.ultimaPresenza : None;
    case RitardoPresenza:
        return f.ritardoPresenza;
    default:
        return None;
    }
}

QString SpyTableModel::text(const SpyFollower& f, int column) const {
    switch (column) {
    case Spia:
        return QString::number(f.spia);
    case Numero:
        return QString::number(f.numero);
    case Presenze:
        return italian::integer(f.presenze);
    case Attese:
        return italian::decimal(f.attese, 1);
    case Deviazione:
        return italian::decimal(f.deviazione, 1);
    case Z:
        return italian::orDash(f.z, 2);
    case P:
        return italian::pValue(f.p);
    case PCorretto:
        return italian::pValue(f.pHolm);
    case Uscite:
        return italian::integer(f.uscite);
    case UltimaPresenza:
        return f.ultimaPresenza > 0 ? m_archive.drawDate(f.ultimaPresenza) : QStringLiteral("mai");
    case RitardoPresenza:
        return italian::integer(f.ritardoPresenza);
    default:
        return {};
    }
}

QVariant SpyTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= Columns)
        return {};
    const SpyFollower& f = follower(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return text(f, index.column());
    case Qt::ToolTipRole:
        // The exact value behind a p shown in short.
        if (index.column() == P || index.column() == PCorretto)
            return QString::number(index.column() == P ? f.p : f.pHolm, 'g', 6).replace(QLatin1Char('.'),
                                                                                        QLatin1Char(','));
        return {};
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignVCenter | (index.column() <= Numero || index.column() == UltimaPresenza
                                                           ? Qt::AlignHCenter
                                                           : Qt::AlignRight));
    default:
        return {};
    }
}

QVariant SpyTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= Columns)
        return QAbstractTableModel::headerData(section, orientation, role);
    return columnHeaderData(Headers[section], Tips[section], descendingFirst(section), role);
}
