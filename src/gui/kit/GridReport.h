#pragma once

#include <QPageLayout>
#include <QString>
#include <QStringList>

class CellTable;
class QPagedPaintDevice;
class QPrinter;

// Grids (any CellTable) laid out on paper: a title and a few lines about them, a small grid beside those
// lines on the first page (a summary), and a table below that flows over as many pages as it needs, its fixed
// rows repeated at the top of every page. Cells keep their colours, bold, bars and alignment; a table too
// wide for the page is drawn in a smaller type, so that every shown column fits.
struct GridReport {
    QString title;
    QStringList lines;
    const CellTable* side = nullptr;
    const CellTable* table = nullptr;
    QString footer; // at the foot of every page, left of "Pagina n di m"
};

// The page reports are made for: A4 landscape, 10 mm margins.
QPageLayout reportPageLayout();

// A printer set up for the report's pages; given a path, one that writes a PDF file there.
void setUpReportPrinter(QPrinter& printer, const QString& pdfPath = {});

// Paints the report on a printer or a PDF writer set up with its page. Returns the number of pages,
// 0 when the device could not be painted on (a file that cannot be written).
int printGridReport(QPagedPaintDevice& device, const GridReport& report);
