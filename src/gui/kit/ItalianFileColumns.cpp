#include "gui/kit/ItalianFileColumns.h"

#include <QDateTime>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLocale>

QVariant ItalianFileColumns::data(const QModelIndex& index, int role) const {
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (role != Qt::DisplayRole || !files || !index.isValid() || index.column() == Name)
        return QIdentityProxyModel::data(index, role);
    const QFileInfo info = files->fileInfo(mapToSource(index));
    const QLocale italian(QLocale::Italian, QLocale::Italy);
    switch (index.column()) {
    case Size:
        return info.isDir() ? QString() : italian.formattedDataSize(info.size(), 1, QLocale::DataSizeTraditionalFormat);
    case Kind:
        if (info.isDir())
            return QStringLiteral("Cartella");
        return info.suffix().isEmpty() ? QStringLiteral("File") : QStringLiteral("File ") + info.suffix().toUpper();
    case Modified:
        return italian.toString(info.lastModified(), QStringLiteral("dd/MM/yyyy HH:mm"));
    default:
        return QIdentityProxyModel::data(index, role);
    }
}
