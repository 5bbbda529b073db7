#pragma once

#include <QString>
#include <QVariant>
#include <Qt>

// What a sortable table's column header shows: its caption, its tip, the order of a first click on it
// (ItemTableView reads Qt::InitialSortOrderRole) and its centred text.
inline QVariant columnHeaderData(const char* caption, const char* tip, bool descendingFirst, int role) {
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromUtf8(caption);
    case Qt::ToolTipRole:
        return QString::fromUtf8(tip);
    case Qt::InitialSortOrderRole:
        return static_cast<int>(descendingFirst ? Qt::DescendingOrder : Qt::AscendingOrder);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignCenter);
    default:
        return {};
    }
}
