#pragma once

#include "gui/kit/FrameServices.h"

#include <QMainWindow>
#include <QMdiSubWindow>
#include <QPointer>
#include <array>
#include <functional>

class DrawArchive;
class HelpService;
class ProgramEnd;
class Prompts;
class QLabel;
class QMdiArea;
class QProgressBar;
class QPushButton;
class QSettings;
class QToolButton;
struct Palette;

// The frame of the program: shows the model-archive range, opens the mini list, the ambo window, the
// Collaudo window and "Ritardi e frequenze" inside itself (one instance each), updates the archive from the
// operator's history, opens the help and ends the program.
class Container : public QMainWindow, public FrameServices {
    Q_OBJECT

public:
    // Builds the content of a child window; the frame puts it in a sub-window it owns.
    using ChildFactory = std::function<QWidget*(FrameServices&)>;

    struct Services {
        DrawArchive& archive;
        Palette& palette;
        ProgramEnd& programEnd;
        HelpService& help;
        ChildFactory makeMiniList;
        ChildFactory makeAmboWindow;
        ChildFactory makeCollaudoWindow;
        // Moves an open mini list to a draw (the frame does not know the mini list's controls).
        std::function<void(QWidget& miniList, int drawIndex)> showDrawInMiniList;
        // For "Aggiorna archivio"; without boxes the button stays hidden.
        Prompts* prompts = nullptr;
        QString readerProgram;
        ChildFactory makeStatisticheWindow;
        ChildFactory makeSpiaWindow;
        // The editor of the player's methods, and how the Collaudo window is set to run one (the frame does
        // not know the Collaudo window's controls).
        ChildFactory makeMetodoWindow;
        std::function<void(QWidget& collaudo, const QString& scriptPath)> runScriptInCollaudo;
    };

    static const QString SampleText;

    static constexpr int HelpContext = 190;
    // The topic F1 opens in the update's report.
    static constexpr int UpdateHelpContext = 195;

    explicit Container(Services services, QWidget* parent = nullptr);

    void MDIForm_Load();
    void ImpostazioniArchivioModello();
    void AggiornaArchivio();

    void setProgressMaximum(int maximum) override;
    void setProgressValue(int value) override;
    void showDraw(int drawIndex) override;
    void tryScript(const QString& path) override;

    // Shows the frame where it was last time (kept in `settings`, which must outlive the frame), or
    // maximized; its geometry goes back into `settings` when the program ends.
    void showPlaced(QSettings& settings);

    QMdiArea* mdiArea = nullptr;
    QWidget* Picture1 = nullptr;
    std::array<QLabel*, 3> Label4{};
    QLabel* Lbl_inizioNE = nullptr;
    QLabel* LblInizio = nullptr;
    QLabel* Lbl_fineNE = nullptr;
    QLabel* LblFine = nullptr;
    QLabel* Lbl_Ev = nullptr;
    QLabel* Lbl_Esempio = nullptr; // shown while the sample archive of invented draws is loaded
    QToolButton* Command2 = nullptr;
    QToolButton* Command6 = nullptr;
    QToolButton* CmdCollaudo = nullptr;
    QToolButton* CmdStatistiche = nullptr;
    QToolButton* CmdSpia = nullptr;
    QToolButton* CmdMetodo = nullptr;
    QToolButton* CmdAggiorna = nullptr;
    QToolButton* CmDHelp = nullptr;
    QPushButton* Command45 = nullptr;
    QProgressBar* pb1 = nullptr;
    QProgressBar* Pb2 = nullptr;

    QMdiSubWindow* miniListWindow() const { return m_miniList; }
    QMdiSubWindow* amboWindow() const { return m_ambo; }
    QMdiSubWindow* collaudoWindow() const { return m_collaudo; }
    QMdiSubWindow* statisticheWindow() const { return m_statistiche; }
    QMdiSubWindow* spiaWindow() const { return m_spia; }
    QMdiSubWindow* metodoWindow() const { return m_metodo; }

public slots:
    void Command2_Click();
    void Command6_Click();
    void CmdCollaudo_Click();
    void CmdStatistiche_Click();
    void CmdSpia_Click();
    void CmdMetodo_Click();
    void CmdAggiorna_Click();
    void CmDHelp_Click();
    void Command45_Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* valueLabel(const char* name, const QString& toolTip);
    void openChild(QPointer<QMdiSubWindow>& slot, const ChildFactory& factory);
    void setBusy(bool busy);
    // Loads the archive again through the normal load; the open windows are closed first and opened
    // again on the new draws, with their choices when they keep them (KeptSettings). Returns false after
    // saying why the load failed.
    bool reloadArchive();
    void keepPlacement();

    Services m_services;
    QPointer<QMdiSubWindow> m_miniList;
    QPointer<QMdiSubWindow> m_ambo;
    QPointer<QMdiSubWindow> m_collaudo;
    QPointer<QMdiSubWindow> m_statistiche;
    QPointer<QMdiSubWindow> m_spia;
    QPointer<QMdiSubWindow> m_metodo;
    bool m_ending = false;
    bool m_busy = false; // the archive is being read, written or loaded again
    QSettings* m_settings = nullptr;
};
