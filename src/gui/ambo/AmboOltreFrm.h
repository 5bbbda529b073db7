#pragma once

#include "gui/ambo/AmboControls.h"
#include "gui/ambo/AmboGrids.h"
#include "gui/ambo/AmboState.h"
#include "gui/kit/KeptSettings.h"
#include "gui/kit/MethodControls.h"

#include <QWidget>
#include <array>
#include <initializer_list>
#include <optional>

class DrawArchive;
class FrameServices;
class GridView;
class HelpService;
class Prompts;
class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QPagedPaintDevice;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QToolButton;
struct Palette;

// The analysis window "Veltrano": the equal-ambo search over a range of draws, the verification of the
// forecasts and the summary. The widgets only hold the user's choices; the work is done by the ambo
// functions (ConfiguraParametri, elabora, verifyCases, formatCaseGrid, the range rules) over the state
// and the grid models, the same code the batch tool runs.
class AmboOltreFrm : public QWidget, public KeptSettings {
    Q_OBJECT

public:
    static constexpr int HelpContext = 210;

    AmboOltreFrm(DrawArchive& archive, const Palette& palette, Prompts& prompts, HelpService& help,
                 FrameServices& frame, QWidget* parent = nullptr);

    const AmboState& state() const { return m_state; }
    // The grids behind the views, as the ambo functions take them.
    AmboGrids grids() const;
    // What the controls show right now, as the search and the verification read them.
    AmboControls controls() const;

    QSize sizeHint() const override;

    // The choices survive "Aggiorna archivio": wheels, positions, boxes, colpi, cases and the range (an
    // end at the last draw stays at the last).
    QVariantMap keptSettings() const override;
    void restoreSettings(const QVariantMap& settings) override;

    QPushButton* Cmd_Ambiuguali = nullptr; // "ELABORA"
    QPushButton* Command1 = nullptr;       // "VERIFICA"
    QComboBox* ComboC = nullptr;           // "Colpi"
    QComboBox* ComboNC = nullptr;          // "N° Casi"
    std::array<QCheckBox*, 7> Ch_RuoteTipo{};
    QCheckBox* ChPosAdi = nullptr;
    QCheckBox* ChIso = nullptr;
    QCheckBox* Ch_Intervallo = nullptr;
    QCheckBox* Ch_termina1 = nullptr;
    QCheckBox* Ch_1 = nullptr;     // "Ambata"
    QCheckBox* Ch_2 = nullptr;     // "3 ambi"
    QCheckBox* Ch_4 = nullptr;     // "Quartina"
    QCheckBox* Ch_Tutte = nullptr; // quartina on every wheel
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    GridView* FgR = nullptr;
    GridView* Fgp = nullptr;
    QToolButton* Label6 = nullptr;  // select every wheel
    QToolButton* Label9 = nullptr;  // deselect every wheel
    QToolButton* Label32 = nullptr; // select every position
    QToolButton* Label30 = nullptr; // deselect every position
    GridView* Fg1 = nullptr;
    GridView* FgS = nullptr;
    QScrollBar* HsInizio = nullptr;
    QScrollBar* HsFine = nullptr;
    QLabel* LabelInizio = nullptr;
    QLabel* LabelFine = nullptr;
    QLabel* LabelFermata = nullptr; // where the case cap stopped the last search, hidden otherwise
    QPushButton* Command2 = nullptr;
    QPushButton* Command34 = nullptr;
    QPushButton* CmdStampa = nullptr;     // "Stampa…": the cases and the summary on paper
    QPushButton* CmdEsportaPdf = nullptr; // "Esporta PDF…": the same pages in a PDF file
    QToolButton* Command4 = nullptr;      // first draw as start
    QToolButton* Command9 = nullptr;      // last draw as end
    QToolButton* Command62 = nullptr;     // start by date
    QToolButton* Command61 = nullptr;     // start by index
    QToolButton* Command10 = nullptr;     // end by date
    QToolButton* Command8 = nullptr;      // end by index

public slots:
    void Form_Load();
    void Cmd_Ambiuguali_Click();
    void Command1_Click();
    void Command2_Click();
    void Command34_Click();
    void CmdStampa_Click();
    void CmdEsportaPdf_Click();
    void Command4_Click();
    void Command9_Click();
    void Command62_Click();
    void Command61_Click();
    void Command10_Click();
    void Command8_Click();
    void HsInizio_Change();
    void HsFine_Change();
    void Fg1_CurrentCellChanged();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void connectHandlers();
    QWidget* buildRangeRow(const QString& caption, QScrollBar* bar, QLabel* label,
                           std::initializer_list<QToolButton*> buttons);
    QWidget* buildSelectionPanel();
    QWidget* buildParameterPanel();
    QWidget* buildSummaryPanel();
    bool hasReport();
    // False, after saying why in a box, when Colpi (or, for a search, N° Casi) holds no number it can take.
    bool typedNumbersAccepted(bool search);
    // Prints the report of the last search on the device; false (after saying why) when it could not.
    bool printReport(QPagedPaintDevice& device, const QString& failure);

    DrawArchive& m_archive;
    const Palette& m_palette;
    Prompts& m_prompts;
    HelpService& m_help;
    FrameServices& m_frame;
    AmboState m_state;
    methodControls::SelectionControls m_choosers; // FgR, Fgp and their squares, each chooser its own handlers
    // What the printed header describes: the state right after the last search and the controls of the
    // last verification.
    std::optional<AmboState> m_searched;
    AmboControls m_verified;
    bool m_placed = false;
};
