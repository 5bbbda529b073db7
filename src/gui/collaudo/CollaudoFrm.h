#pragma once

#include "gui/collaudo/CollaudoShown.h"
#include "core/metodi/ScriptParameter.h"
#include "gui/kit/KeptSettings.h"

#include <QWidget>
#include <memory>
#include <vector>

class CaseListModel;
class ChartPanel;
class CollaudoParameters;
class DrawArchive;
class FrameServices;
class GridView;
class HelpService;
class ItemTableView;
class Prompts;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class ResultGrid;
class ScriptMethodPanel;
class StaleNotice;
class SweepRunner;
struct CollaudoResult;
struct CollaudoSettings;
struct ScriptJobOutcome;
struct Palette;
struct SweepOutcome;
struct SweepSelection;

// The Collaudo window: the method back-tested over a range of draws against chance and in money
// ("COLLAUDA"), and the sweep over every combination of settings ("ESPLORA", on a worker thread). The
// numbers come from the method's back-test engine; this window only collects the parameters and shows
// the results as a summary, three charts and two tables. Besides the two built-in methods it lists the
// player's methods (Lua scripts), with a field per parameter the script declares; a script's back-test and
// sweep also run on the worker, and what the script prints shows in "Uscita del metodo".
class CollaudoFrm : public QWidget, public KeptSettings {
    Q_OBJECT

public:
    static constexpr int HelpContext = 230;
    // The best combinations the sweep table shows; Holm's adjustment still counts all of them.
    static constexpr int SweepRows = 100;

    CollaudoFrm(DrawArchive& archive, const Palette& palette, Prompts& prompts, HelpService& help,
                FrameServices& frame, QWidget* parent = nullptr);
    ~CollaudoFrm() override;

    QSize sizeHint() const override;

    // Lists the player's methods of this folder (every *.lua) after the built-in ones.
    void setMethodsFolder(const QString& folder);
    // Chooses a player's method by its file (listed first when it is not in the folder) and runs COLLAUDA.
    void showScript(const QString& path);

    CollaudoParameters* Parametri = nullptr;
    QPushButton* CmdCollauda = nullptr; // "COLLAUDA"
    QPushButton* CmdEsplora = nullptr;  // "ESPLORA"
    QPushButton* CmdAnnulla = nullptr;  // "ANNULLA"
    StaleNotice* LblAggiorna = nullptr; // over the back-test's results once the choices differ from theirs
    QLabel* LblRiepilogo = nullptr;     // the summary in one sentence
    GridView* FgRiepilogo = nullptr;    // the summary as the tool prints it
    QTabWidget* Schede = nullptr;
    ChartPanel* GrColpi = nullptr;
    ChartPanel* GrSaldo = nullptr;
    ChartPanel* GrAnni = nullptr;
    ItemTableView* FgCasi = nullptr;
    ResultGrid* FgEsplora = nullptr;
    QLabel* LblEsplora = nullptr;
    StaleNotice* LblAggiornaEsplora = nullptr; // over the sweep's table, the same for the sweep
    ScriptMethodPanel* PnMetodo = nullptr;     // the chosen script's parameters
    QPlainTextEdit* TxtUscita = nullptr;       // "Uscita del metodo": what the script printed

    // The parameters (a period up to the last draw stays so) and the tab shown; results are not kept.
    QVariantMap keptSettings() const override;
    void restoreSettings(const QVariantMap& settings) override;

    // The sweep running on its worker thread, if any.
    bool sweepRunning() const;
    SweepRunner& sweepRunner() const { return *m_runner; }

public slots:
    void CmdCollauda_Click();
    void CmdEsplora_Click();
    void CmdAnnulla_Click();
    void FgCasi_DoubleClick(const QModelIndex& index);
    void FgEsplora_RowActivated(int sourceRow);
    // Greys the results that no longer answer the choices, and ungreys them when the choices come back.
    void Parametri_Change();
    void Schede_Change(int index);

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    QWidget* buildCommands();
    QWidget* buildResults();
    bool rangeAccepted();
    // False after showing the error, when there is one.
    bool settingsAccepted(const QString& error);
    void showResults(const CollaudoShown& shown, std::shared_ptr<const CollaudoResult> result);
    void sweepProgress(int done, int total);
    void sweepFinished(bool cancelled);
    void setSweeping(bool sweeping);
    // Cancels a running sweep and waits for its worker to return.
    void stopSweep();
    // A player's method: its parameters shown when it is chosen, its back-test and sweep on the worker.
    void scriptChosen();
    bool loadScript(const QString& path, QString& source, std::vector<ScriptParameter>& parameters);
    std::shared_ptr<ScriptJobOutcome> prepareScriptJob();
    void collaudaScript();
    void esploraScript();
    void startScriptJob(std::shared_ptr<ScriptJobOutcome> job);
    void scriptJobFinished(bool cancelled);
    void applyScriptRow(int sourceRow);

    DrawArchive& m_archive;
    const Palette& m_palette;
    Prompts& m_prompts;
    HelpService& m_help;
    FrameServices& m_frame;
    SweepRunner* m_runner = nullptr;
    // The sweep shown in FgEsplora (its rows' settings) and the one being computed.
    std::shared_ptr<SweepOutcome> m_sweep;
    std::shared_ptr<SweepOutcome> m_pendingSweep;
    CaseListModel* m_cases = nullptr;
    // How the settings were chosen, when a sweep row put them there.
    std::unique_ptr<SweepSelection> m_selection;
    // What the back-test on screen asked for.
    std::unique_ptr<CollaudoSettings> m_shownSettings;
    bool m_placed = false;
    QString m_methodsFolder;
    // The script run on the worker, and the script whose sweep FgEsplora shows.
    std::shared_ptr<ScriptJobOutcome> m_scriptJob;
    QString m_sweepScript;
};
