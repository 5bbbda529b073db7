#include "gui/kit/TableActions.h"

#include "gui/kit/GridCells.h"
#include "gui/kit/Prompts.h"
#include "io/FileErrorText.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QSaveFile>
#include <QStandardPaths>
#include <cerrno>

namespace tableActions {

void copyCells(const CellTable& table, const GridCells& cells) {
    if (cells.isEmpty())
        return;
    auto* mime = new QMimeData;
    mime->setText(cellsAsTabText(table, cells));
    mime->setHtml(cellsAsHtml(table, cells));
    QGuiApplication::clipboard()->setMimeData(mime);
}

bool exportCsv(Prompts& prompts, const QString& fileName, const CellTable& table) {
    FileDialogRequest request;
    request.title = QStringLiteral("Esporta CSV");
    request.folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    request.fileName = fileName;
    request.filter = QStringLiteral("File CSV (*.csv)");
    request.defaultSuffix = QStringLiteral("csv");
    const QString path = prompts.saveFile(request);
    if (path.isEmpty())
        return false;
    // A byte order mark, so that spreadsheets read the accented texts as UTF-8.
    const QByteArray bytes = "\xEF\xBB\xBF" + cellsAsCsv(table, GridCells::wholeGrid(table)).toUtf8();
    QSaveFile file(path);
    errno = 0;
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    prompts.message(QStringLiteral("Impossibile scrivere il file %1: %2")
                        .arg(QDir::toNativeSeparators(path), fileErrorText(file.error(), errno)),
                    QStringLiteral("Avviso"), MessageIcon::Critical);
    return false;
}

std::unique_ptr<QMenu> contextMenu(QWidget* parent, bool canCopy, const std::function<void()>& copy,
                                   const std::function<void()>& exportCsv,
                                   const std::vector<QPointer<QAction>>& further) {
    auto menu = std::make_unique<QMenu>(parent);
    QAction* copyAction = menu->addAction(QStringLiteral("Copia"), menu.get(), copy);
    copyAction->setObjectName(QStringLiteral("Copia"));
    copyAction->setShortcut(QKeySequence::Copy); // shown beside the entry; the views handle the key
    copyAction->setEnabled(canCopy);
    if (exportCsv) {
        QAction* csv = menu->addAction(QStringLiteral("Esporta CSV…"), menu.get(), exportCsv);
        csv->setObjectName(QStringLiteral("EsportaCsv"));
    }
    bool separated = false;
    for (const QPointer<QAction>& action : further) {
        if (!action)
            continue;
        if (!separated)
            menu->addSeparator();
        separated = true;
        menu->addAction(action);
    }
    return menu;
}

} // namespace tableActions
