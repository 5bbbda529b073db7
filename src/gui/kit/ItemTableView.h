#pragma once

#include "gui/kit/GridCells.h"

#include <QPointer>
#include <QTableView>
#include <memory>
#include <vector>

class Prompts;
class QAction;
class QMenu;

// A table of the program over any item model, for tables too big to hold as grid cells (a model that
// computes a cell when it is shown). A click on a column's header sorts by it through the model's sort()
// (the first click in the order the header's Qt::InitialSortOrderRole gives), and the cells copy and
// export as the grids' do: Ctrl+C and "Copia" put the selection with the header row on the clipboard,
// "Esporta CSV…" writes the whole table.
class ItemTableView : public QTableView {
    Q_OBJECT

public:
    explicit ItemTableView(QWidget* parent = nullptr);

    // The boxes "Esporta CSV…" asks for its file through; without them the menu offers no export.
    void setPrompts(Prompts* prompts) { m_prompts = prompts; }
    void setExportFileName(const QString& name) { m_exportFileName = name; }
    // Further entries of the context menu, below the view's own; the view does not own them.
    void addContextAction(QAction* action);

    // The selected cells (the current one when nothing is selected) with the header row, in the
    // coordinates of the model as a CellTable (ItemModelTable).
    GridCells cellsToCopy() const;
    void copySelection() const;
    bool exportCsv();
    std::unique_ptr<QMenu> createContextMenu(QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    Prompts* m_prompts = nullptr;
    std::vector<QPointer<QAction>> m_contextActions;
    QString m_exportFileName = QStringLiteral("tabella.csv");
};
