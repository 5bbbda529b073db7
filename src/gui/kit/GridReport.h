#pragma once

#include <QPageLayout>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class CellTable;
class QPagedPaintDevice;
class QPainter;
class QPrinter;
class QRectF;

// Grids (any CellTable) laid out on paper: a title and a few lines about them, a small grid beside those
// lines on the first page (a summary), pictures (charts) side by side in a band under them, and a table
// below that flows over as many pages as it needs, its fixed rows repeated at the top of every page.
// Cells keep their colours, bold, bars and alignment; a table too wide for the page is drawn in a
// smaller type, so that every shown column fits.
struct GridReport {
    // Paints one picture into the rectangle given, in the painter's units.
    using Picture = std::function<void(QPainter&, const QRectF&)>;

    QString title;
    QStringList lines;
    const CellTable* side = nullptr;
    const CellTable* table = nullptr;
    QString footer; // at the foot of every page, left of "Pagina n di m"
    std::vector<Picture> pictures; // on the first page, between the lines and the table
};

// The page reports are made for: A4 landscape, 10 mm margins.
QPageLayout reportPageLayout();

// A printer set up for the report's pages; given a path, one that writes a PDF file there.
void setUpReportPrinter(QPrinter& printer, const QString& pdfPath = {});

// Paints the report on a printer or a PDF writer set up with its page. Returns the number of pages,
// 0 when the device could not be painted on (a file that cannot be written).
int printGridReport(QPagedPaintDevice& device, const GridReport& report);

// How many pages the report takes on the device, without painting anything.
int gridReportPages(const QPagedPaintDevice& device, const GridReport& report);
