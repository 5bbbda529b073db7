#pragma once

#include "core/DelayStatistics.h"
#include "gui/kit/KeptSettings.h"
#include "gui/statistiche/StatisticheCharts.h"

#include <QWidget>
#include <memory>
#include <optional>
#include <vector>

class ChartPanel;
class DateField;
class DelayTableModel;
class DrawArchive;
class FrameServices;
class GridView;
class HelpService;
class ItemTableView;
class Prompts;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QHelpEvent;
class QLabel;
class QPushButton;
class QToolButton;
class StaleNotice;

// The window "Ritardi e frequenze": delays and frequencies of every number or ambo on the chosen wheels
// and on Tutte over a period, each beside what chance gives, in a table sortable by any column, one
// sentence that says how ordinary the longest delay is, the runs without exit against the geometric law
// and the map of the numbers' current delays. The figures are the delay engine's; this window collects
// the choices and shows them.
class StatisticheFrm : public QWidget, public KeptSettings {
    Q_OBJECT

public:
    static constexpr int HelpContext = 240;
    // "Stampa…" asks first when the table takes more pages than these, offering the first rows only.
    static constexpr int MostPagesUnasked = 10;
    static constexpr int FirstPrintedRows = 200;

    StatisticheFrm(const DrawArchive& archive, Prompts& prompts, HelpService& help, FrameServices& frame,
                   QWidget* parent = nullptr);
    ~StatisticheFrm() override;

    QSize sizeHint() const override;

    // Every wheel and Tutte, the whole archive, estratto; then the figures.
    void Form_Load();

    QComboBox* CmbSorte = nullptr;
    GridView* FgR = nullptr;
    QToolButton* Label6 = nullptr; // select every wheel
    QToolButton* Label9 = nullptr; // deselect every wheel
    QCheckBox* ChTutte = nullptr;
    DateField* DtDal = nullptr;
    DateField* DtAl = nullptr;
    QPushButton* CmdCalcola = nullptr; // "CALCOLA"
    QPushButton* CmdStampa = nullptr;
    StaleNotice* LblAggiorna = nullptr; // over the results once the choices differ from theirs
    QLabel* LblFrase = nullptr;    // the sentence above the table
    QComboBox* CmbRuota = nullptr; // the wheel filter
    QLabel* LblRighe = nullptr;
    ItemTableView* FgElementi = nullptr;
    ChartPanel* GrSerie = nullptr;
    ChartPanel* GrMappa = nullptr;

    DelayTableModel* tableModel() const { return m_model; }
    // The settings the controls give, the range resolved on the archive.
    DelaySettings settings() const;

    // Sorte, wheels, period (a period up to the last draw stays so), wheel filter and order.
    QVariantMap keptSettings() const override;
    void restoreSettings(const QVariantMap& settings) override;

public slots:
    void CmdCalcola_Click();
    void CmdStampa_Click();
    void CmbRuota_Change(int index);
    void FgElementi_DoubleClick(const QModelIndex& index);
    // The tip of the map's cell under the mouse, after the usual tooltip delay: wheel, number, delay, p.
    void GrMappa_ToolTip(QHelpEvent* event);
    // Greys the results that no longer answer the choices, and ungreys them when the choices come back.
    void Scelte_Change();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildChoices();
    QWidget* buildResults();
    bool choicesAccepted();
    void showStatistics(std::shared_ptr<const DelayStatistics> statistics,
                        std::vector<statisticheCharts::MapRow> map);

    const DrawArchive& m_archive;
    Prompts& m_prompts;
    HelpService& m_help;
    FrameServices& m_frame;
    DelayTableModel* m_model = nullptr;
    // What the results on screen were computed for.
    std::optional<DelaySettings> m_shownSettings;
    std::vector<statisticheCharts::MapRow> m_map;
    bool m_placed = false;
};
