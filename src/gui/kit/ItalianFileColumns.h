#pragma once

#include <QIdentityProxyModel>

// The file dialog's columns in Italian whatever the desktop's language: the size ("1,5 kB"), the kind
// ("Cartella", "File TXT") and the date of the last change ("07/12/2026 18:45"). Qt's own list writes
// them in the system's language (on most machines "Folder" and "7 Dec 2026"), which its translations do
// not reach. The file system model's columns: name, size, kind, date.
class ItalianFileColumns : public QIdentityProxyModel {
    Q_OBJECT

public:
    enum Column { Name, Size, Kind, Modified };

    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override;
};
