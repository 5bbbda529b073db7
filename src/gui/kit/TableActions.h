#pragma once

#include <QPointer>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class CellTable;
class Prompts;
class QAction;
class QMenu;
class QWidget;
struct GridCells;

// What every table of the program offers on its cells, whatever its model: copying, CSV export and the
// context menu that holds them.
namespace tableActions {

// Puts the cells on the clipboard as tab-separated text and as an HTML table, so that a spreadsheet
// pastes them cell by cell.
void copyCells(const CellTable& table, const GridCells& cells);

// Asks for a file (suggesting fileName) and writes every shown cell to it as CSV, UTF-8 with a byte order
// mark. False when the user cancelled or the file could not be written, which a message box has then said.
bool exportCsv(Prompts& prompts, const QString& fileName, const CellTable& table);

// The context menu: "Copia" (greyed when there is nothing to copy), "Esporta CSV…" when there is an
// export, and the further actions below a separator.
std::unique_ptr<QMenu> contextMenu(QWidget* parent, bool canCopy, const std::function<void()>& copy,
                                   const std::function<void()>& exportCsv,
                                   const std::vector<QPointer<QAction>>& further);

} // namespace tableActions
