#pragma once

#include "io/ProgramDatabase.h"

#include <QString>
#include <QWidget>
#include <functional>
#include <memory>

class DrawArchive;
class HelpService;
class ProgramEnd;
class Prompts;
class QLabel;
class QProgressBar;
class QPushButton;
class QToolButton;

// The start window: opens the program database, finds or asks for the draw archive, loads it on
// "PROCEDI" and hands over to the main window.
class INIZIO : public QWidget {
    Q_OBJECT

public:
    struct Services {
        DrawArchive& archive;
        Prompts& prompts;
        ProgramEnd& programEnd;
        HelpService& help;
        QString dataDir; // DbVeltrano.mdb, and the folder the file dialogs start in (io/ProgramFolders.h)
        QString readerProgram;                // the archive reader helper program
        std::function<void()> openMainWindow; // may throw: reported like a failed load
    };

    static constexpr int HelpContext = 180;
    static const QString ArchiveFileName;

    explicit INIZIO(Services services, QWidget* parent = nullptr);
    ~INIZIO() override;

    void Form_Load();
    void ImpostaInizialix();
    void SelectArchive();
    void LoadDrawArchive();
    void CreaDaStorico();

    QLabel* Picture = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Lbl_Archivio = nullptr;
    QProgressBar* pb1 = nullptr;
    QPushButton* Command4 = nullptr;
    QPushButton* Command5 = nullptr; // "CREA DA STORICO…"
    QToolButton* CmDHelp = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command2 = nullptr;

public slots:
    void Command4_Click();
    void Command5_Click();
    void Command2_Click();
    void Command3_Click();
    void CmDHelp_Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void setLoading(bool loading);
    // Records the archive in PercorsoDatabase.txt and in the program database; on failure says why and
    // keeps the archive in force (and its label) as it was. Returns whether the new path is recorded.
    bool registerArchive(const QString& path);
    // Where CREA DA STORICO writes: a folder chosen by the user, asked before an archive there is
    // replaced. Empty when the user gave up.
    QString chooseNewArchivePath(const QString& title);
    void endProgram();

    Services m_services;
    ProgramDatabase m_programDatabase;
    bool m_loading = false;
    bool m_handedOver = false; // after a successful "PROCEDI" closing this window ends nothing
};
