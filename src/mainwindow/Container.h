#pragma once

#include "FrameServices.h"

#include <QMainWindow>
#include <QMdiSubWindow>
#include <QPointer>
#include <array>
#include <functional>

class DrawArchive;
class HelpService;
class ProgramEnd;
class QLabel;
class QMdiArea;
class QProgressBar;
class QPushButton;
class QToolButton;
struct Palette;

// The frame of the program: shows the model-archive range, opens the mini list, the ambo window and
// the Collaudo window inside itself (one instance each), opens the help and ends the program.
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
    };

    static constexpr int HelpContext = 190;

    explicit Container(Services services, QWidget* parent = nullptr);

    void MDIForm_Load();
    void ImpostazioniArchivioModello();

    void setProgressMaximum(int maximum) override;
    void setProgressValue(int value) override;
    void showDraw(int drawIndex) override;

    QMdiArea* mdiArea = nullptr;
    QWidget* Picture1 = nullptr;
    std::array<QLabel*, 3> Label4{};
    QLabel* Lbl_inizioNE = nullptr;
    QLabel* LblInizio = nullptr;
    QLabel* Lbl_fineNE = nullptr;
    QLabel* LblFine = nullptr;
    QLabel* Lbl_Ev = nullptr;
    QToolButton* Command2 = nullptr;
    QToolButton* Command6 = nullptr;
    QToolButton* CmdCollaudo = nullptr;
    QToolButton* CmDHelp = nullptr;
    QPushButton* Command45 = nullptr;
    QProgressBar* pb1 = nullptr;
    QProgressBar* Pb2 = nullptr;

    QMdiSubWindow* miniListWindow() const { return m_miniList; }
    QMdiSubWindow* amboWindow() const { return m_ambo; }
    QMdiSubWindow* collaudoWindow() const { return m_collaudo; }

public slots:
    void Command2_Click();
    void Command6_Click();
    void CmdCollaudo_Click();
    void CmDHelp_Click();
    void Command45_Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* valueLabel(const char* name, const QString& toolTip);
    void openChild(QPointer<QMdiSubWindow>& slot, const ChildFactory& factory);

    Services m_services;
    QPointer<QMdiSubWindow> m_miniList;
    QPointer<QMdiSubWindow> m_ambo;
    QPointer<QMdiSubWindow> m_collaudo;
    bool m_ending = false;
};
