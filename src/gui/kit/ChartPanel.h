#pragma once

#include <QWidget>

class Prompts;
class QChart;
class QChartView;
class QPushButton;

// One chart of the Collaudo window with its "Salva immagine…" button (PNG or SVG, by the name chosen).
class ChartPanel : public QWidget {
    Q_OBJECT

public:
    ChartPanel(Prompts& prompts, const QString& objectName, QWidget* parent = nullptr);

    // Takes the chart over and drops the one shown before.
    void setChart(QChart* chart);
    QChart* chart() const;
    QChartView* view() const { return m_view; }

    // Writes what the panel shows: SVG for a ".svg" name, PNG otherwise. False when it cannot be written.
    bool saveImage(const QString& path) const;

    QPushButton* CmdSalva = nullptr;

public slots:
    void CmdSalva_Click();

private:
    Prompts& m_prompts;
    QChartView* m_view = nullptr;
};
