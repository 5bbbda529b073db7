#include "gui/collaudo/CaseListModel.h"

#include "core/DrawArchive.h"
#include "gui/kit/ItalianFormat.h"
#include "gui/kit/Palette.h"

#include <QColor>
#include <QDate>
#include <cmath>

namespace {

const char* const Headers[CaseListModel::Kinds] = {
    "",   "N° Estr", "Data",  "R1",    "R2",          "Pos.",  "Ambata", "A1",
    "A2", "A3",      "Esito", "Colpo", "Probabilità", "Ruota", "Numero", "Ritardo",
    "Puntate", "Nota"};

using C = CaseListModel::Column;
const std::vector<C> EqualAmboColumns{C::Marker,    C::Estrazione, C::Data,       C::R1, C::R2,
                                      C::Posizioni, C::Ambata,     C::A1,         C::A2, C::A3,
                                      C::Esito,     C::Colpo,      C::Probabilita};
const std::vector<C> OverdueColumns{C::Marker,  C::Estrazione, C::Data,  C::Ruota,      C::Numero,
                                    C::Ritardo, C::Esito,      C::Colpo, C::Probabilita};
const std::vector<C> ScriptColumns{C::Marker, C::Estrazione, C::Data,  C::Puntate,
                                   C::Nota,   C::Esito,      C::Colpo, C::Probabilita};

// A giocata's bets as a player reads them: "12 45 ambo BA, CA posta 1; 7 estratto TU posta 0,50".
QString puntateShown(const Giocata& giocata, const DrawArchive& archive) {
    static const char* const sorti[] = {"estratto", "ambo", "terno", "quaterna", "cinquina"};
    QStringList bets;
    for (const Puntata& p : giocata.puntate) {
        QStringList numbers;
        for (const int n : p.numeri)
            numbers << QString::number(n);
        QStringList wheels;
        if (p.tutte)
            wheels << QStringLiteral("TU");
        for (int w = 0; w < WheelCount && !p.tutte; ++w)
            if (inMask(p.ruote, w))
                wheels << archive.wheelCode(w);
        const bool whole = p.posta == static_cast<double>(static_cast<long long>(p.posta));
        bets << QStringLiteral("%1 %2 %3 posta %4")
                    .arg(numbers.join(QLatin1Char(' ')), QLatin1String(sorti[p.sorteCount() - 1]),
                         wheels.join(QStringLiteral(", ")), italian::decimal(p.posta, whole ? 0 : 2));
    }
    return bets.join(QStringLiteral("; "));
}

QColor colourOf(std::uint32_t value) {
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

// A draw's date text ("22/12/2022") as a day number, read by hand: sorting reads every case's.
double dayNumber(const QString& text) {
    if (text.size() != 10)
        return std::nan("");
    const QStringView t(text);
    return static_cast<double>(
        QDate(t.mid(6, 4).toInt(), t.mid(3, 2).toInt(), t.mid(0, 2).toInt()).toJulianDay());
}

} // namespace

CaseListModel::CaseListModel(const DrawArchive& archive, const Palette& palette, QObject* parent)
    : QAbstractTableModel(parent), m_archive(archive), m_palette(palette), m_columns(EqualAmboColumns) {}

void CaseListModel::setResult(std::shared_ptr<const CollaudoResult> result) {
    beginResetModel();
    m_result = std::move(result);
    const auto metodo = m_result ? m_result->metodo : MethodSettings::Metodo::AmboUguale;
    m_columns = metodo == MethodSettings::Metodo::Ritardatario ? OverdueColumns
                : metodo == MethodSettings::Metodo::Giocatore  ? ScriptColumns
                                                               : EqualAmboColumns;
    m_rows.filter(m_result ? static_cast<int>(m_result->casi.size()) : 0);
    endResetModel();
}

const CollaudoCase& CaseListModel::caseAt(int row) const {
    return m_result->casi.at(static_cast<std::size_t>(m_rows.source(row)));
}

int CaseListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows.size();
}

int CaseListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

void CaseListModel::sort(int column, Qt::SortOrder order) {
    if (!m_result || column <= Marker || column >= columnCount())
        return;
    emit layoutAboutToBeChanged();
    m_rows.filter(static_cast<int>(m_result->casi.size()));
    const Column kind = kindOf(column);
    m_rows.sort([&](int r) { return sortKey(m_result->casi[static_cast<std::size_t>(r)], kind); }, order);
    changePersistentIndexList(persistentIndexList(), QModelIndexList(persistentIndexList().size()));
    emit layoutChanged();
}

double CaseListModel::sortKey(const CollaudoCase& c, Column column) const {
    const EqualAmboCase e = c.equalAmbo();
    switch (column) {
    case Estrazione:
        return c.draw;
    case Data:
        return dayNumber(c.date);
    case R1:
        return e.wheel1;
    case R2:
        return e.wheel2;
    case Posizioni:
        return e.position1 * 10.0 + e.position2;
    case Ambata:
        return e.forecast.Ambata;
    case A1:
        return e.forecast.A1;
    case A2:
        return e.forecast.A2;
    case A3:
        return e.forecast.A3;
    case Esito:
        return static_cast<double>(c.esito);
    case Colpo:
        return c.colpo > 0 ? c.colpo : std::nan("");
    case Probabilita:
        return c.probability;
    case Ruota:
        return c.overdue().wheel;
    case Numero:
        return c.overdue().number;
    case Ritardo:
        return c.overdue().delay;
    default:
        return std::nan("");
    }
}

QString CaseListModel::text(const CollaudoCase& c, Column column) const {
    const EqualAmboCase e = c.equalAmbo();
    switch (column) {
    case Estrazione:
        return QString::number(c.draw);
    case Data:
        return c.date;
    case R1:
        return m_archive.wheelCode(e.wheel1);
    case R2:
        return m_archive.wheelCode(e.wheel2);
    case Posizioni:
        return QStringLiteral("%1-%2").arg(e.position1).arg(e.position2);
    case Ambata:
        return QString::number(e.forecast.Ambata);
    case A1:
        return QString::number(e.forecast.A1);
    case A2:
        return QString::number(e.forecast.A2);
    case A3:
        return QString::number(e.forecast.A3);
    case Esito:
        return esitoName(c.esito);
    case Colpo:
        return c.colpo > 0 ? QString::number(c.colpo) : QString();
    case Probabilita:
        return italian::decimal(c.probability, 4);
    case Ruota:
        return m_archive.wheelCode(c.overdue().wheel);
    case Numero:
        return QString::number(c.overdue().number);
    case Ritardo:
        return QString::number(c.overdue().delay);
    case Puntate:
        return puntateShown(c.giocata, m_archive);
    case Nota:
        return c.giocata.nota.value_or(QString());
    default:
        return {};
    }
}

QVariant CaseListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    const CollaudoCase& c = caseAt(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return text(c, kindOf(index.column()));
    case Qt::TextAlignmentRole: {
        const Column kind = kindOf(index.column());
        return QVariant::fromValue(kind == Puntate || kind == Nota ? Qt::AlignLeft | Qt::AlignVCenter
                                                                   : Qt::Alignment(Qt::AlignCenter));
    }
    case Qt::BackgroundRole:
        if (index.column() != Marker)
            return {};
        return colourOf(c.esito == CaseOutcome::Esito::Positivo  ? PositiveCaseColour
                        : c.esito == CaseOutcome::Esito::InGioco ? m_palette.PaletteOrange
                                                                 : 0xFFFFFFu);
    default:
        return {};
    }
}

QVariant CaseListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromUtf8(Headers[kindOf(section)]);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignCenter);
    default:
        return {};
    }
}
