#pragma once

#include <QWidget>

class Prompts;
class QChart;
class QChartView;
class QLabel;
class QPainter;
class QRectF;
class QPushButton;

// One chart with its "Salva immagine…" button (PNG or SVG, by the name chosen). A chart without series
// (nothing to draw) shows "nessun dato" across the panel.
class ChartPanel : public QWidget {
    Q_OBJECT

public:
    ChartPanel(Prompts& prompts, const QString& objectName, QWidget* parent = nullptr);

    // Takes the chart over and drops the one shown before.
    void setChart(QChart* chart);
    QChart* chart() const;
    QChartView* view() const { return m_view; }
    // "nessun dato" is shown.
    bool showsNoData() const;

    // Writes what the panel shows: SVG for a ".svg" name, PNG otherwise. False when it cannot be written.
    bool saveImage(const QString& path) const;
    // Paints the chart, drawn anew at the painter's resolution, into the target (a printed page's).
    void paint(QPainter& painter, const QRectF& target) const;

    QPushButton* CmdSalva = nullptr;

public slots:
    void CmdSalva_Click();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void placeNoData();

    Prompts& m_prompts;
    QChartView* m_view = nullptr;
    QLabel* m_noData = nullptr;
};
