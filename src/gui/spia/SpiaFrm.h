#pragma once

#include "core/SpyTable.h"
#include "gui/kit/KeptSettings.h"

#include <QWidget>
#include <memory>
#include <vector>

class ChartPanel;
class DrawArchive;
class FrameServices;
class HelpService;
class ItemTableView;
class Prompts;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QPushButton;
class QStackedWidget;
class SpyHeatMap;
class SpyTableModel;

// The window "Numeri spia": which numbers follow a spy's exit within a few draws, each beside what chance
// gives, in a table sortable by any column; a sentence on the rarest follower with its p corrected for
// every row; the presences of the 90 followers against chance's band, or, for every spy at once, the
// 90 × 90 map of p. The figures are the spy engine's; the window collects the choices and shows them.
class SpiaFrm : public QWidget, public KeptSettings {
    Q_OBJECT

public:
    static constexpr int HelpContext = 250;

    SpiaFrm(const DrawArchive& archive, Prompts& prompts, HelpService& help, FrameServices& frame,
            QWidget* parent = nullptr);
    ~SpiaFrm() override;

    QSize sizeHint() const override;

    // The spy 90 on Bari, followers on Bari, 9 colpi, the whole archive; then the figures.
    void Form_Load();

    QComboBox* CmbSpia = nullptr;
    QCheckBox* ChTutteLeSpie = nullptr;
    QComboBox* CmbRuota = nullptr;
    QComboBox* CmbRuotaSeguenti = nullptr;
    QComboBox* CmbColpi = nullptr;
    QDateEdit* DtDal = nullptr;
    QDateEdit* DtAl = nullptr;
    QPushButton* CmdCalcola = nullptr; // "CALCOLA"
    QLabel* LblFrase = nullptr;
    QLabel* LblAggiorna = nullptr; // shown while the results do not match the choices
    ItemTableView* FgSeguenti = nullptr;
    QStackedWidget* Grafici = nullptr;
    ChartPanel* GrPresenze = nullptr;
    SpyHeatMap* GrMappaSpie = nullptr;

    SpyTableModel* tableModel() const { return m_model; }
    // The settings the controls give, the range resolved on the archive.
    SpySettings settings() const;
    bool wholeMap() const;
    // The results on screen no longer match the choices.
    bool stale() const { return m_stale; }

    QVariantMap keptSettings() const override;
    void restoreSettings(const QVariantMap& settings) override;

public slots:
    void CmdCalcola_Click();
    void ChTutteLeSpie_Click();
    void FgSeguenti_DoubleClick(const QModelIndex& index);
    void Scelta_Change();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildChoices();
    QWidget* buildResults();
    bool choicesAccepted();
    void setStale(bool stale);

    const DrawArchive& m_archive;
    Prompts& m_prompts;
    HelpService& m_help;
    FrameServices& m_frame;
    SpyTableModel* m_model = nullptr;
    SpySettings m_shown;
    bool m_shownMap = false;
    bool m_stale = false;
    bool m_placed = false;
};
