#include "gui/kit/GridReport.h"

#include "gui/kit/CellTable.h"
#include "gui/kit/GridModel.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <vector>

namespace {

constexpr double TablePoints = 8.0;
constexpr double SmallestPoints = 4.0; // below this a printed digit can no longer be read
constexpr double TitlePoints = 13.0;
constexpr double LinePoints = 8.5;
constexpr double FooterPoints = 7.0;

// Sizes in points turned into device units.
class PageUnits {
public:
    explicit PageUnits(const QPaintDevice& device) : m_dpi(device.logicalDpiY()) {}
    double pt(double points) const { return points * m_dpi / 72.0; }

private:
    double m_dpi;
};

QFont fontOf(double points, bool bold = false) {
    QFont font = QGuiApplication::font();
    font.setPointSizeF(points);
    font.setBold(bold);
    // No ligatures: a reader searching or copying the PDF's text finds "fi" as two letters.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

// The shown rows and columns of a grid and the room each takes in a given type size.
struct GridBlock {
    const CellTable* grid = nullptr;
    std::vector<int> headRows; // fixed rows, repeated on every page
    std::vector<int> bodyRows;
    std::vector<int> cols;
    std::vector<double> widths;
    double rowHeight = 0;
    double points = TablePoints;

    double width() const {
        double total = 0;
        for (double w : widths)
            total += w;
        return total;
    }
};

GridBlock measureGrid(const CellTable& grid, double points, const QPaintDevice& device,
                      const PageUnits& units) {
    GridBlock block;
    block.grid = &grid;
    block.points = points;
    for (int r = 0; r < grid.rows(); ++r)
        if (!grid.isRowHidden(r))
            (r < grid.fixedRows() ? block.headRows : block.bodyRows).push_back(r);
    const QFontMetricsF plain(fontOf(points), &device);
    const QFontMetricsF bold(fontOf(points, true), &device);
    const double padding = units.pt(points * 0.4);
    for (int c = 0; c < grid.cols(); ++c) {
        if (grid.isColHidden(c))
            continue;
        double width = units.pt(points); // an empty column still shows
        for (int r = 0; r < grid.rows(); ++r)
            if (!grid.isRowHidden(r) && !grid.text(r, c).isEmpty())
                width = std::max(width, (grid.bold(r, c) ? bold : plain).horizontalAdvance(grid.text(r, c)));
        block.cols.push_back(c);
        block.widths.push_back(width + 2 * padding);
    }
    block.rowHeight = plain.height() + units.pt(points * 0.45);
    return block;
}

// The table in the largest type up to TablePoints that fits the page's width.
GridBlock fitGrid(const CellTable& grid, double pageWidth, const QPaintDevice& device,
                  const PageUnits& units) {
    GridBlock block = measureGrid(grid, TablePoints, device, units);
    for (int attempt = 0; attempt < 4 && block.width() > pageWidth && block.points > SmallestPoints;
         ++attempt) {
        const double points = std::max(SmallestPoints, block.points * pageWidth / block.width() * 0.98);
        block = measureGrid(grid, points, device, units);
    }
    return block;
}

// Models give an alignment as Qt::Alignment or as a plain int; none means left.
Qt::Alignment alignmentOf(const QVariant& value) {
    if (!value.isValid())
        return Qt::AlignVCenter | Qt::AlignLeft;
    if (value.userType() == QMetaType::Int)
        return Qt::Alignment(value.toInt());
    return value.value<Qt::Alignment>();
}

void paintCell(QPainter& painter, const GridBlock& block, int row, int col, const QRectF& rect,
               const PageUnits& units) {
    const CellTable& grid = *block.grid;
    const QVariant back = grid.cellData(row, col, Qt::BackgroundRole);
    if (back.canConvert<QColor>())
        painter.fillRect(rect, back.value<QColor>());
    else if (grid.isHeaderCell(row, col))
        painter.fillRect(rect, QColor(225, 225, 225)); // as the screen's header cells
    const QVariant flood = grid.cellData(row, col, GridModel::FloodRole);
    if (flood.isValid()) {
        QRectF bar = rect;
        bar.setWidth(rect.width() * std::clamp(flood.toDouble(), 0.0, 100.0) / 100.0);
        painter.fillRect(bar, grid.cellData(row, col, GridModel::FloodColourRole).value<QColor>());
    }
    painter.setPen(QPen(QColor(140, 140, 140), units.pt(0.4)));
    painter.drawRect(rect);
    const QString text = grid.text(row, col);
    if (text.isEmpty())
        return;
    painter.setFont(fontOf(block.points, grid.bold(row, col)));
    const QVariant fore = grid.cellData(row, col, Qt::ForegroundRole);
    painter.setPen(fore.canConvert<QColor>() ? fore.value<QColor>() : QColor(Qt::black));
    const Qt::Alignment alignment = alignmentOf(grid.cellData(row, col, Qt::TextAlignmentRole));
    const double padding = units.pt(block.points * 0.4);
    painter.drawText(rect.adjusted(padding, 0, -padding, 0), static_cast<int>(alignment) | Qt::TextSingleLine,
                     text);
}

// Paints rows of a block from the top-left point; returns the height used.
double paintRows(QPainter& painter, const GridBlock& block, const std::vector<int>& rows, QPointF at,
                 const PageUnits& units) {
    double y = at.y();
    for (int row : rows) {
        double x = at.x();
        for (std::size_t c = 0; c < block.cols.size(); ++c) {
            paintCell(painter, block, row, block.cols[c], QRectF(x, y, block.widths[c], block.rowHeight),
                      units);
            x += block.widths[c];
        }
        y += block.rowHeight;
    }
    return y - at.y();
}

} // namespace

QPageLayout reportPageLayout() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(10, 10, 10, 10),
                       QPageLayout::Millimeter);
}

void setUpReportPrinter(QPrinter& printer, const QString& pdfPath) {
    if (!pdfPath.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfPath);
    }
    printer.setPageLayout(reportPageLayout());
    printer.setDocName(QStringLiteral("Veltrano"));
    printer.setCreator(QStringLiteral("Veltrano"));
}

namespace {

// Where everything goes: the first page's text, side grid and pictures, and the table's rows page by page.
struct ReportLayout {
    GridBlock side;
    double sideWidth = 0;
    double textWidth = 0;
    double pictureTop = 0;
    double pictureHeight = 0;
    double tableTop = 0;
    GridBlock table;
    std::vector<std::vector<int>> pages; // body rows of the table on each page
    double footerHeight = 0;
};

ReportLayout layOut(const QPaintDevice& device, const GridReport& report) {
    ReportLayout layout;
    const PageUnits units(device);
    const double pageWidth = device.width();
    const double pageHeight = device.height();
    const double gap = units.pt(8);

    const QFontMetricsF footerMetrics(fontOf(FooterPoints), &device);
    layout.footerHeight = footerMetrics.height() + units.pt(4);
    const double bodyBottom = pageHeight - layout.footerHeight;

    // First page: title and lines on the left, the side grid on the right.
    if (report.side) {
        layout.side = measureGrid(*report.side, TablePoints, device, units);
        layout.side.bodyRows.insert(layout.side.bodyRows.begin(), layout.side.headRows.begin(),
                                    layout.side.headRows.end());
        layout.side.headRows.clear();
    }
    layout.sideWidth = report.side ? layout.side.width() : 0;
    layout.textWidth = pageWidth - (report.side ? layout.sideWidth + gap : 0);
    const QFontMetricsF titleMetrics(fontOf(TitlePoints, true), &device);
    const QFontMetricsF lineMetrics(fontOf(LinePoints), &device);
    double textHeight = report.title.isEmpty() ? 0 : titleMetrics.height() + units.pt(4);
    for (const QString& line : report.lines)
        textHeight +=
            lineMetrics.boundingRect(QRectF(0, 0, layout.textWidth, pageHeight), Qt::TextWordWrap, line).height();
    const double sideHeight =
        report.side ? layout.side.rowHeight * static_cast<double>(layout.side.bodyRows.size()) : 0;
    layout.tableTop = std::max(textHeight, sideHeight) + gap;
    if (!report.pictures.empty()) {
        // Charts side by side across the page, each about as wide as it is tall and a half, in at most
        // half of what the first page has left.
        const double each = pageWidth / static_cast<double>(report.pictures.size());
        layout.pictureTop = layout.tableTop;
        layout.pictureHeight = std::min(each / 1.5, (bodyBottom - layout.tableTop) / 2.0);
        layout.tableTop += layout.pictureHeight + gap;
    }

    if (report.table) {
        layout.table = fitGrid(*report.table, pageWidth, device, units);
        const GridBlock& table = layout.table;
        const double headHeight = table.rowHeight * static_cast<double>(table.headRows.size());
        std::size_t next = 0;
        double top = layout.tableTop;
        do {
            const auto fit = std::max<std::ptrdiff_t>(
                1, static_cast<std::ptrdiff_t>((bodyBottom - top - headHeight) / table.rowHeight));
            const std::size_t end = std::min(table.bodyRows.size(), next + static_cast<std::size_t>(fit));
            layout.pages.emplace_back(table.bodyRows.begin() + static_cast<std::ptrdiff_t>(next),
                                      table.bodyRows.begin() + static_cast<std::ptrdiff_t>(end));
            next = end;
            top = 0;
        } while (next < table.bodyRows.size());
    }
    if (layout.pages.empty())
        layout.pages.emplace_back();
    return layout;
}

} // namespace

int gridReportPages(const QPagedPaintDevice& device, const GridReport& report) {
    return static_cast<int>(layOut(device, report).pages.size());
}

int printGridReport(QPagedPaintDevice& device, const GridReport& report) {
    QPainter painter;
    if (!painter.begin(&device))
        return 0;
    const PageUnits units(device);
    const double pageWidth = device.width();
    const double pageHeight = device.height();
    const ReportLayout layout = layOut(device, report);
    const QFontMetricsF titleMetrics(fontOf(TitlePoints, true), &device);
    const QFontMetricsF footerMetrics(fontOf(FooterPoints), &device);

    const int pageCount = static_cast<int>(layout.pages.size());
    for (int page = 0; page < pageCount; ++page) {
        if (page > 0)
            device.newPage();
        double top = 0;
        if (page == 0) {
            double y = 0;
            if (!report.title.isEmpty()) {
                painter.setFont(fontOf(TitlePoints, true));
                painter.setPen(Qt::black);
                painter.drawText(QRectF(0, 0, layout.textWidth, titleMetrics.height()), Qt::AlignLeft,
                                 report.title);
                y += titleMetrics.height() + units.pt(4);
            }
            painter.setFont(fontOf(LinePoints));
            painter.setPen(Qt::black);
            for (const QString& line : report.lines) {
                QRectF used;
                painter.drawText(QRectF(0, y, layout.textWidth, pageHeight - y), Qt::TextWordWrap, line, &used);
                y += used.height();
            }
            if (report.side)
                paintRows(painter, layout.side, layout.side.bodyRows, QPointF(pageWidth - layout.sideWidth, 0),
                          units);
            const double each = pageWidth / static_cast<double>(std::max<std::size_t>(report.pictures.size(), 1));
            for (std::size_t i = 0; i < report.pictures.size(); ++i) {
                painter.save();
                report.pictures[i](painter, QRectF(each * static_cast<double>(i), layout.pictureTop, each,
                                                   layout.pictureHeight));
                painter.restore();
            }
            top = layout.tableTop;
        }
        if (report.table) {
            top += paintRows(painter, layout.table, layout.table.headRows, QPointF(0, top), units);
            paintRows(painter, layout.table, layout.pages[static_cast<std::size_t>(page)], QPointF(0, top), units);
        }
        painter.setFont(fontOf(FooterPoints));
        painter.setPen(Qt::black);
        const QRectF foot(0, pageHeight - footerMetrics.height(), pageWidth, footerMetrics.height());
        painter.drawText(foot, Qt::AlignLeft, report.footer);
        painter.drawText(foot, Qt::AlignRight,
                         QStringLiteral("Pagina %1 di %2").arg(page + 1).arg(pageCount));
    }
    painter.end();
    return pageCount;
}
