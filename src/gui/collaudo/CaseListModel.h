#pragma once

#include "core/Collaudo.h"
#include "gui/kit/RowOrder.h"

#include <QAbstractTableModel>
#include <memory>
#include <vector>

class DrawArchive;
struct Palette;

// The Collaudo window's list of cases over the back-test's result: one row per case, most recent first,
// every cell made when the view asks for it (the heaviest back-test has some forty thousand cases). Column
// 0 is a narrow marker coloured like the ambo window's case grid (green positive, orange in play); a click
// on a header sorts by that column, ties in the result's order. The columns are the method's: the equal
// ambo's wheels, positions and forecast, the overdue number's wheel, number and delay, or a player's method's
// bets and note.
class CaseListModel : public QAbstractTableModel {
    Q_OBJECT

public:
    // What a column shows; the equal ambo's columns are the first ones, in this order.
    enum Column {
        Marker,
        Estrazione,
        Data,
        R1,
        R2,
        Posizioni,
        Ambata,
        A1,
        A2,
        A3,
        Esito,
        Colpo,
        Probabilita,
        Ruota,
        Numero,
        Ritardo,
        Puntate,
        Nota,
        Kinds
    };

    CaseListModel(const DrawArchive& archive, const Palette& palette, QObject* parent = nullptr);

    void setResult(std::shared_ptr<const CollaudoResult> result);
    // The case shown at a row.
    const CollaudoCase& caseAt(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order) override;

private:
    QString text(const CollaudoCase& c, Column column) const;
    double sortKey(const CollaudoCase& c, Column column) const;
    Column kindOf(int column) const { return m_columns[static_cast<std::size_t>(column)]; }

    const DrawArchive& m_archive;
    const Palette& m_palette;
    std::shared_ptr<const CollaudoResult> m_result;
    RowOrder m_rows;
    std::vector<Column> m_columns;
};
